#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "options.h"

namespace sorvani::annotate {

// RTF as the desktop program imports and exports it, and its other exports. That takes Qt, which is
// slow to load, so it lives in a module beside the program that is loaded only for runs that read
// or write RTF.
class RtfConverter {
  public:
    virtual ~RtfConverter() = default;

    // The text the document box holds after importing the RTF, CR LF between lines; nothing when
    // the source ends before its document does (a damaged or cut-short file).
    virtual std::optional<std::u16string> BoxText(std::string_view rtf) = 0;
    // What the export writes in the format (RTF, PDF or HTML) when the box holds the text (CR LF
    // between lines) as the annotate command leaves it: plain text in the box's font.
    virtual std::string Exported(std::u16string_view boxText, OutputFormat format, Paper paper) = 0;
};

// The module's entry point, exported under kCreateRtfConverter.
using CreateRtfConverterFunction = RtfConverter* (*)();
inline constexpr char kCreateRtfConverter[] = "SorvaniCreateRtfConverter";

// Loads the module and starts Qt. Throws ToolError naming the module when it is missing.
std::unique_ptr<RtfConverter> LoadRtfConverter();

}  // namespace sorvani::annotate
