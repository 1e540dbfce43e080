#include "cp936.h"

#include <array>

namespace sorvani::cp936 {
namespace {

#include "cp936_table.inc"

constexpr int kFirstLead = 0x81;
constexpr int kLastLead = 0xFE;
constexpr int kFirstTrail = 0x40;
constexpr int kLastTrail = 0xFE;

bool IsLead(unsigned byte) { return byte >= kFirstLead && byte <= kLastLead; }

char16_t DoubleByteCharacter(unsigned lead, unsigned trail) {
    if (!IsLead(lead) || trail < kFirstTrail || trail > kLastTrail) return 0;
    return kDoubleByteCharacters[lead - kFirstLead][trail - kFirstTrail];
}

char16_t SingleByteCharacter(unsigned byte) {
    return byte < 0x80 ? static_cast<char16_t>(byte) : kHighByteCharacters[byte - 0x80];
}

// Unsigned codes of every BMP unit, built once by inverting the decoding tables in byte order
// (single bytes, then double bytes; the first code wins). The table generator checks that this
// inverse is exactly Windows' encoding.
struct EncodingTable {
    std::array<uint16_t, 0x10000> codes;

    EncodingTable() {
        codes.fill(kUnencodable);
        for (int byte = 0; byte <= 0xFF; ++byte) {
            const char16_t ch = SingleByteCharacter(static_cast<unsigned>(byte));
            if (byte == 0 || ch) codes[ch] = static_cast<uint16_t>(byte);
        }
        for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
            for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                const char16_t ch = DoubleByteCharacter(lead, trail);
                if (ch && codes[ch] == kUnencodable)
                    codes[ch] = static_cast<uint16_t>(lead << 8 | trail);
            }
        }
    }
};

const EncodingTable& Encoding() {
    static const EncodingTable table;
    return table;
}

}  // namespace

int16_t CodeOf(char16_t unit) { return static_cast<int16_t>(Encoding().codes[unit]); }

std::optional<char16_t> CharacterOf(int32_t code) {
    if (code < -32768 || code > 65535) return std::nullopt;
    if (code == 0) return u'\0';
    const unsigned value = static_cast<unsigned>(code) & 0xFFFF;
    const char16_t ch =
        value <= 0xFF ? SingleByteCharacter(value) : DoubleByteCharacter(value >> 8, value & 0xFF);
    if (!ch) return std::nullopt;
    return ch;
}

int ByteLength(char16_t unit) { return Encoding().codes[unit] > 0xFF ? 2 : 1; }

std::string Encode(std::u16string_view text) {
    const auto& codes = Encoding().codes;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        const uint16_t code = codes[unit];
        if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
        bytes.push_back(static_cast<char>(code & 0xFF));
    }
    return bytes;
}

size_t Decode(std::string_view bytes, bool last, std::u16string& text) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text.push_back(byte);
            continue;
        }
        if (IsLead(byte)) {
            if (i + 1 == bytes.size()) {
                if (!last) return i;
            } else if (const char16_t ch =
                           DoubleByteCharacter(byte, static_cast<unsigned char>(bytes[i + 1]))) {
                text.push_back(ch);
                ++i;
                continue;
            }
        }
        const char16_t ch = SingleByteCharacter(byte);
        text.push_back(ch ? ch : u'\uFFFD');
    }
    return bytes.size();
}

std::u16string Decode(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    Decode(bytes, true, text);
    return text;
}

}  // namespace sorvani::cp936
