#include "docx_writer.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include "reading_style.h"
#include "zip_reader.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// A pair of the annotation: 汉 hàn, 语 yǔ, 啊 ā with punctuation, letters and a space between.
const QStringList kPair = {u"Hàn Yǔ ， Ā   a b "_s, u"汉  语 ， 啊  a b "_s};

QByteArray Docx(const QStringList& lines, const PrintedPage& page = {}) {
    QByteArray docx;
    DocxWriter writer([&](QByteArrayView bytes) { docx += bytes; }, page);
    for (const QString& line : lines) writer.AddLine(line);
    writer.Finish();
    return docx;
}

QString Part(const QByteArray& docx, const char* name) {
    return QString::fromUtf8(testing_zip::ReadZip(docx).value(name));
}

// The paragraphs' runs in order: a ruby as "base/syllable" (without the spaces that keep the
// syllables apart), a plain run as its text.
QStringList Runs(const QString& document) {
    static const QRegularExpression run(
        uR"(<w:ruby>.*?<w:rt>.*?<w:t[^>]*>([^<]*)</w:t>.*?<w:rubyBase>.*?<w:t[^>]*>([^<]*)</w:t>.*?</w:ruby>|<w:t[^>]*>([^<]*)</w:t>|</w:p>)"_s);
    QStringList runs;
    for (const auto& match : run.globalMatch(document)) {
        if (match.captured(0) == u"</w:p>"_s)
            runs << u"¶"_s;
        else if (match.hasCaptured(3))
            runs << match.captured(3);
        else
            runs << match.captured(2) + u"/"_s + match.captured(1).trimmed();
    }
    return runs;
}

bool WellFormed(const QString& xml) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) reader.readNext();
    return !reader.hasError();
}

TEST(DocxWriter, SetsEveryAnnotatedCharacterInARubyAndTheRestInPlainRuns) {
    const QString document =
        Part(Docx(kPair + QStringList{u"Yǔ "_s, u"语 "_s}), "word/document.xml");
    EXPECT_EQ(Runs(document), QStringList({u"汉/hàn"_s, u"语/yǔ"_s, u"，"_s, u"啊/ā"_s, u" ab"_s,
                                           u"¶"_s, u"语/yǔ"_s, u"¶"_s}));
    // Word's phonetic guide, centred, in Chinese.
    EXPECT_EQ(document.count(u"<w:ruby><w:rubyPr><w:rubyAlign w:val=\"center\"/>"_s), 4);
    EXPECT_EQ(document.count(u"<w:lid w:val=\"zh-CN\"/></w:rubyPr>"_s), 4);
    EXPECT_FALSE(document.contains(u"<w:color"_s));
    // Each syllable with a kept space at both sides, so that wide syllables stay apart and
    // centred.
    EXPECT_TRUE(document.contains(u"<w:t xml:space=\"preserve\"> hàn </w:t>"_s));
}

TEST(DocxWriter, SizesCaseAndToneColoursFollowTheChoices) {
    const QByteArray plain = Docx(kPair);
    const QString document = Part(plain, "word/document.xml");
    // Characters at 16 points, syllables at 8, in half-points.
    EXPECT_TRUE(document.contains(
        u"<w:hps w:val=\"16\"/><w:hpsRaise w:val=\"32\"/><w:hpsBaseText w:val=\"32\"/>"_s));
    EXPECT_TRUE(document.contains(u"<w:sz w:val=\"16\"/><w:szCs w:val=\"16\"/>"_s));
    EXPECT_TRUE(Part(plain, "word/styles.xml").contains(u"<w:sz w:val=\"32\"/>"_s));
    EXPECT_TRUE(Part(plain, "word/styles.xml").contains(u"w:eastAsia=\"LXGW WenKai\""_s));

    PrintedPage page;
    page.choices.size = 36;
    page.choices.capitals = true;
    page.choices.toneColours = true;
    const QByteArray large = Docx({u"Hàn Zi "_s, u"汉  字  "_s}, page);
    const QString chosen = Part(large, "word/document.xml");
    EXPECT_TRUE(chosen.contains(
        u"<w:hps w:val=\"36\"/><w:hpsRaise w:val=\"72\"/><w:hpsBaseText w:val=\"72\"/>"_s));
    EXPECT_TRUE(Part(large, "word/styles.xml").contains(u"<w:sz w:val=\"72\"/>"_s));
    EXPECT_EQ(Runs(chosen), QStringList({u"汉/Hàn"_s, u"字/Zi"_s, u"¶"_s}));
    // The fourth tone coloured as the other reading outputs colour it; the neutral tone plain.
    const QString fourth = ToneColour(page.choices, 4).name().mid(1).toUpper();
    EXPECT_EQ(chosen.count(u"<w:color w:val=\"%1\"/><w:sz w:val=\"36\"/>"_s.arg(fourth)), 1);
    EXPECT_EQ(chosen.count(u"<w:color"_s), 1);
}

TEST(DocxWriter, EscapesWhatItCopiesAndWritesNoControlCharacter) {
    const QString document = Part(Docx({u"<b>&amp; 'y'\u0001"_s}), "word/document.xml");
    EXPECT_TRUE(WellFormed(document));
    EXPECT_EQ(Runs(document).join(QString()), u"&lt;b&gt;&amp;amp; &#39;y&#39;\uFFFD¶"_s);
}

TEST(DocxWriter, IsAPackageOfWellFormedPartsTheSameForTheSameText) {
    QStringList lines;
    for (int i = 0; i < 3000; ++i) lines << kPair;
    const QByteArray docx = Docx(lines, PrintedPage::Paper::Letter);
    const auto parts = testing_zip::ReadZip(docx);
    EXPECT_EQ(parts.keys(),
              QList<QByteArray>({"[Content_Types].xml", "_rels/.rels",
                                 "word/_rels/document.xml.rels", "word/document.xml",
                                 "word/fontTable.xml", "word/footer1.xml", "word/styles.xml"}));
    for (const QByteArray& part : parts) EXPECT_TRUE(WellFormed(QString::fromUtf8(part)));
    const QString document = QString::fromUtf8(parts.value("word/document.xml"));
    EXPECT_EQ(document.count(u"<w:ruby>"_s), 3 * 3000);
    EXPECT_TRUE(document.contains(u"<w:pgSz w:w=\"12240\" w:h=\"15840\"/>"_s));
    EXPECT_LT(docx.size(), document.toUtf8().size() / 10);
    // The same choices give the same bytes.
    EXPECT_EQ(Docx(lines, PrintedPage::Paper::Letter), docx);
}

TEST(DocxWriter, AnEmptyTextIsADocumentOfOneEmptyParagraph) {
    const QString document = Part(Docx({}), "word/document.xml");
    EXPECT_TRUE(WellFormed(document));
    EXPECT_TRUE(document.contains(u"<w:body><w:p/><w:sectPr>"_s));
}

}  // namespace
}  // namespace sorvani::documents
