// Files written by real word processors load with their text exact and their formatting shown.

#include <gtest/gtest.h>

#include <QTextDocument>

#include "document_files.h"
#include "document_runs.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;
using inspection::Paragraphs;
using inspection::RunOf;
using inspection::TextRun;

class RtfFixture : public testing::Test {
  protected:
    void Load(const char* name) {
        ImportFile(QStringLiteral(SORVANI_RTF_FIXTURES "/") + QLatin1String(name), document_);
    }

    QTextDocument document_;
};

TEST_F(RtfFixture, LibreOfficeChinese) {
    Load("libreoffice_chinese.rtf");
    EXPECT_EQ(Paragraphs(document_),
              QStringList({u"汉语拼音是中华人民共和国官方颁布的汉字注音拉丁化方案。"_s,
                           u"红色粗体标题，后面是普通文字。"_s,
                           u"Mixed English 和中文 text 下划线 删除线"_s, u"hàn yǔ pīn yīn"_s,
                           u"汉 语 拼 音"_s}));
    EXPECT_EQ(RunOf(document_, u"汉语拼音是"_s).family, u"宋体"_s);
    EXPECT_EQ(RunOf(document_, u"红色"_s),
              (TextRun{u"红色粗体标题"_s, u"黑体"_s, 16, QColor(255, 0, 0), true}));
    EXPECT_EQ(RunOf(document_, "Mixed"), (TextRun{u"Mixed English 和中文 text"_s, "Courier New", 10,
                                                  QColor(0, 0, 255), false, true}));
    EXPECT_EQ(RunOf(document_, u"下划线"_s),
              (TextRun{u"下划线"_s, u"宋体"_s, 14, QColor(0, 128, 0), false, false, true}));
    EXPECT_TRUE(RunOf(document_, u"删除线"_s).strike);
    EXPECT_EQ(RunOf(document_, u"pīn"_s).family, "LXGW WenKai Mono");
    EXPECT_EQ(RunOf(document_, u"汉 语"_s).family, "LXGW WenKai Mono");
}

TEST_F(RtfFixture, LibreOfficeEnglish) {
    Load("libreoffice_english.rtf");
    EXPECT_EQ(Paragraphs(document_),
              QStringList({"The quick brown fox jumps over the lazy dog.", "Bold purple heading",
                           "italic underlined struck braces {} and \\ backslash",
                           u"Accents: café, naïve, Zürich – “quoted”."_s}));
    EXPECT_EQ(RunOf(document_, "Bold"),
              (TextRun{"Bold purple heading", "Arial", 18, QColor(128, 0, 128), true}));
    EXPECT_TRUE(RunOf(document_, "italic").italic);
    EXPECT_TRUE(RunOf(document_, "underlined").underline);
    EXPECT_TRUE(RunOf(document_, "struck").strike);
    EXPECT_EQ(RunOf(document_, "quick").family, "Times New Roman");
}

TEST_F(RtfFixture, WordPadChinese) {
    Load("wordpad_chinese.rtf");
    EXPECT_EQ(Paragraphs(document_),
              QStringList({u"汉语拼音，是中文的注音方案。"_s, u"红色黑体，后面是宋体。"_s,
                           "English italic and underline struck", u"绿色 《书名》 €"_s, ""}));
    EXPECT_EQ(RunOf(document_, u"汉语"_s).family, u"宋体"_s);
    EXPECT_EQ(RunOf(document_, u"红色"_s), (TextRun{u"红色黑体"_s, u"黑体"_s, 16, Qt::red, true}));
    EXPECT_EQ(RunOf(document_, "italic"), (TextRun{"italic", "Arial", 10, Qt::blue, false, true}));
    EXPECT_EQ(RunOf(document_, u"绿色"_s).color, QColor(0, 128, 0));
    EXPECT_EQ(RunOf(document_, u"绿色"_s).points, 10.5);
}

TEST_F(RtfFixture, WordPadEnglish) {
    Load("wordpad_english.rtf");
    EXPECT_EQ(Paragraphs(document_),
              QStringList({u"Café au lait, naïve “quotes”"_s, "green courier"}));
    EXPECT_EQ(RunOf(document_, "green"),
              (TextRun{"green courier", "Courier New", 14, QColor(0, 128, 0)}));
}

// Exporting what was imported keeps everything the import showed.
TEST_F(RtfFixture, SurviveExportAndImport) {
    for (const char* name : {"libreoffice_chinese.rtf", "libreoffice_english.rtf",
                             "wordpad_chinese.rtf", "wordpad_english.rtf"}) {
        Load(name);
        QTextDocument again;
        ReadRtf(WriteRtf(document_), again);
        EXPECT_EQ(Paragraphs(again), Paragraphs(document_)) << name;
        EXPECT_EQ(inspection::Runs(again), inspection::Runs(document_)) << name;
    }
}

}  // namespace
}  // namespace sorvani::documents
