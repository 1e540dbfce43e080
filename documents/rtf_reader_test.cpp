#include "rtf_reader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <random>

#include "document_runs.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;
using inspection::Paragraphs;
using inspection::RunOf;

QStringList Read(QByteArrayView source) {
    QTextDocument document;
    ReadRtf(source, document);
    return Paragraphs(document);
}

TEST(RtfReader, ParagraphsLinesTabsAndEscapes) {
    EXPECT_EQ(Read("{\\rtf1 Hello\\par World\\line x\\tab y \\\\\\{\\}\\par\r\nlast}"),
              QStringList({"Hello", u"World\u2028x\ty \\{}"_s, "last"}));
    // Raw line breaks are no text; a backslash before one is a paragraph mark.
    EXPECT_EQ(Read("{\\rtf1 a\r\nb\\\nc}"), QStringList({"ab", "c"}));
    EXPECT_EQ(Read("{\\rtf1 \\emdash\\lquote x\\rquote\\~\\bullet}"),
              QStringList({u"\u2014\u2018x\u2019\u00A0\u2022"_s}));
}

TEST(RtfReader, TheLastParagraphMarkEndsTheLastParagraph) {
    EXPECT_EQ(Read("{\\rtf1 a\\par}"), QStringList({"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\par\\par}"), QStringList({"a", ""}));
    EXPECT_EQ(Read("{\\rtf1 a}"), QStringList({"a"}));
    EXPECT_EQ(Read("{\\rtf1 \\par}"), QStringList({""}));
    // Nothing after the document's closing brace belongs to it.
    EXPECT_EQ(Read("{\\rtf1 a}b"), QStringList({"a"}));
}

TEST(RtfReader, CodePage936BytesAndFontNames) {
    const QByteArray source =
        "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\\f0 \\'d6\\'d0\\'ce\\'c4 \xba\xba\\'d7\xd6\\f1 abc}";
    QTextDocument document;
    ReadRtf(source, document);
    // Double-byte characters may come as \'hh pairs, raw bytes or a mix of both.
    EXPECT_EQ(Paragraphs(document), QStringList({u"中文 汉字abc"_s}));
    EXPECT_EQ(RunOf(document, u"中文"_s).family, u"宋体"_s);
    EXPECT_EQ(RunOf(document, "abc").family, "Arial");
}

TEST(RtfReader, FontTableEntries) {
    QTextDocument document;
    ReadRtf(
        "{\\rtf1{\\fonttbl{\\f0\\froman{\\*\\panose 0202}Times {}New Roman;}"
        "\\f1\\fswiss Arial;\\f2 Courier New;{\\f3 No Semicolon}}"
        "\\f0 a\\f1 b\\f2 c\\f3 d}",
        document);
    EXPECT_EQ(RunOf(document, "a").family, "Times New Roman");
    EXPECT_EQ(RunOf(document, "b").family, "Arial");
    EXPECT_EQ(RunOf(document, "c").family, "Courier New");
    EXPECT_EQ(RunOf(document, "d").family, "No Semicolon");
}

TEST(RtfReader, CodePagesOfDocumentAndFonts) {
    // The document's code page applies to fonts without a character set of their own.
    EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'c0\\'e1}"),
              QStringList({u"Аб"_s}));
    EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 X;}{\\f1\\fcharset204 Y;}"
                   "{\\f2\\cpg1253 Z;}}\\f0\\'d6\\'d0\\f1\\'c0\\f2\\'e1}"),
              QStringList({u"中Аα"_s}));
    EXPECT_EQ(Read("{\\rtf1\\ansi caf\\'e9}"), QStringList({u"café"_s}));
}

TEST(RtfReader, UnicodeCharactersSkipTheirFallback) {
    EXPECT_EQ(Read("{\\rtf1 \\u20013?\\u25991?}"), QStringList({u"中文"_s}));
    EXPECT_EQ(Read("{\\rtf1\\uc2 \\u20013\\'d6\\'d0\\u25991\\'ce\\'c4x}"),
              QStringList({u"中文x"_s}));
    EXPECT_EQ(Read("{\\rtf1\\uc0 \\u20013 x}"), QStringList({u"中x"_s}));
    EXPECT_EQ(Read("{\\rtf1 \\u-21504?}"), QStringList({u"가"_s}));
    EXPECT_EQ(Read("{\\rtf1 \\u-10179?\\u-8704?}"), QStringList({u"\U0001F600"_s}));
    // The fallback ends with its group, and \uc holds only inside its group.
    EXPECT_EQ(Read("{\\rtf1 {\\u20013}xy}"), QStringList({u"中xy"_s}));
    EXPECT_EQ(Read("{\\rtf1 {\\uc0 \\u20013}\\u25991?}"), QStringList({u"中文"_s}));
}

