#include "text_decoder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "cp936.h"
#include "line_break.h"
#include "utf16.h"
#include "utf8.h"

namespace sorvani::text {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
// Valid UTF-8 sequences needed for each invalid one in the sample for the text to be UTF-8.
constexpr size_t kValidPerInvalid = 4;

size_t AsciiPrefix(std::string_view bytes) {
    return static_cast<size_t>(
        std::find_if(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }) - bytes.begin());
}

// Whether a sample that starts at a non-ASCII byte reads as UTF-8. A sequence cut by the end of
// the sample counts only when the input ends there too.
bool ReadsAsUtf8(std::string_view sample, bool inputEndsThere) {
    size_t valid = 0, invalid = 0;
    while (!sample.empty()) {
        const Utf8Sequence sequence = ReadUtf8Sequence(sample);
        if (sequence.kind == Utf8Sequence::Kind::Invalid)
            ++invalid;
        else if (sequence.kind == Utf8Sequence::Kind::Truncated)
            invalid += inputEndsThere;
        else if (sequence.length > 1)
            ++valid;
        sample.remove_prefix(sequence.length);
    }
    return valid >= kValidPerInvalid * invalid;
}

// A NUL character and a surrogate half without its partner are no text; each becomes U+FFFD.
size_t DecodeUtf16(std::string_view bytes, bool bigEndian, bool last, std::u16string& units) {
    const auto unitAt = [&](size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (utf16::IsHighSurrogate(unit)) {
            if (i + 3 >= bytes.size() && !last) break;
            if (i + 3 < bytes.size() && utf16::IsLowSurrogate(unitAt(i + 2))) {
                units.push_back(unit);
                units.push_back(unitAt(i + 2));
                i += 2;
                continue;
            }
        }
        units.push_back(unit == 0 || utf16::IsSurrogate(unit) ? u'\uFFFD' : unit);
    }
    if (i + 1 == bytes.size() && last) {
        units.push_back(u'\uFFFD');  // half a unit
        ++i;
    }
    return i;
}

// Whether a character read from three bytes goes on as it is: not a line break, a noncharacter or
// a surrogate, nor an overlong form (below U+0800). Chinese quotation marks lie below the line
// breaks, the ideographs above them.
bool IsPlainThreeByte(char32_t cp) {
    return cp - 0x800 < 0x2028 - 0x800 || cp - 0x202A < 0xD800 - 0x202A ||
           cp - 0xFDF0 < 0xFFFE - 0xFDF0;
}

// Chinese text is mostly three-byte characters one after another: read two at a time, as one
// eight-byte word, where they are valid and plain, which halves the tests of the bytes. From `i`
// on; moves `i` past what it read and returns where the units end.
char16_t* DecodeChinesePairs(const unsigned char* in, size_t size, size_t& i, char16_t* out) {
    if constexpr (std::endian::native == std::endian::little) {
        // Lead bytes 1110xxxx, continuation bytes 10xxxxxx, the first byte lowest.
        constexpr uint64_t kMask = 0xC0C0F0C0C0F0, kPair = 0x8080E08080E0;
        for (; i + sizeof(uint64_t) <= size; i += 6) {
            uint64_t word;
            std::memcpy(&word, in + i, sizeof word);
            if ((word & kMask) != kPair) break;
            const auto first = static_cast<char32_t>((word & 0x0F) << 12 | (word >> 2 & 0xFC0) |
                                                     (word >> 16 & 0x3F));
            const auto second = static_cast<char32_t>((word >> 12 & 0xF000) | (word >> 26 & 0xFC0) |
                                                      (word >> 40 & 0x3F));
            if (!IsPlainThreeByte(first) || !IsPlainThreeByte(second)) break;
            *out++ = static_cast<char16_t>(first);
            *out++ = static_cast<char16_t>(second);
        }
    }
    return out;
}

}  // namespace

bool IsRtf(std::string_view head) { return head.starts_with("{\\rtf"); }

void TextDecoder::Decode(std::string_view bytes, std::u16string& text) {
    if (encoding_ != Encoding::Undecided && held_.empty()) {
        held_.assign(bytes.substr(DecodeDecided(bytes, false, text)));
        return;
    }
    held_.append(bytes);
    DecodeHeld(false, text);
}

void TextDecoder::Finish(std::u16string& text) {
    DecodeHeld(true, text);
    held_.clear();
}

void TextDecoder::DecodeHeld(bool last, std::u16string& text) {
    if (!markChecked_) {
        if (held_.size() < kUtf8Mark.size() && !last) return;
        DecideAtMark();
    }
    if (encoding_ == Encoding::Undecided) {
        // ASCII reads the same in both candidates, so it goes on before the choice is made.
        const size_t ascii = AsciiPrefix(held_);
        units_.assign(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(ascii));
        held_.erase(0, ascii);
        Append(units_, text);
        if (held_.empty() || (held_.size() <= kEncodingSample && !last)) return;
        DecideUtf8OrCodePage(last);
    }
    held_.erase(0, DecodeDecided(held_, last, text));
}

void TextDecoder::DecideAtMark() {
    markChecked_ = true;
    const std::string_view head = held_;
    if (head.starts_with(kUtf16LittleEndianMark)) {
        encoding_ = Encoding::Utf16LittleEndian;
        held_.erase(0, kUtf16LittleEndianMark.size());
    } else if (head.starts_with(kUtf16BigEndianMark)) {
        encoding_ = Encoding::Utf16BigEndian;
        held_.erase(0, kUtf16BigEndianMark.size());
    } else if (head.starts_with(kUtf8Mark)) {
        // The mark alone does not decide: code page 936 text behind it is still read as such.
        held_.erase(0, kUtf8Mark.size());
    }
}

