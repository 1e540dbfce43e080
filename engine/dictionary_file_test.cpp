#include "dictionary_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dictionary_field.h"

namespace sorvani {
namespace {

class DictionaryFileTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("sorvani-dict-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path Write(const std::string& bytes) {
        const auto file = DictionaryFilePath(dir_);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    static std::string Record(const DictionaryRecord& record) {
        std::ostringstream out;
        WriteDictionaryRecord(out, record);
        return out.str();
    }

    static std::string Field(std::u16string_view plain) {
        return EncodeDictionaryField(plain, DictionaryKey);
    }

    std::filesystem::path dir_;
    PinyinDictionary table_;
};

TEST_F(DictionaryFileTest, LoadsRecordsInOrder) {
    LoadPinyinDictionary(table_, Write(Record({u"中", u"中", u"zhōng", u"zhong"}) +
                                       Record({u"国", u"國", u"guó", u"guo"})));
    EXPECT_EQ(table_.size(), 2);
    EXPECT_EQ(table_.Cell(1, 3), u"zhōng");
    EXPECT_EQ(table_.Cell(2, 2), u"國");
    EXPECT_EQ(table_.Cell(3, 1), u"");
    EXPECT_EQ(table_.Cell(25000, 4), u"");
}

TEST_F(DictionaryFileTest, EmptyFileLoadsNothing) {
    LoadPinyinDictionary(table_, Write(""));
    EXPECT_EQ(table_.size(), 0);
}

TEST_F(DictionaryFileTest, FieldsAreAStreamAcrossLinesAndQuotes) {
    // Unquoted, blanks in front, a record split over two lines, LF and CR line ends.
    const std::string file = "  " + Field(u"中") + ",\"" + Field(u"中") + "\"\n" + Field(u"zhōng") +
                             "," + Field(u"zhong") + "\r" + "\"" + Field(u"a") + "\" ,,,\r\n";
    LoadPinyinDictionary(table_, Write(file));
    ASSERT_EQ(table_.size(), 2);
    EXPECT_EQ(table_.Cell(1, 1), u"中");
    EXPECT_EQ(table_.Cell(1, 4), u"zhong");
    EXPECT_EQ(table_.Cell(2, 1), u"a");
    EXPECT_EQ(table_.Cell(2, 2), u"");
}

TEST_F(DictionaryFileTest, RecordsAcrossTheReadingWindowsEdgesLoadWhole) {
    // The file is read in windows of 64 KB: shifting the records byte by byte puts every part of
    // one (a quote, a CR LF pair, a field split over two lines) on a window's edge.
    const std::vector<std::string> shapes = {Record({u"中", u"中", u"zhōng", u"zhong"}),
                                             "  " + Field(u"国") + " ,\"" + Field(u"國") + "\"\r" +
                                                 Field(u"guó") + "\n" + Field(u"guo") + "\r",
                                             "\"" + Field(u"绿") + "\",\"" + Field(u"绿") +
                                                 "\",\"" + Field(u"lǜ") + "\",\"" + Field(u"lü") +
                                                 "\"\n"};
    const std::vector<DictionaryRecord> plain = {{u"中", u"中", u"zhōng", u"zhong"},
                                                 {u"国", u"國", u"guó", u"guo"},
                                                 {u"绿", u"绿", u"lǜ", u"lü"}};
    for (size_t shift = 0; shift < 48; ++shift) {
        std::string file(shift, ' ');
        int records = 0;
        while (file.size() < (64 << 10) + 200) file += shapes[records++ % shapes.size()];
        PinyinDictionary table;
        LoadPinyinDictionary(table, Write(file));
        ASSERT_EQ(table.size(), records) << "shift " << shift;
        for (int row = 1; row <= records; ++row)
            for (int column = 1; column <= 4; ++column)
                ASSERT_EQ(table.Cell(row, column), plain[(row - 1) % plain.size()][column - 1])
                    << "shift " << shift << " row " << row;
    }
}

TEST_F(DictionaryFileTest, RecordCutShortIsInputPastEndWithItsNumber) {
    const std::string one = Record({u"中", u"中", u"zhōng", u"zhong"});
    for (const std::string& tail : {std::string("\r\n"), Field(u"a") + "," + Field(u"b")}) {
        PinyinDictionary table;
        try {
            LoadPinyinDictionary(table, Write(one + tail));
            FAIL() << "no failure";
        } catch (const DictionaryError& error) {
            EXPECT_EQ(error.kind(), DictionaryError::Kind::InputPastEnd);
            EXPECT_NE(std::string(error.what()).find("record 2"), std::string::npos);
            EXPECT_NE(std::string(error.what()).find(kDictionaryFileName), std::string::npos);
        }
        EXPECT_EQ(table.size(), 1);  // the rows before the failure stay
    }
}

TEST_F(DictionaryFileTest, ExactlyFullLoadsAndOneMoreRecordFails) {
    std::string file;
    for (int i = 0; i < PinyinDictionary::kRows; ++i) file += "1,2,3,4\r\n";
    LoadPinyinDictionary(table_, Write(file));
    EXPECT_EQ(table_.size(), PinyinDictionary::kRows);

    PinyinDictionary overfull;
    try {
        LoadPinyinDictionary(overfull, Write(file + "5,6,7,8\r\n"));
        FAIL() << "no failure";
    } catch (const DictionaryError& error) {
        EXPECT_EQ(error.kind(), DictionaryError::Kind::TooManyRecords);
    }
    EXPECT_TRUE(overfull.full());
}

TEST_F(DictionaryFileTest, AFileLargerThanAnyDictionaryStopsBeingRead) {
    // One endless field, as a device of zeros gives, and records past the limit.
    for (const std::string& file :
         {std::string(kDictionaryByteLimit + 1, '\0'), std::string(kDictionaryByteLimit, 'x') + ",",
          std::string(kDictionaryByteLimit - 8, ' ') + "1,2,3,4\r\n"}) {
        PinyinDictionary table;
        try {
            LoadPinyinDictionary(table, Write(file));
            FAIL() << "no failure for " << file.size() << " bytes";
        } catch (const DictionaryError& error) {
            EXPECT_EQ(error.kind(), DictionaryError::Kind::TooLarge) << error.what();
            EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos);
        }
    }
    // Up to the limit a file is read.
    LoadPinyinDictionary(table_, Write(std::string(kDictionaryByteLimit - 9, ' ') + "1,2,3,4\r\n"));
    EXPECT_EQ(table_.size(), 1);
}

TEST_F(DictionaryFileTest, MissingFileNamesItsPath) {
    const auto file = dir_ / "absent" / kDictionaryFileName;
    try {
        LoadPinyinDictionary(table_, file);
        FAIL() << "no failure";
    } catch (const DictionaryError& error) {
        EXPECT_EQ(error.kind(), DictionaryError::Kind::FileMissing);
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos);
    }
    EXPECT_THROW(LoadPinyinDictionary(table_, dir_), DictionaryError);  // a directory
}

TEST_F(DictionaryFileTest, SurvivesHostileBytes) {
    using namespace std::string_literals;
    // A quoted field holding NUL, a stray byte and line ends, then a ten-million-digit number.
    const std::string junk = "\"12 13\0\xff,,\r\r\n\n\","s + std::string(10'000'000, '9') + ",x,y";
    LoadPinyinDictionary(table_, Write(junk));
    EXPECT_EQ(table_.size(), 1);
    EXPECT_EQ(table_.Cell(1, 1), u"{");  // 12 ^ 'w'; the rest of the field is no number
    EXPECT_EQ(table_.Cell(1, 2), u"");

    PinyinDictionary unterminated;
    EXPECT_THROW(LoadPinyinDictionary(unterminated, Write("\"1,2,3,4")), DictionaryError);
}

}  // namespace
}  // namespace sorvani
