#include "column_ruler.h"

#include <array>
#include <cstdint>

#include "character_width.h"
#include "utf16.h"

namespace sorvani {
namespace {

// Columns of each character of the Basic Multilingual Plane, looked up once: the line is
// measured after every character. A surrogate half counts as a character of its own here.
const std::array<uint8_t, 0x10000>& UnitColumns() {
    static const auto table = [] {
        std::array<uint8_t, 0x10000> columns;
        for (size_t unit = 0; unit < columns.size(); ++unit)
            columns[unit] = static_cast<uint8_t>(CharacterColumns(static_cast<char32_t>(unit)));
        return columns;
    }();
    return table;
}

int64_t Columns(std::u16string_view text) {
    const auto& unitColumns = UnitColumns();
    int64_t columns = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (utf16::CharacterLength(text, i) == 2) {
            columns += CharacterColumns(utf16::CodePoint(text[i], text[i + 1]));
            ++i;
        } else {
            columns += unitColumns[text[i]];
        }
    }
    return columns;
}

}  // namespace

int64_t ColumnRuler::Width(std::u16string_view line, size_t unchanged) {
    if (unchanged > 0 && unchanged == measuredLength_)
        measuredColumns_ += Columns(line.substr(unchanged));
    else
        measuredColumns_ = Columns(line);
    measuredLength_ = line.size();
    return measuredColumns_ * kTwipsPerColumn;
}

}  // namespace sorvani
