#include "column_ruler.h"

#include <array>
#include <atomic>
#include <cstdint>

#include "character_width.h"
#include "utf16.h"

namespace sorvani {
namespace {

// Columns of each character of the Basic Multilingual Plane, looked up once, as it first comes:
// the line is measured after every character, and a text holds a few thousand of the 65,536
// (filling the whole table cost more than annotating a page). Shared by every thread; a unit
// looked up by two at once is written twice with the same value. A surrogate half counts as a
// character of its own here.
class UnitColumns {
  public:
    UnitColumns() {
        for (auto& columns : columns_) columns.store(kUnknown, std::memory_order_relaxed);
    }
    int operator()(char16_t unit) {
        uint8_t columns = columns_[unit].load(std::memory_order_relaxed);
        if (columns == kUnknown) {
            columns = static_cast<uint8_t>(CharacterColumns(unit));
            columns_[unit].store(columns, std::memory_order_relaxed);
        }
        return columns;
    }

  private:
    static constexpr uint8_t kUnknown = 0xFF;
    std::array<std::atomic<uint8_t>, 0x10000> columns_;
};

// Columns of the characters from `start` on.
int64_t Columns(std::u16string_view text, size_t start) {
    static UnitColumns unitColumns;
    int64_t columns = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (utf16::CharacterLength(text, i) == 2) {
            columns += CharacterColumns(utf16::CodePoint(text[i], text[i + 1]));
            ++i;
        } else {
            columns += unitColumns(text[i]);
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