void TextDecoder::DecideUtf8OrCodePage(bool last) {
    const std::string_view sample = std::string_view(held_).substr(0, kEncodingSample);
    encoding_ = ReadsAsUtf8(sample, last && sample.size() == held_.size()) ? Encoding::Utf8
                                                                           : Encoding::CodePage936;
}

size_t TextDecoder::DecodeDecided(std::string_view bytes, bool last, std::u16string& text) {
    units_.clear();
    size_t used = 0;
    switch (encoding_) {
        case Encoding::Utf8:
            return DecodeUtf8(bytes, last, text);
        case Encoding::CodePage936:
            used = cp936::Decode(bytes, last, units_);
            break;
        case Encoding::Utf16LittleEndian:
        case Encoding::Utf16BigEndian:
            used = DecodeUtf16(bytes, encoding_ == Encoding::Utf16BigEndian, last, units_);
            break;
        case Encoding::Undecided:
            break;
    }
    Append(units_, text);
    return used;
}

// UTF-8, the commonest input, straight onto the text in one pass, each unit treated as Append
// treats it: the units are neither copied again nor looked at twice.
size_t TextDecoder::DecodeUtf8(std::string_view bytes, bool last, std::u16string& text) {
    // Room for a unit a byte, the most the bytes can give but for line breaks, which make room
    // for themselves.
    const size_t start = text.size();
    text.resize(start + bytes.size());
    char16_t* out = text.data() + start;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        // Runs of the units that are plain text whatever comes before or after them: ASCII above
        // CR (none is a line break or NUL) and, as Chinese is three bytes a character, those
        // below the line separator (the quotation marks), between the paragraph separator and
        // the surrogates (the ideographs and the Chinese punctuation) or after the last
        // noncharacter below U+FFFE (the full-width forms: the Chinese comma). Read here, in
        // registers, when valid, as ReadUtf8Sequence would.
        const size_t runStart = i;
        while (i < size) {
            const unsigned char byte = in[i];
            if (byte - (u'\r' + 1u) < 0x80u - (u'\r' + 1u)) {
                *out++ = byte;
                ++i;
                continue;
            }
            if (byte - 0xE0u >= 0x10u || i + 2 >= size) break;
            // Continuation bytes are 10xxxxxx: their low bits, when both are, are below 0x40.
            const unsigned second = in[i + 1] ^ 0x80u, third = in[i + 2] ^ 0x80u;
            if ((second | third) >= 0x40u) break;
            const char32_t cp = (byte & 0x0Fu) << 12 | second << 6 | third;
            if (!IsPlainThreeByte(cp)) break;
            *out++ = static_cast<char16_t>(cp);
            i += 3;
            // More are likely to follow.
            out = DecodeChinesePairs(in, size, i, out);
        }
        if (i != runStart) lines_.ReadText();
        if (i == size) break;
        if (in[i] < 0x80) {
            out = PutUnit(in[i++], text, out);
            continue;
        }
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(i));
        if (sequence.kind == Utf8Sequence::Kind::Truncated && !last) break;
        const char32_t cp =
            sequence.kind == Utf8Sequence::Kind::Valid ? sequence.character : U'\uFFFD';
        if (cp < 0x10000) {
            out = PutUnit(static_cast<char16_t>(cp), text, out);
        } else {
            out = PutUnit(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), text, out);
            out = PutUnit(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), text, out);
        }
        i += sequence.length;
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return i;
}

// Any unit, however rare, onto the text that DecodeUtf8 fills: where it ends, which a line break
// may move.
char16_t* TextDecoder::PutUnit(char16_t unit, std::u16string& text, char16_t* out) {
    if (unit == 0) {
        text.resize(static_cast<size_t>(out - text.data()));
        throw NotTextError();
    }
    switch (lines_.Read(unit)) {
        case LineBreakReader::Unit::Text:
            *out++ = IsNoncharacter(unit) ? u'\uFFFD' : unit;
            break;
        case LineBreakReader::Unit::Break: {
            const size_t at = static_cast<size_t>(out - text.data());
            text.resize(text.size() + lineBreak_.size());
            out = std::copy(lineBreak_.begin(), lineBreak_.end(), text.data() + at);
            break;
        }
        case LineBreakReader::Unit::RestOfBreak:
            break;
    }
    return out;
}

void TextDecoder::Append(std::u16string_view units, std::u16string& text) {
    while (!units.empty()) {
        // Most units are neither a line break, a noncharacter nor NUL: they go on in runs.
        const auto special = std::find_if(units.begin(), units.end(), [](char16_t unit) {
            return unit <= u'\r' ? unit == u'\r' || unit == u'\n' || unit == 0
                                 : unit >= 0x2028 && (IsLineBreak(unit) || IsNoncharacter(unit));
        });
        const auto run = static_cast<size_t>(special - units.begin());
        if (run > 0) {
            text.append(units.substr(0, run));
            lines_.ReadText();
        }
        if (run == units.size()) return;
        const char16_t unit = units[run];
        if (unit == 0) throw NotTextError();
        switch (lines_.Read(unit)) {
            case LineBreakReader::Unit::Text:  // a noncharacter
                text += u'\uFFFD';
                break;
            case LineBreakReader::Unit::Break:
                text.append(lineBreak_);
                break;
            case LineBreakReader::Unit::RestOfBreak:
                break;
        }
        units.remove_prefix(run + 1);
    }
}

std::u16string DecodeText(std::string_view bytes, std::u16string_view lineBreak) {
    TextDecoder decoder(lineBreak);
    std::u16string text;
    text.reserve(bytes.size());
    decoder.Decode(bytes, text);
    decoder.Finish(text);
    return text;
}

}  // namespace sorvani::text
