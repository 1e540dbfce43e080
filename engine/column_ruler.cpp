#include "column_ruler.h"

#include <array>
#include <cstdint>

#include "cp936.h"
#include "utf16.h"

namespace sorvani {
namespace {

// Bytes of each UTF-16 unit in the code page, looked up once: the line is measured after every
// character. The second half of a surrogate pair adds nothing to the first.
const std::array<uint8_t, 0x10000>& UnitBytes() {
    static const auto table = [] {
        std::array<uint8_t, 0x10000> bytes;
        for (size_t unit = 0; unit < bytes.size(); ++unit) {
            const auto ch = static_cast<char16_t>(unit);
            bytes[unit] =
                utf16::IsLowSurrogate(ch) ? 0 : static_cast<uint8_t>(cp936::ByteLength(ch));
        }
        return bytes;
    }();
    return table;
}

int64_t Bytes(std::u16string_view text) {
    const auto& unitBytes = UnitBytes();
    int64_t bytes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bytes += unitBytes[text[i]];
        // A low surrogate half without its high half is a character of its own.
        if (utf16::IsLowSurrogate(text[i]) && (i == 0 || !utf16::IsHighSurrogate(text[i - 1])))
            ++bytes;
    }
    return bytes;
}

}  // namespace

int64_t ColumnRuler::Width(std::u16string_view line, size_t unchanged) {
    if (unchanged > 0 && unchanged == measuredLength_)
        measuredBytes_ += Bytes(line.substr(unchanged));
    else
        measuredBytes_ = Bytes(line);
    measuredLength_ = line.size();
    return measuredBytes_ * kTwipsPerByte;
}

}  // namespace sorvani
