#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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

    // Makes room for that many characters of text in all, so that filling the table from a file
    // of known size copies nothing.
    void Reserve(size_t characters) { text_.reserve(characters); }

    // Stores the record in the next empty row. Throws std::out_of_range when all rows are full.
    void Append(const DictionaryRecord& record);

    // The text of a cell, rows 1 to 25000 and columns 1 to 4; empty for rows not filled. Valid
    // until the next Append.
    std::u16string_view Cell(int row, int column) const;

    // The first row (1-based) whose column 1 or 2 holds exactly the character, or 0.
    int FindRow(char16_t character) const {
        const auto& block = firstRow_[character >> 8];
        return block ? block[character & 0xFF] : 0;
    }

  private:
    void IndexKey(std::u16string_view key, int row);

    // The cells' texts one after another, row by row, and where each cell ends in it: a start
    // costs a few bytes of memory where a string per cell would cost 32, and a whole table takes
    // a handful of allocations, which matters at every start of the program.
    std::u16string text_;
    std::vector<uint32_t> cellEnds_;
    // The first rows by UTF-16 unit, in blocks of 256 units made when a key falls into them: a
    // table for every unit would cost 128 KB zeroed at every start, more than a small dictionary.
    std::array<std::unique_ptr<uint16_t[]>, 256> firstRow_;
    int filled_ = 0;
};

}  // namespace sorvani
