#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "options.h"

namespace sorvani::annotate {

// The desktop program's documents: RTF as it imports it, and RTF, PDF, web pages and Word documents
// as it exports them. That takes Qt, which is slow to load, so it lives in a module beside the
// program that is loaded only for runs that read RTF or write a document.
class DocumentConverter {
  public:
    virtual ~DocumentConverter() = default;

    // The text the document box holds after importing the RTF, CR LF between lines; nothing when
    // the source ends before its document does (a damaged or cut-short file).
    virtual std::optional<std::u16string> ImportedText(std::string_view rtf) = 0;

    // Writes what the export writes in a format (RTF, PDF, HTML or DOCX) when the box holds the
    // text (CR LF between lines) as the annotate command leaves it, plain text in the box's font;
    // the text comes in pieces and the bytes go to `write` as they are made.
    class Export {
      public:
        virtual ~Export() = default;
        // The next piece of the text; it may end anywhere. Throws what `write` throws.
        virtual void Add(std::u16string_view annotation) = 0;
        // The text has ended: writes the rest.
        virtual void Finish() = 0;
    };
    using Writer = std::function<void(std::string_view bytes)>;
    virtual std::unique_ptr<Export> StartExport(DocumentFormat format, const PageOptions& page,
                                                Writer write) = 0;
};

// The module's entry point, exported under kCreateDocumentConverter.
using CreateDocumentConverterFunction = DocumentConverter* (*)();
inline constexpr char kCreateDocumentConverter[] = "SorvaniCreateDocumentConverter";

// Loads the module and starts Qt. Throws ToolError naming the module when it is missing.
std::unique_ptr<DocumentConverter> LoadDocumentConverter();

}  // namespace sorvani::annotate
