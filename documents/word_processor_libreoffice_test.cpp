#include <gtest/gtest.h>

#include "fake_word_processor.h"
#include "word_processor.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

TEST(WordProcessorHandOff, WriterOpensTheTextAsANewUntitledDocument) {
    FakeWordProcessor office;
    office.Install(u"soffice"_s);
    const auto document = NewWordProcessorDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->Fill(u"pīn yīn\r\n拼 音\r\n"_s));
    const QList<QByteArray> lines = office.WaitForRecord().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "--infilter=Text (encoded):UTF8,LF,,,");
    EXPECT_EQ(lines[1], "-n");
    EXPECT_TRUE(lines[2].endsWith(".txt"));
    EXPECT_EQ(lines.mid(3).join('\n'), u"pīn yīn\n拼 音\n"_s.toUtf8());
}

TEST(WordProcessorHandOff, FindsWriterUnderItsOtherName) {
    FakeWordProcessor office;
    office.Install(u"libreoffice"_s);
    EXPECT_NE(NewWordProcessorDocument(), nullptr);
    office.WaitForRecord();
}

TEST(WordProcessorHandOff, NoWordProcessorInstalled) {
    FakeWordProcessor nothingInstalled;
    EXPECT_EQ(NewWordProcessorDocument(), nullptr);
}

}  // namespace
}  // namespace sorvani::documents