TEST(RtfReader, WhatIsNoCharacterBecomesAReplacementOrIsDropped) {
    // NUL is dropped; numbers out of the 16-bit range, controls and noncharacters become U+FFFD.
    EXPECT_EQ(Read("{\\rtf1 a\\u0 b\\u-2147483648 c\\u99999 d\\u1 e\\u127 f\\u-2 g\\u-1 h}"),
              QStringList({u"a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"_s}));
    EXPECT_EQ(Read("{\\rtf1 a\\'00b\\'01c\\'7fd\\u64976?e}"),
              QStringList({u"ab\uFFFDc\uFFFDd\uFFFDe"_s}));
    // CR and LF would end paragraphs in a text document; only \\par does.
    EXPECT_EQ(Read("{\\rtf1 a\\u13?b\\'0ac}"), QStringList({u"a\uFFFDb\uFFFDc"_s}));
    // Surrogate halves count only as a pair, in either order of writing.
    EXPECT_EQ(Read("{\\rtf1 \\u-10179?x\\u-8704?\\u-8704?\\u-10179?}"),
              QStringList({u"\uFFFDx\uFFFD\uFFFD\uFFFD"_s}));
    EXPECT_EQ(Read("{\\rtf1 {\\b \\u-10179?}\\u-8704?}"), QStringList({u"\U0001F600"_s}));
    // The tab is text; NUL and controls in font names go the same way.
    QTextDocument document;
    ReadRtf("{\\rtf1{\\fonttbl{\\f0 A\\u0?rial\\u1?;}}\\f0 x\\u9?y}", document);
    EXPECT_EQ(Paragraphs(document), QStringList({"x\ty"}));
    EXPECT_EQ(RunOf(document, "x").family, u"Arial\uFFFD"_s);
}

TEST(RtfReader, EachDistinctFormatIsKeptOnce) {
    QByteArray source = "{\\rtf1 ";
    for (int i = 0; i < 1000; ++i) source += "\\b a\\b0 b{\\i\\u0}\\par ";
    const RtfContent content = ReadRtfContent(source + "}");
    EXPECT_EQ(content.formats.size(), 2u);
    // Formats that get no text (the italic one) take no room.
    EXPECT_EQ(content.runs.size(), 2000u);
    EXPECT_EQ(content.text.size(), 3 * 1000 - 1);
}

