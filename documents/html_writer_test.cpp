#include "html_writer.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "text_export.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// The web page of the text, in the box layout unless the page says otherwise.
QByteArray WriteHtml(QStringView text, const PrintedPage& page = HtmlWriter::BoxPage()) {
    return ExportedText(text, DocumentFormat::Html, page);
}

struct Page {
    QStringList paragraphs;  // the text of each line, syllables left out
    QStringList rubies;      // each annotated character with its syllable: "汉hàn"
    QString error;
};

Page Parse(const QByteArray& html) {
    Page page;
    QXmlStreamReader reader(html);
    bool inRt = false, inP = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"p"_s) {
            page.paragraphs << QString();
            inP = true;
        }
        if (reader.isEndElement() && reader.name() == u"p"_s) inP = false;
        if (reader.isStartElement() && reader.name() == u"ruby"_s) page.rubies << QString();
        if (reader.isStartElement() && reader.name() == u"rt"_s) inRt = true;
        if (reader.isEndElement() && reader.name() == u"rt"_s) inRt = false;
        if (reader.isCharacters() && inP) {
            if (!inRt) page.paragraphs.back() += reader.text();
            if (reader.text().size() && !page.rubies.isEmpty() &&
                (inRt || page.rubies.back().isEmpty()))
                page.rubies.back() += reader.text();
        }
    }
    if (reader.hasError()) page.error = reader.errorString();
    return page;
}

TEST(HtmlWriter, EveryAnnotatedCharacterStandsInARubyWithItsSyllable) {
    // Two pairs: a wrapped line and its rest; a character not in the dictionary, a letter and
    // a space of the text stay plain.
    const QByteArray html =
        WriteHtml(u"Hàn Yǔ 你 a   Pīn \r\n汉  语 你 a   拼  \r\nA ， Ā \r\n啊， 啊\r\n"_s);
    const Page page = Parse(html);
    EXPECT_EQ(page.error, QString());
    EXPECT_EQ(page.rubies, QStringList({u"汉Hàn"_s, u"语Yǔ"_s, u"拼Pīn"_s, u"啊A"_s, u"啊Ā"_s}));
    EXPECT_EQ(page.paragraphs, QStringList({u"汉语你a 拼"_s, u"啊，啊"_s}));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>\n<html lang=\"zh-Hans\">"));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\"/>"));
}

TEST(HtmlWriter, EscapesEverythingItCopies) {
    const QString hostile = u"<script>alert('x')</script> & \"q\" \u0001"_s;
    // As a pinyin line over itself, and as a line on its own.
    const QByteArray html = WriteHtml(u"< b >   Hàn \r\n< b >   汉  \r\n"_s + hostile);
    EXPECT_FALSE(html.contains("<script")) << html.constData();
    EXPECT_FALSE(html.contains("<b>"));
    EXPECT_FALSE(html.contains('\x01'));
    const Page page = Parse(html);
    EXPECT_EQ(page.error, QString());
    ASSERT_EQ(page.paragraphs.size(), 2);
    EXPECT_EQ(page.paragraphs[0], u"<b> 汉"_s);
    EXPECT_EQ(page.paragraphs[1], u"<script>alert('x')</script> & \"q\" \uFFFD"_s);
}

TEST(HtmlWriter, WritesNoControlCharacterAndLosesNoOtherText) {
    const QByteArray html = WriteHtml(u"a\u0085b\u009Fc\u0080\uFDEFd\u007F"_s);
    for (const char16_t control : {0x85, 0x9F, 0x80, 0xFDEF, 0x7F})
        EXPECT_FALSE(QString::fromUtf8(html).contains(QChar(control))) << int(control);
    const Page page = Parse(html);
    EXPECT_EQ(page.error, QString());
    EXPECT_EQ(page.paragraphs, QStringList({u"a\uFFFDb\uFFFDc\uFFFD\uFFFDd\uFFFD"_s}));
}

