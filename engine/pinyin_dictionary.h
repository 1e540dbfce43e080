#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sorvani {

// One record of the dictionary: two characters under which it is found, the syllable with tone
// marks and the syllable without.
using DictionaryRecord = std::array<std::u16string, 4>;

// The in-memory dictionary: 25000 rows of 4 text columns, filled in record order. Rows after
// the last record stay empty. An index of the key columns answers "the first row whose column 1
// or 2 is exactly this character" without scanning.
class PinyinDictionary {
  public:
    static constexpr int kRows = 25000;
    static constexpr int kColumns = 4;

    PinyinDictionary();

    // Number of rows filled so far.
    int size() const { return filled_; }
    bool full() const { return filled_ == kRows; }

    // Stores the record in the next empty row. Throws std::out_of_range when all rows are full.
    void Append(DictionaryRecord record);

    // The text of a cell, rows 1 to 25000 and columns 1 to 4; empty for rows not filled.
    const std::u16string& Cell(int row, int column) const;

    // The first row (1-based) whose column 1 or 2 holds exactly the character, or 0.
    int FindRow(char16_t character) const { return firstRow_[character]; }

  private:
    void IndexKey(const std::u16string& key, int row);

    std::vector<DictionaryRecord> rows_;
    std::vector<int32_t> firstRow_;
    int filled_ = 0;
};

}  // namespace sorvani