TEST(RtfReader, AParagraphOfManyRunsAndManyParagraphs) {
    // Building the document paragraph by paragraph once took time growing with the square of a
    // paragraph's runs: this paragraph took minutes.
    QByteArray source = "{\\rtf1 ";
    for (int i = 0; i < 50'000; ++i) source += "\\b a\\b0 b";
    QTextDocument document;
    ReadRtf(source + "\\par" + QByteArray("\\par").repeated(100'000) + "}", document);
    EXPECT_EQ(document.blockCount(), 100'001);
    EXPECT_EQ(document.firstBlock().text(), QByteArray("ab").repeated(50'000));
    EXPECT_EQ(inspection::Runs(document).size(),
              static_cast<size_t>(kMostFormatChangesInParagraph));
}

// The content's runs as (start, format) pairs.
std::vector<std::pair<qsizetype, int>> Pairs(const std::vector<RtfContent::Run>& runs) {
    std::vector<std::pair<qsizetype, int>> pairs;
    for (const auto& run : runs) pairs.emplace_back(run.start, run.format);
    return pairs;
}

TEST(RtfReader, AParagraphKeepsItsFormatOnceItHasChangedTooOften) {
    RtfContent content;
    content.text = u"abcdef\u2029ghi\u2029jk\u2029lmn"_s;
    // Paragraphs start at 0, 7, 11 and 14; the run at 4 goes on to 12, in the third paragraph.
    content.runs = {{0, 0}, {2, 1}, {3, 2}, {4, 3}, {12, 4}, {13, 5}, {14, 6}, {15, 7}};
    using Runs = std::vector<std::pair<qsizetype, int>>;
    EXPECT_EQ(Pairs(LimitFormatChanges(content, 8)), Pairs(content.runs));
    // The first paragraph keeps format 1 from 2 on; the next starts in format 3, which the text
    // had there, and each later paragraph has its own changes.
    EXPECT_EQ(Pairs(LimitFormatChanges(content, 2)),
              (Runs{{0, 0}, {2, 1}, {7, 3}, {12, 4}, {13, 5}, {14, 6}, {15, 7}}));
    EXPECT_EQ(Pairs(LimitFormatChanges(content, 1)), (Runs{{0, 0}, {7, 3}, {12, 4}, {14, 6}}));
    // A run at a paragraph's separator belongs to the paragraph it ends; a run left out that goes
    // on to the end starts the paragraph after its own.
    content.runs = {{0, 0}, {6, 1}, {9, 2}};
    EXPECT_EQ(Pairs(LimitFormatChanges(content, 1)), (Runs{{0, 0}, {7, 1}, {11, 2}}));
}

TEST(RtfReader, TheDocumentLimitsFormatChangesButKeepsTheText) {
    QByteArray source = "{\\rtf1 ";
    const int changes = kMostFormatChangesInParagraph + 500;
    for (int i = 0; i < changes; ++i) source += i % 2 ? "\\b0 b" : "\\b a";
    source += "\\par{\\i x}y\\par}";
    const RtfContent content = ReadRtfContent(source);
    QTextDocument document;
    EXPECT_FALSE(FillDocument(content, document));
    EXPECT_EQ(document.toRawText(), content.text);
    const auto runs = inspection::Runs(document);
    // Each run of the first paragraph but its last is one character; the second paragraph keeps
    // its italic x.
    EXPECT_EQ(runs.size(), static_cast<size_t>(kMostFormatChangesInParagraph) + 2);
    EXPECT_EQ(document.firstBlock().text().size(), changes);
    EXPECT_TRUE(document.lastBlock().begin().fragment().charFormat().fontItalic());

    QTextDocument ordinary;
    EXPECT_TRUE(FillDocument(ReadRtfContent("{\\rtf1 a\\b b\\par c}"), ordinary));
}

TEST(RtfReader, TheDocumentHoldsExactlyTheContentsText) {
    // What the tool annotates (the content's text) is what the window's box holds.
    const QByteArrayList sources = {
        "{\\rtf1 \\par\\par}", "{\\rtf1 a\\line b\\~c\\u8233 d\\u-1264 e\\u65279 f\\par\\par}",
        "{\\rtf1{\\b\\par}{\\i\\par}x{\\u-10179}\\u-8704 y\\u0\\par}",
        "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'d6 \\'ce\\'c4\\tab\\cell\\row}"};
    for (const QByteArray& source : sources) {
        const RtfContent content = ReadRtfContent(source);
        QTextDocument document;
        FillDocument(content, document);
        EXPECT_EQ(document.toRawText(), content.text) << source.data();
    }
}

TEST(RtfReader, CharacterFormattingTurnsOnAndOff) {
    const QByteArray source =
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;"
        "\\red0\\green0\\blue255;}\\f0 plain \\f1\\fs32\\cf1\\b\\i\\ul\\strike all"
        "\\b0\\i0\\ulnone\\strike0 \\cf2 off{\\b\\cf0 group}back\\plain reset\\uldb\\i1 more"
        "\\highlight1 marked\\highlight0 unmarked}";
    QTextDocument document;
    ReadRtf(source, document);
    using inspection::TextRun;
    EXPECT_EQ(RunOf(document, "plain"), (TextRun{"plain ", "Arial", 12, QColor()}));
    EXPECT_EQ(RunOf(document, "all"),
              (TextRun{"all", "Courier New", 16, Qt::red, true, true, true, true}));
    // The group's formatting ends with it.
    EXPECT_EQ(RunOf(document, "off"), (TextRun{"off", "Courier New", 16, Qt::blue}));
    EXPECT_EQ(RunOf(document, "group"), (TextRun{"group", "Courier New", 16, QColor(), true}));
    EXPECT_EQ(RunOf(document, "back"), (TextRun{"back", "Courier New", 16, Qt::blue}));
    EXPECT_EQ(RunOf(document, "reset"), (TextRun{"reset", "Arial", 12, QColor()}));
    EXPECT_EQ(RunOf(document, "more"), (TextRun{"more", "Arial", 12, QColor(), false, true, true}));
    EXPECT_EQ(RunOf(document, "marked").background, QColor(Qt::red));
    EXPECT_FALSE(RunOf(document, "unmarked").background.isValid());
}

TEST(RtfReader, DoubleByteRunsHaveTheirOwnFontAndSize) {
    const QByteArray source =
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 SimSun;}}\\f0\\fs20 "
        "{\\dbch\\afs32\\ab\\af1\\dbch \\u20013?}"
        "{\\hich\\af1\\loch\\f0 abc}"
        "{\\rtlch\\af0\\afs40 \\ltrch\\loch\\af0\\hich\\af0\\dbch\\af1 \\u25991?}}";
    QTextDocument document;
    ReadRtf(source, document);
    using inspection::TextRun;
    EXPECT_EQ(RunOf(document, u"中"_s), (TextRun{u"中"_s, "SimSun", 16, QColor(), true}));
    EXPECT_EQ(RunOf(document, "abc"), (TextRun{"abc", "Arial", 10, QColor()}));
    // Associated properties of right-to-left text are not those of Chinese.
    EXPECT_EQ(RunOf(document, u"文"_s), (TextRun{u"文"_s, "SimSun", 10, QColor()}));
}

TEST(RtfReader, SkipsWhatIsNoText) {
    EXPECT_EQ(Read("{\\rtf1{\\*\\generator Writer;}{\\info{\\title T}{\\author A}}"
                   "{\\stylesheet{\\s0 Normal;}}{\\*\\unknown abc}\\unknownword visible "
                   "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
                   "{\\pict\\pngblip 89504e47}\\-\\bin4 {}\\}end}"),
              QStringList({"visible linkend"}));
}

TEST(RtfReader, AnObjectShowsItsResult) {
    EXPECT_EQ(Read("{\\rtf1 \\u27721?{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}"
                   "{\\result{\\u35821?}}}\\u25340?}"),
              QStringList({u"汉语拼"_s}));
    // Without a result, nothing of the object.
    EXPECT_EQ(Read("{\\rtf1 a{\\object{\\*\\objdata 0102}}b}"), QStringList({"ab"}));
}

TEST(RtfReader, SurvivesHostileInput) {
    const QByteArray deep = QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
    EXPECT_EQ(Read("{\\rtf1 " + deep + " after}"), QStringList({"deep after"}));
    EXPECT_EQ(Read(QByteArray(100000, '{')), QStringList({""}));
    EXPECT_EQ(Read("{\\rtf1 a\\bin2147483647 bcd}"), QStringList({"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\bin99999999999999999999 bcd}"), QStringList({"a"}));
    EXPECT_EQ(Read("{\\rtf1 a\\bin-5 b}"), QStringList({"ab"}));
    EXPECT_EQ(Read("{\\rtf1 a\\fs99999999999\\u99999999999 b\\" + QByteArray(10000, 'x') + " c}"),
              QStringList({u"a\uFFFDc"_s}));
    for (const char* truncated : {"{\\rtf1{\\fonttbl{\\f0 Ari", "{\\rtf1 abc\\'d", "{\\rtf1 abc\\",
                                  "{\\rtf1 abc\\u", "{\\rtf1 abc{\\*", "{\\rtf1{\\colortbl\\red"})
        EXPECT_NO_THROW(Read(truncated)) << truncated;
    EXPECT_EQ(Read("{\\rtf1{\\fonttbl{\\f0 Ari"), QStringList({""}));
}

TEST(RtfReader, TellsWhetherTheSourceHeldTheWholeDocument) {
    QTextDocument document;
    const QByteArray deep = QByteArray(5000, '{') + "deep" + QByteArray(5000, '}');
    for (const QByteArray& complete :
         QByteArrayList{"{\\rtf1 a}", "{\\rtf1 a}junk after", "{\\rtf1 " + deep + "}"})
        EXPECT_TRUE(ReadRtf(complete, document)) << complete.left(20).data();
    for (const QByteArray& cut :
         QByteArrayList{"{\\rtf1 a", "{\\rtf1 " + deep, "{\\rtf1 a\\bin9 bc}", "{\\rtf1 {a}"})
        EXPECT_FALSE(ReadRtf(cut, document)) << cut.left(20).data();
}

TEST(RtfReader, ThousandsOfFonts) {
    QByteArray source = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 5000; ++i)
        source += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    source += "}\\f4999 x}";
    QTextDocument document;
    ReadRtf(source, document);
    EXPECT_EQ(RunOf(document, "x").family, "Font4999");
}

TEST(RtfReader, SurvivesRandomJunk) {
    // Fragments of RTF and raw bytes in random order; a fixed seed keeps failures repeatable.
    const char* pieces[] = {"{",    "}",     "\\",        "\\'",        "\\u",   "\\uc", "\\bin",
                            "\\*",  "\\f",   "\\fonttbl", "\\colortbl", "\\red", ";",    "\\dbch",
                            "\\af", "\\par", "-",         "9",          "12345", "\xd6", "\xd0",
                            "\x01", " ",     "\\pict",    "ab"};
    std::mt19937 random(8);
    for (int document = 0; document < 300; ++document) {
        QByteArray source = "{\\rtf1";
        for (int i = 0; i < 2000; ++i) source += pieces[random() % std::size(pieces)];
        EXPECT_NO_THROW(Read(source));
    }
    QByteArray bytes(20000, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    EXPECT_NO_THROW(Read("{\\rtf1" + bytes));
}

}  // namespace
}  // namespace sorvani::documents
