#include "test_dictionary.h"

#include <fstream>

#include "dictionary_file.h"

namespace sorvani::test_support {

const std::vector<DictionaryRecord>& SmallDictionaryRecords() {
    static const std::vector<DictionaryRecord> records{{u"中", u"中", u"zhōng", u"zhong"},
                                                       {u"国", u"國", u"guó", u"guo"},
                                                       {u"绿", u"綠", u"lǜ", u"lü"},
                                                       {u"啊", u"啊", u"ā", u"a"},
                                                       {u"文", u"文", u"wén", u"wen"}};
    return records;
}

void FillDictionary(PinyinDictionary& dictionary, const std::vector<DictionaryRecord>& records) {
    for (const DictionaryRecord& record : records) dictionary.Append(record);
}

void WriteDictionaryFile(const std::filesystem::path& file,
                         const std::vector<DictionaryRecord>& records) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const DictionaryRecord& record : records) WriteDictionaryRecord(out, record);
}

}  // namespace sorvani::test_support
