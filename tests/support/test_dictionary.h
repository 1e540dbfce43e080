// The small dictionary the tests annotate with, in memory or as a file.
#pragma once

#include <filesystem>
#include <vector>

#include "pinyin_dictionary.h"

namespace sorvani::test_support {

// A few characters with their readings: 中 zhōng, 国 guó (found under its traditional form 國
// too), 绿 lǜ (a vowel with diaeresis), 啊 ā (a syllable of one letter) and 文 wén.
const std::vector<DictionaryRecord>& SmallDictionaryRecords();

// Appends the records to the next rows of the dictionary.
void FillDictionary(PinyinDictionary& dictionary,
                    const std::vector<DictionaryRecord>& records = SmallDictionaryRecords());

// Writes the records as a dictionary file, replacing the file.
void WriteDictionaryFile(const std::filesystem::path& file,
                         const std::vector<DictionaryRecord>& records = SmallDictionaryRecords());

}  // namespace sorvani::test_support
