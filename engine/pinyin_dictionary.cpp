#include "pinyin_dictionary.h"

#include <stdexcept>

namespace sorvani {

static_assert(PinyinDictionary::kRows <= UINT16_MAX, "row numbers are kept in 16 bits");

PinyinDictionary::PinyinDictionary() {
    // Memory that is never touched costs nothing, so the ends of every row fit from the start.
    cellEnds_.reserve(static_cast<size_t>(kRows) * kColumns);
}

void PinyinDictionary::Append(const DictionaryRecord& record) {
    if (full()) throw std::out_of_range("more than 25000 dictionary records");
    // An Append that ran out of memory may have left part of a row behind.
    cellEnds_.resize(static_cast<size_t>(filled_) * kColumns);
    text_.resize(cellEnds_.empty() ? 0 : cellEnds_.back());
    for (const auto& cell : record) {
        text_ += cell;
        cellEnds_.push_back(static_cast<uint32_t>(text_.size()));
    }
    const int row = ++filled_;
    IndexKey(record[0], row);
    IndexKey(record[1], row);
}

void PinyinDictionary::IndexKey(std::u16string_view key, int row) {
    // Rows arrive in order, so the first row to claim a key keeps it.
    if (key.size() != 1) return;
    auto& block = firstRow_[key[0] >> 8];
    if (!block) block = std::make_unique<uint16_t[]>(256);
    if (block[key[0] & 0xFF] == 0) block[key[0] & 0xFF] = static_cast<uint16_t>(row);
}

std::u16string_view PinyinDictionary::Cell(int row, int column) const {
    if (row < 1 || row > kRows || column < 1 || column > kColumns)
        throw std::out_of_range("dictionary cell out of range");
    if (row > filled_) return {};
    const size_t cell = static_cast<size_t>(row - 1) * kColumns + static_cast<size_t>(column - 1);
    const size_t start = cell == 0 ? 0 : cellEnds_[cell - 1];
    return std::u16string_view(text_).substr(start, cellEnds_[cell] - start);
}

}  // namespace sorvani
