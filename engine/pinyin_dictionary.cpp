#include "pinyin_dictionary.h"

#include <stdexcept>

namespace sorvani {

PinyinDictionary::PinyinDictionary() : rows_(kRows), firstRow_(0x10000, 0) {}

void PinyinDictionary::Append(DictionaryRecord record) {
    if (full()) throw std::out_of_range("more than 25000 dictionary records");
    const int row = ++filled_;
    rows_[row - 1] = std::move(record);
    IndexKey(rows_[row - 1][0], row);
    IndexKey(rows_[row - 1][1], row);
}

void PinyinDictionary::IndexKey(const std::u16string& key, int row) {
    // Rows arrive in order, so the first row to claim a key keeps it.
    if (key.size() == 1 && firstRow_[key[0]] == 0) firstRow_[key[0]] = row;
}

const std::u16string& PinyinDictionary::Cell(int row, int column) const {
    if (row < 1 || row > kRows || column < 1 || column > kColumns)
        throw std::out_of_range("dictionary cell out of range");
    return rows_[row - 1][column - 1];
}

}  // namespace sorvani
