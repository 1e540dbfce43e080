// Any bytes as a word table: the table must be refused with a WordTableError or, once taken,
// answer every lookup within its own words. The bytes are tried as they come, which the checksum
// refuses almost always, and sealed with their own size and checksum, so that the checks of the
// structure behind it are reached.
#include <string>

#include "word_table.h"

namespace {

void TryTable(const std::string& bytes) {
    sorvani::WordTable table;
    try {
        table = sorvani::WordTable::Parse(bytes, "fuzz");
    } catch (const sorvani::WordTableError&) {
        return;
    }
    // Every word finds itself, and every reading is a syllable of the table.
    for (uint32_t word = 0; word < table.size(); ++word) {
        const std::u16string_view text = table.Text(word);
        if (table.LongestMatch(text).length != text.size()) __builtin_trap();
        for (const sorvani::SyllableId id : table.Readings(word))
            if (id == 0 || id > table.Syllables().size()) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TryTable(bytes);
    if (bytes.size() >= sorvani::kWordTableHeaderBytes) {
        sorvani::WordTable::Seal(bytes);
        TryTable(bytes);
    }
    return 0;
}
