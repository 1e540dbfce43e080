// Any bytes as a dictionary file: the loader must end with rows or a DictionaryError, nothing
// else, and every stored key must index its row.
#include <sstream>
#include <string>

#include "dictionary_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::stringbuf input(std::string(reinterpret_cast<const char*>(data), size));
    sorvani::PinyinDictionary table;
    try {
        sorvani::ReadDictionaryRecords(table, input, "fuzz");
    } catch (const sorvani::DictionaryError&) {
    }
    for (int row = 1; row <= table.size(); ++row) {
        const std::u16string_view key = table.Cell(row, 1);
        if (key.size() == 1 && (table.FindRow(key[0]) == 0 || table.FindRow(key[0]) > row))
            __builtin_trap();
    }
    return 0;
}
