#pragma once

#include <optional>
#include <string_view>

namespace sorvani {

// What an output is written as: the annotated text itself, RTF, printed pages (PDF), a web page
// or a Word document.
enum class DocumentFormat { Text, Rtf, Pdf, Html, Docx };

// The document format a file's name asks for, by its ending in any case: *.rtf, *.pdf, *.html
// and *.htm, *.docx; nothing for any other name, one without an extension included.
std::optional<DocumentFormat> DocumentFormatOfName(std::u16string_view name);

}  // namespace sorvani
