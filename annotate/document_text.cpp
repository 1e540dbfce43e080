#include "document_text.h"

#include "cp936.h"
#include "utf8.h"

namespace sorvani::annotate {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::u16string Decode(std::string_view bytes) {
    const std::string_view body =
        bytes.starts_with(kByteOrderMark) ? bytes.substr(kByteOrderMark.size()) : bytes;
    if (auto text = DecodeUtf8(body)) return std::move(*text);
    return cp936::Decode(bytes);
}

bool IsLineBreak(char16_t ch) { return ch == u'\r' || ch == u'\n'; }

// Turns every lone CR and lone LF into CR LF, in place: the text grows by one unit for each, so
// it is moved from its end towards its start.
void UseCrLf(std::u16string& text) {
    size_t lone = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        else if (IsLineBreak(text[i]))
            ++lone;
    }
    if (lone == 0) return;
    size_t from = text.size();
    text.resize(text.size() + lone);
    for (size_t to = text.size(); from > 0;) {
        const char16_t ch = text[--from];
        if (!IsLineBreak(ch)) {
            text[--to] = ch;
            continue;
        }
        if (ch == u'\n' && from > 0 && text[from - 1] == u'\r') --from;  // already CR LF
        text[--to] = u'\n';
        text[--to] = u'\r';
    }
}

}  // namespace

std::u16string DocumentText(std::string_view bytes) {
    std::u16string text = Decode(bytes);
    UseCrLf(text);
    return text;
}

}  // namespace sorvani::annotate
