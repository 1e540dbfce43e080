#include "document_font.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "annotator.h"
#include "document_error.h"
#include "pdf_document.h"
#include "test_dictionary.h"

namespace sorvani::documents {
namespace {

// Lays text out in the document font as the document box does (no wrapping) and measures where
// each character of its lines starts.
class DocumentFontLayout : public testing::Test {
  protected:
    DocumentFontLayout() { UseDocumentFont(document); }

    // The x of every character position of a line, plus its end.
    QList<double> Starts(int lineNumber) {
        document.documentLayout();  // lays the document out
        const QTextBlock block = document.findBlockByNumber(lineNumber);
        const QTextLine line = block.layout()->lineAt(0);
        QList<double> starts;
        for (int i = 0; i <= block.length() - 1; ++i) starts << line.cursorToX(i);
        return starts;
    }

    QTextDocument document;
};

#ifndef _WIN32
TEST(DocumentFont, IsTheFontAMissingFontMessageAsksFor) {
    try {
        RequireChineseFont(u"中", false);
        ADD_FAILURE() << "no font asked for";
    } catch (const DocumentError& error) {
        EXPECT_TRUE(error.description().contains(DocumentFont().family()))
            << error.description().toStdString();
    }
}
#endif

TEST_F(DocumentFontLayout, EveryHalfWidthCharacterIsHalfAChineseCharacter) {
    QString halfWidth;
    for (char16_t c = 0x21; c < 0x7F; ++c) halfWidth += QChar(c);
    const QString tones = QStringLiteral("āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜü");
    halfWidth += tones + tones.toUpper() + QStringLiteral(" ");
    document.setPlainText(QStringLiteral("中") + halfWidth);

    const QList<double> starts = Starts(0);
    const double chinese = starts[1] - starts[0];
    ASSERT_GT(chinese, 0);
    for (int i = 1; i < starts.size() - 1; ++i)
        EXPECT_DOUBLE_EQ(starts[i + 1] - starts[i], chinese / 2)
            << "character U+" << std::hex << int(halfWidth.at(i - 1).unicode());
}

// Where each item of an annotated line starts: a syllable or a character, items being parted by
// spaces.
QList<int> ItemStarts(const QString& line) {
    QList<int> starts;
    for (int i = 0; i < line.size(); ++i)
        if (line[i] != u' ' && (i == 0 || line[i - 1] == u' ')) starts << i;
    return starts;
}

TEST_F(DocumentFontLayout, KeepsEverySyllableOfTheAnnotationAboveItsCharacter) {
    // Syllables with tone marks and capitals, a character without a reading that stands above
    // itself, letters, and full-width punctuation. (A syllable of one letter leaves no space
    // after its character, as 啊 has, so its items are not found by spaces: not used here.)
    PinyinDictionary dictionary;
    test_support::FillDictionary(dictionary);
    Annotator annotator(dictionary, "no words");
    document.setPlainText(
        QString::fromStdU16String(annotator.Annotated(u"中文绿色ab，国", ToneMarks::With)));

    const QStringList lines = document.toPlainText().split(u'\n');
    ASSERT_GE(lines.size(), 2);
    const QList<int> syllables = ItemStarts(lines[0]);
    const QList<int> characters = ItemStarts(lines[1]);
    ASSERT_EQ(syllables.size(), 8) << lines[0].toStdString();
    ASSERT_EQ(characters.size(), syllables.size()) << lines[1].toStdString();
    const QList<double> top = Starts(0);
    const QList<double> bottom = Starts(1);
    for (int i = 0; i < syllables.size(); ++i)
        EXPECT_DOUBLE_EQ(top[syllables[i]], bottom[characters[i]])
            << lines[0].mid(syllables[i]).section(u' ', 0, 0).toStdString();
    EXPECT_DOUBLE_EQ(top.last(), bottom.last());
}

}  // namespace
}  // namespace sorvani::documents
