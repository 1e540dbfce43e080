#include "document_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "frmmain.h"

namespace {

// Measures where each character of the document box's lines starts, as the box lays them out.
class DocumentBox : public testing::Test {
  protected:
    DocumentBox() : window(dictionary) {
        window.show();
        QApplication::processEvents();
    }

    // The x of every character position of a line, plus its end.
    QList<double> Starts(int lineNumber) const {
        const QTextBlock block = window.Wj->document()->findBlockByNumber(lineNumber);
        const QTextLine line = block.layout()->lineAt(0);
        QList<double> starts;
        for (int i = 0; i <= block.length() - 1; ++i) starts << line.cursorToX(i);
        return starts;
    }

    sorvani::PinyinDictionary dictionary;
    frmmain window;
};

TEST_F(DocumentBox, UsesTheChosenFont) {
    EXPECT_EQ(QFontInfo(window.Wj->font()).family(), sorvani::documents::DocumentFont().family());
    EXPECT_EQ(window.Wj->lineWrapMode(), QTextEdit::NoWrap);
}

TEST_F(DocumentBox, EveryHalfWidthCharacterIsHalfAChineseCharacter) {
    QString halfWidth;
    for (char16_t c = 0x21; c < 0x7F; ++c) halfWidth += QChar(c);
    const QString tones = QStringLiteral("āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜü");
    halfWidth += tones + tones.toUpper() + QStringLiteral(" ");
    window.Wj->setPlainText(QStringLiteral("中") + halfWidth);

    const QList<double> starts = Starts(0);
    const double chinese = starts[1] - starts[0];
    ASSERT_GT(chinese, 0);
    for (int i = 1; i < starts.size() - 1; ++i)
        EXPECT_DOUBLE_EQ(starts[i + 1] - starts[i], chinese / 2)
            << "character U+" << std::hex << int(halfWidth.at(i - 1).unicode());
}

TEST_F(DocumentBox, KeepsEverySyllableAboveItsCharacter) {
    // An annotated pair as the annotate command writes it: each syllable and a space above its
    // character and as many spaces as keep the columns in step.
    const QList<std::pair<QString, QString>> pairs{{"ZHŌNG", "中"}, {"WÉN", "文"}, {"LǙ", "绿"},
                                                   {"SÈ", "色"},    {"a", "a"},    {"Ǘ", "??"}};
    QString pinyin, characters;
    QList<std::pair<int, int>> columns;  // where each syllable and its character start
    for (const auto& [syllable, character] : pairs) {
        columns << std::pair{int(pinyin.size()), int(characters.size())};
        pinyin += syllable + ' ';
        const int wide = character.at(0).unicode() >= 0x2E80 ? 1 : 0;
        characters += character + QString(syllable.size() + 1 - character.size() - wide, ' ');
    }
    window.Wj->setPlainText(pinyin + '\n' + characters);

    const QList<double> top = Starts(0);
    const QList<double> bottom = Starts(1);
    for (const auto& [syllable, character] : columns)
        EXPECT_DOUBLE_EQ(top[syllable], bottom[character]);
    EXPECT_DOUBLE_EQ(top.last(), bottom.last());
}

}  // namespace
