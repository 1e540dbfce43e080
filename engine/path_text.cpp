#include "path_text.h"

#include <cstdio>

#include "utf8.h"

namespace sorvani {
namespace {

void AppendEscape(std::string& text, const char* format, unsigned value) {
    char escape[8];
    std::snprintf(escape, sizeof escape, format, value);
    text += escape;
}

}  // namespace

std::string PathText(const std::filesystem::path& file) {
    const std::u8string raw = std::filesystem::path(file).make_preferred().u8string();
    const std::string_view bytes(reinterpret_cast<const char*>(raw.data()), raw.size());
    std::string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(at));
        if (sequence.kind != Utf8Sequence::Kind::Valid) {
            for (size_t i = 0; i < sequence.length; ++i)
                AppendEscape(text, "\\x%02X", static_cast<unsigned char>(bytes[at + i]));
        } else if (const char32_t c = sequence.character; c == u'\n') {
            text += "\\n";
        } else if (c == u'\r') {
            text += "\\r";
        } else if (c == u'\t') {
            text += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            AppendEscape(text, "\\x%02X", static_cast<unsigned>(c));
        } else if ((c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) {
            AppendEscape(text, "\\u%04X", static_cast<unsigned>(c));
        } else {
            text += bytes.substr(at, sequence.length);
        }
        at += sequence.length;
    }
    return text;
}

}  // namespace sorvani
