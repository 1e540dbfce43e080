#include "pdf_text_layer.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace sorvani::documents {
namespace {

QByteArray Range(int glyph, int character) {
    return QByteArrayLiteral("<") + QByteArray::number(glyph, 16).toUpper().rightJustified(4, '0') +
           "> <" + QByteArray::number(glyph + 9, 16).toUpper().rightJustified(4, '0') + "> <" +
           QByteArray::number(character, 16).toUpper().rightJustified(4, '0') + ">\n";
}

const QByteArray kHead =
    "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n1 begincodespacerange\n"
    "<0000> <FFFF>\nendcodespacerange\n";
const QByteArray kTail = "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";

// A map of 104 ranges as Qt writes it: a first block of 101, then stale bytes (among them a
// copy of an earlier range) before the second block.
QByteArray BrokenMap() {
    QByteArray first, second;
    for (int i = 0; i < 101; ++i) first += Range(16 * i, 0x4E00 + 16 * i);
    for (int i = 101; i < 104; ++i) second += Range(16 * i, 0x4E00 + 16 * i);
    return kHead + "101 beginbfrange\n" + first + "endbfrange\n3 beginbfrange\n" +
           QByteArray("\0\xB5\xDD*NV\0\0\x90", 10) + Range(16, 0x4E10) + "\x01garbage<00" + second +
           "endbfrange\n" + kTail;
}

TEST(TextLayerRepair, RecoversEveryRangeInBlocksOfAHundredAtTheSameLength) {
    const QByteArray broken = BrokenMap();
    const QByteArray repaired = RepairedToUnicodeMap(broken);
    EXPECT_EQ(repaired.size(), broken.size());
    EXPECT_TRUE(repaired.startsWith(kHead + "100 beginbfrange\n" + Range(0, 0x4E00)));
    EXPECT_TRUE(repaired.endsWith(kTail));
    EXPECT_TRUE(repaired.contains("endbfrange\n4 beginbfrange\n" + Range(1600, 0x4E00 + 1600)));
    for (int i = 0; i < 104; ++i) EXPECT_EQ(repaired.count(Range(16 * i, 0x4E00 + 16 * i)), 1);
    EXPECT_FALSE(repaired.contains("garbage"));
    EXPECT_FALSE(repaired.contains('\0'));
    // A map it cannot read is left as it is.
    EXPECT_EQ(RepairedToUnicodeMap("no map"), QByteArray("no map"));
}

TEST(TextLayerRepair, PassesEverythingElseOnWhereverTheWritesEnd) {
    const QByteArray pdf = "%PDF-1.4\n1 0 obj\n<< /Length 300 >>\nstream\n" + BrokenMap() +
                           "endstream\nendobj\n" + "2 0 obj\n" + BrokenMap() + "trailer\n%%EOF\n";
    QByteArray expected = pdf;
    expected.replace(BrokenMap(), RepairedToUnicodeMap(BrokenMap()));
    for (const qsizetype piece : {qsizetype(1), qsizetype(7), pdf.size()}) {
        QByteArray written;
        QBuffer out(&written);
        out.open(QIODevice::WriteOnly);
        TextLayerRepair repair(out);
        for (qsizetype at = 0; at < pdf.size(); at += piece)
            ASSERT_EQ(repair.write(pdf.mid(at, piece)), std::min(piece, pdf.size() - at));
        EXPECT_TRUE(repair.Finish());
        EXPECT_EQ(written, expected) << piece;
    }
}

}  // namespace
}  // namespace sorvani::documents