TEST(HtmlWriter, APairAfterALineSeparatorStaysAPair) {
    const Page page = Parse(WriteHtml(u"Hàn \u2028汉  \u2029Yǔ \r\n语  "_s));
    EXPECT_EQ(page.error, QString());
    EXPECT_EQ(page.rubies, QStringList({u"汉Hàn"_s, u"语Yǔ"_s}));
}

TEST(HtmlWriter, LinesThatAreNoPairStayAsTheyAreAndAnEmptyTextIsAnEmptyPage) {
    const Page page = Parse(WriteHtml(u"one two\r\nthree\r\n\r\n"_s));
    EXPECT_EQ(page.error, QString());
    EXPECT_EQ(page.paragraphs, QStringList({u"one two"_s, u"three"_s, u""_s}));
    EXPECT_TRUE(page.rubies.isEmpty());
    EXPECT_EQ(Parse(WriteHtml(u""_s)).paragraphs, QStringList({u""_s}));
}

TEST(HtmlWriter, TheReadingLayoutSetsParagraphsWithSyllablesInSmallLettersAndTones) {
    PrintedPage page(PrintedPage::Paper::Letter);
    page.choices.toneColours = true;
    // A pair, then a line that is no pair, with signs to escape.
    const QByteArray html = WriteHtml(u"Hàn Zi \r\n汉  字  \r\n<b> & 你\r\n"_s, page);
    const Page parsed = Parse(html);
    EXPECT_EQ(parsed.error, QString());
    EXPECT_EQ(parsed.rubies, QStringList({u"汉hàn"_s, u"字zi"_s}));
    EXPECT_EQ(parsed.paragraphs, QStringList({u"汉字"_s, u"<b> & 你"_s}));
    EXPECT_TRUE(html.contains("<rt class=\"t4\">hàn</rt>"));
    // Printed on the chosen paper with page numbers.
    EXPECT_TRUE(
        html.contains("@page { size: letter; margin: 2cm; @bottom-center { content: "
                      "counter(page);"));
    EXPECT_TRUE(html.contains("rt.t4 { color: #7b2d8e; }"));
}

TEST(HtmlWriter, TheGridSquaresEveryAnnotatedCharacterWithLinesThatPrint) {
    PrintedPage page;
    page.choices.grid = true;
    const QByteArray html = WriteHtml(u"Hàn Yǔ ， Ā   a b \r\n汉  语 ， 啊  a b \r\n"_s, page);
    const Page parsed = Parse(html);
    EXPECT_EQ(parsed.error, QString());
    EXPECT_EQ(parsed.paragraphs, QStringList({u"汉语，啊 ab"_s}));
    EXPECT_EQ(parsed.rubies, QStringList({u"汉hàn"_s, u"语yǔ"_s, u"啊ā"_s}));
    // Punctuation and letters stay plain, so that the browser's line breaking applies to them.
    EXPECT_EQ(html.count("<ruby><span>"), 3);
    // Browsers print borders but leave backgrounds out.
    EXPECT_TRUE(html.contains("border: 0.5pt solid #808080"));
    EXPECT_FALSE(html.contains("background-image"));
    EXPECT_FALSE(WriteHtml(u"Hàn\r\n汉\r\n"_s, PrintedPage()).contains("<span>"));
}

TEST(HtmlWriter, HandsOnTheSameBytesAPieceAtATime) {
    QString text;
    for (int i = 0; i < 5000; ++i) text += u"Zhong Wen \r\n中    文   \r\n"_s;
    QByteArray pieces;
    int calls = 0;
    HtmlWriter writer([&](QByteArrayView bytes) {
        pieces += bytes;
        ++calls;
    });
    for (const QString& line : text.split(u"\r\n"_s)) writer.AddLine(line);
    writer.Finish();
    EXPECT_GT(calls, 2);
    EXPECT_EQ(pieces, WriteHtml(text + u"\r\n"_s));
}

}  // namespace
}  // namespace sorvani::documents
