#include "utf8.h"

#include <cstdint>
#include <cstring>

#include "utf16.h"

namespace sorvani {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Bytes after the lead, and the range of the first of them, which rules out overlong forms,
// surrogates and values past U+10FFFF.
struct LeadByte {
    int extra;
    unsigned char low, high;
    char32_t bits;
};

std::optional<LeadByte> ReadLead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return LeadByte{1, 0x80, 0xBF, lead & 0x1Fu};
    if (lead == 0xE0) return LeadByte{2, 0xA0, 0xBF, 0};
    if (lead == 0xED) return LeadByte{2, 0x80, 0x9F, 0xD};
    if (lead >= 0xE1 && lead <= 0xEF) return LeadByte{2, 0x80, 0xBF, lead & 0x0Fu};
    if (lead == 0xF0) return LeadByte{3, 0x90, 0xBF, 0};
    if (lead >= 0xF1 && lead <= 0xF3) return LeadByte{3, 0x80, 0xBF, lead & 0x07u};
    if (lead == 0xF4) return LeadByte{3, 0x80, 0x8F, 4};
    return std::nullopt;
}

char* AppendUtf8(char32_t cp, char* out) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | cp >> 6);
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | cp >> 12);
        *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | cp >> 18);
        *out++ = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Decodes the bytes up to their end or to a sequence they cut; returns how many it took.
size_t DecodeUncut(std::string_view bytes, std::u16string& text) {
    size_t used = 0;
    while (used < bytes.size()) {
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(used));
        if (sequence.kind == Utf8Sequence::Kind::Truncated) break;
        if (sequence.kind == Utf8Sequence::Kind::Valid)
            AppendUtf16(text, sequence.character);
        else
            text += u'\uFFFD';
        used += sequence.length;
    }
    return used;
}

}  // namespace

Utf8Sequence ReadUtf8Sequence(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) return {Utf8Sequence::Kind::Valid, 1, lead};
    const auto form = ReadLead(lead);
    if (!form) return {Utf8Sequence::Kind::Invalid, 1, 0};
    char32_t cp = form->bits;
    for (int k = 1; k <= form->extra; ++k) {
        if (static_cast<size_t>(k) == bytes.size())
            return {Utf8Sequence::Kind::Truncated, bytes.size(), 0};
        const auto byte = static_cast<unsigned char>(bytes[k]);
        const bool fits = k == 1 ? byte >= form->low && byte <= form->high : IsContinuation(byte);
        if (!fits) return {Utf8Sequence::Kind::Invalid, static_cast<size_t>(k), 0};
        cp = cp << 6 | (byte & 0x3F);
    }
    return {Utf8Sequence::Kind::Valid, static_cast<size_t>(form->extra) + 1, cp};
}

void AppendUtf16(std::u16string& text, char32_t cp) {
    if (cp < 0x10000) {
        text.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes);
        if (sequence.kind != Utf8Sequence::Kind::Valid) return std::nullopt;
        AppendUtf16(out, sequence.character);
        bytes.remove_prefix(sequence.length);
    }
    return out;
}

char* EncodeUtf8(std::u16string_view text, char* out) {
    static constexpr uint64_t kNonAscii = 0xFF80FF80FF80FF80;
    for (size_t i = 0; i < text.size(); ++i) {
        // Four ASCII units at once: the pinyin lines are mostly ASCII.
        uint64_t four;
        if (i + 4 <= text.size() &&
            (std::memcpy(&four, text.data() + i, sizeof four), (four & kNonAscii) == 0)) {
            out[0] = static_cast<char>(four), out[1] = static_cast<char>(four >> 16);
            out[2] = static_cast<char>(four >> 32), out[3] = static_cast<char>(four >> 48);
            out += 4, i += 3;
            continue;
        }
        char32_t cp = text[i];
        if (utf16::IsSurrogate(text[i])) {
            if (utf16::CharacterLength(text, i) == 1)
                cp = 0xFFFD;
            else
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        out = AppendUtf8(cp, out);
    }
    return out;
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<size_t>(EncodeUtf8(text, out.data()) - out.data()));
    return out;
}

void Utf8Decoder::Decode(std::string_view bytes, std::u16string& text) {
    if (!held_.empty()) {
        // A sequence takes at most 3 bytes after its lead: enough of the piece to complete or
        // refuse the one held.
        const size_t held = held_.size();
        held_.append(bytes.substr(0, 3));
        const size_t used = DecodeUncut(held_, text);
        // Still cut: the piece was shorter than the rest of the sequence, and is held with it.
        if (used == 0) return;
        // What was taken past the held sequence is read again from the piece.
        bytes.remove_prefix(used - held);
        held_.clear();
    }
    held_.assign(bytes.substr(DecodeUncut(bytes, text)));
}

void Utf8Decoder::Finish(std::u16string& text) {
    if (!held_.empty()) text += u'\uFFFD';
    held_.clear();
}

}  // namespace sorvani
