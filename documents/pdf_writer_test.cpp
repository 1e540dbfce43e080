#include "pdf_writer.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "text_export.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// The text's lines as the box shows them, on the paper given.
QByteArray WritePdf(QStringView text, PrintedPage::Paper paper = PrintedPage::Paper::A4) {
    ReadingChoices box;
    box.layout = ReadingChoices::Layout::Box;
    return ExportedText(text, DocumentFormat::Pdf, {paper, box});
}

int Pages(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(u"/Type\\s*/Page\\b"_s)));
}

TEST(PdfWriter, StatesItsPaperAndFillsWholePairsPerPage) {
    QString text;
    for (int i = 0; i < 46; ++i) text += u"Zhong \r\n中    \r\n"_s;
    const QByteArray a4 = WritePdf(text);
    EXPECT_TRUE(a4.startsWith("%PDF-"));
    EXPECT_TRUE(a4.contains("/MediaBox [0 0 595.")) << a4.left(2000).constData();
    // 46 lines a page on A4, 42 on Letter.
    EXPECT_EQ(Pages(a4), 2);
    const QByteArray letter = WritePdf(text, PrintedPage::Paper::Letter);
    EXPECT_TRUE(letter.contains("/MediaBox [0 0 612.000000 792.000000]"));
    EXPECT_EQ(Pages(letter), 3);
    EXPECT_EQ(Pages(WritePdf(u""_s)), 1);
}

}  // namespace
}  // namespace sorvani::documents
