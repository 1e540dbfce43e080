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

// Columns of the characters from `start` on.
int64_t Columns(std::u16string_view text, size_t start) {
    const auto& unitColumns = UnitColumns();
    int64_t columns = 0;
    for (size_t i = start; i < text.size(); ++i) {
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

int64_t ColumnRuler::Width(std::u16string_view line) {
    // A pair's first half at the end of the last line is measured again with its second.
    if (line.starts_with(measured_) &&
        (measured_.empty() || !utf16::IsHighSurrogate(measured_.back()))) {
        measuredColumns_ += Columns(line, measured_.size());
        measured_.append(line.substr(measured_.size()));
    } else {
        measuredColumns_ = Columns(line, 0);
        measured_.assign(line);
    }
    return measuredColumns_ * kTwipsPerColumn;
}

}  // namespace sorvani
