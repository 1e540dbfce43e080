#include "document_format.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sorvani {
namespace {

// Whether the name ends with the ending, ASCII letters compared in any case (the endings are
// ASCII, so no other character can match one of their letters).
bool EndsWith(std::u16string_view name, std::u16string_view ending) {
    if (name.size() < ending.size()) return false;
    return std::equal(
        ending.begin(), ending.end(), name.end() - ending.size(),
        [](char16_t e, char16_t n) { return e == (n >= u'A' && n <= u'Z' ? n - u'A' + u'a' : n); });
}

}  // namespace

std::optional<DocumentFormat> DocumentFormatOfName(std::u16string_view name) {
    static constexpr std::array<std::pair<std::u16string_view, DocumentFormat>, 5> kEndings{{
        {u".rtf", DocumentFormat::Rtf},
        {u".pdf", DocumentFormat::Pdf},
        {u".html", DocumentFormat::Html},
        {u".htm", DocumentFormat::Html},
        {u".docx", DocumentFormat::Docx},
    }};
    for (const auto& [ending, format] : kEndings)
        if (EndsWith(name, ending)) return format;
    return std::nullopt;
}

}  // namespace sorvani
