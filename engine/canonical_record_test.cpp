#include "canonical_record.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dictionary_field.h"
#include "dictionary_file.h"

namespace sorvani {
namespace {

std::string Written(const DictionaryRecord& record) {
    std::ostringstream out;
    WriteDictionaryRecord(out, record);
    return out.str();
}

// What the general reading of the bytes gives: the first record of a dictionary read from them.
DictionaryRecord ReadGenerally(const std::string& bytes) {
    std::stringbuf input(bytes);
    PinyinDictionary table;
    ReadDictionaryRecords(table, input, "test");
    DictionaryRecord record;
    for (int column = 1; column <= PinyinDictionary::kColumns; ++column)
        record[column - 1] = std::u16string(table.Cell(1, column));
    return record;
}

TEST(CanonicalRecordTest, ReadsWhatTheToolsWriteAsTheGeneralReadingDoes) {
    const std::vector<DictionaryRecord> records = {
        {u"中", u"中", u"zhōng", u"zhong"},
        {u"绿", u"綠", u"lǜ", u"lü"},
        // Longer than the key, whose positions then start again.
        {u"?", u"a", u"āáǎàēéěèīíǐìōóǒòūú", u"aaaaeeeeiiiioooouuuu"},
    };
    for (const auto& record : records) {
        const std::string bytes = Written(record);
        DictionaryRecord read;
        // Up to its line end, whatever follows.
        EXPECT_EQ(ReadCanonicalRecord(bytes + "\"1\"\r\n", DictionaryKey, read), bytes.size());
        EXPECT_EQ(read, record);
        EXPECT_EQ(read, ReadGenerally(bytes));
    }
}

TEST(CanonicalRecordTest, NumbersWithoutACharacterAreDroppedAsTheGeneralReadingDrops) {
    // 0 ^ 'w' is a character, 200 ^ 'x' is no code, -1 has no character.
    const std::string bytes = "\"0 200 -1\",\"1\",\"2\",\"3\"\r\n";
    DictionaryRecord read;
    ASSERT_EQ(ReadCanonicalRecord(bytes, DictionaryKey, read), bytes.size());
    EXPECT_EQ(read, ReadGenerally(bytes));
}

TEST(CanonicalRecordTest, LeavesEveryOtherFormToTheGeneralReading) {
    const std::string field = "\"" + EncodeDictionaryField(u"中", DictionaryKey) + "\"";
    const std::string rest = "," + field + "," + field + "," + field;
    for (const std::string& bytes : {
             field + rest + "\n",                         // LF alone
             field + rest + "\r",                         // CR alone
             field + rest,                                // no line end yet
             " " + field + rest + "\r\n",                 // a blank in front
             "-11572" + rest + "\r\n",                    // unquoted
             "\"\"" + rest + "\r\n",                      // empty
             "\"1  2\"" + rest + "\r\n",                  // an empty number
             "\"1.5\"" + rest + "\r\n",                   // a fraction
             "\"1234567\"" + rest + "\r\n",               // more digits than a code takes
             "\"-\"" + rest + "\r\n",                     // a sign alone
             field + "," + field + "," + field + "\r\n",  // three fields
             field.substr(0, field.size() - 1),           // cut inside a field
         }) {
        DictionaryRecord read;
        EXPECT_EQ(ReadCanonicalRecord(bytes, DictionaryKey, read), 0u) << bytes;
    }
}

}  // namespace
}  // namespace sorvani
