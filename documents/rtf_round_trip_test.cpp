#include <gtest/gtest.h>

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "document_runs.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;
using inspection::Paragraphs;
using inspection::Runs;

QTextCharFormat Format(const QString& family, double points, QColor color = {}) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    if (color.isValid()) format.setForeground(color);
    return format;
}

// An annotated document as the box holds it: pinyin over characters in a monospaced font,
// with some formatting of every kind.
void FillAnnotated(QTextDocument& document) {
    document.setDefaultFont(QFont(u"LXGW WenKai Mono"_s, 12));
    QTextCursor cursor(&document);
    cursor.insertText(u"hàn  yǔ   pīn  yīn"_s);
    cursor.insertBlock();
    cursor.insertText(u"汉   语   拼   音"_s);
    cursor.insertBlock();
    QTextCharFormat bold = Format(u"黑体"_s, 16, Qt::red);
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"红色粗体"_s, bold);
    QTextCharFormat styled = Format("Courier New", 10.5, QColor(0, 128, 0));
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    styled.setFontStrikeOut(true);
    styled.setBackground(Qt::yellow);
    cursor.insertText(" italic {braces} \\ back\tslash", styled);
    cursor.insertBlock();
    cursor.insertBlock();
    cursor.insertText(u"line\u2028break, € – ก \U0001F600 ü"_s, Format(u"宋体"_s, 9));
}

TEST(RtfRoundTrip, ReadingWhatWasWrittenGivesTheSameTextAndFormatting) {
    QTextDocument original;
    FillAnnotated(original);
    QTextDocument copy;
    ReadRtf(WriteRtf(original), copy);
    EXPECT_EQ(Paragraphs(copy), Paragraphs(original));
    EXPECT_EQ(Runs(copy), Runs(original));
}

TEST(RtfRoundTrip, EmptyAndBlankDocuments) {
    for (const QString& text : {QString(), u"\n"_s, u"\n\n"_s, u" "_s}) {
        QTextDocument original;
        original.setPlainText(text);
        QTextDocument copy;
        copy.setPlainText("old");
        ReadRtf(WriteRtf(original), copy);
        EXPECT_EQ(Paragraphs(copy), Paragraphs(original)) << text.size();
    }
}

TEST(RtfWriter, WritesPortableRtf) {
    QTextDocument document;
    FillAnnotated(document);
    const QByteArray rtf = WriteRtf(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0")) << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("}\r\n"));
    for (const char byte : rtf) ASSERT_LT(static_cast<unsigned char>(byte), 0x80);
    // The font table names the monospaced font first, with its alternative, for Chinese text as
    // well, at the printed size, on a stated page.
    EXPECT_TRUE(
        rtf.contains("{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset134 LXGW WenKai "
                     "Mono{\\*\\falt NSimSun};}"));
    EXPECT_TRUE(rtf.contains("\\hich\\af0\\dbch\\af0\\loch\\f0\\fs24 "));
    EXPECT_TRUE(rtf.contains("\\paperw11906\\paperh16838\\margl1134\\margr1134"));
    // Chinese as \uN with its code page 936 bytes for readers without Unicode.
    // \ucN follows the length of the fallback.
    EXPECT_TRUE(rtf.contains("h\\uc2\\u224\\'a8\\'a4n"));
    // Runs of spaces are kept apart by empty groups.
    EXPECT_TRUE(rtf.contains("\\u27721\\'ba\\'ba {} {} \\u-29715\\'d3\\'ef"));
    EXPECT_TRUE(rtf.contains("\\uc1\\u8364\\'80 \\uc2\\u8211\\'a8\\'43 \\uc1\\u3585\\'3f"));
    EXPECT_TRUE(rtf.contains(
        "{\\colortbl "
        ";\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red255\\green255\\blue0;}"));
}

TEST(RtfWriter, WritesTheBoxFontAsThePrintedFontAtThePrintedSize) {
    // The box's font is sized in pixels, which mean nothing on paper; the Windows box's NSimSun
    // and a run in 新宋体 are the same table entry as the Linux box's font.
    for (const QString& family : {u"LXGW WenKai Mono"_s, u"NSimSun"_s}) {
        QTextDocument document;
        QFont font(family);
        font.setPixelSize(13);
        document.setDefaultFont(font);
        QTextCursor cursor(&document);
        cursor.insertText(u"hàn"_s);
        cursor.insertText(u"汉"_s, Format(u"新宋体"_s, 0, QColor()));
        const QByteArray rtf = WriteRtf(document);
        EXPECT_TRUE(
            rtf.contains("{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset134 LXGW WenKai "
                         "Mono{\\*\\falt NSimSun};}}"))
            << rtf.constData();
        EXPECT_TRUE(rtf.contains("\\loch\\f0\\fs20 h\\uc2\\u224\\'a8\\'a4n\\u27721"))
            << rtf.constData();
    }
}

}  // namespace
}  // namespace sorvani::documents
