#include "zip_writer.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "document_error.h"
#include "zip_reader.h"

namespace sorvani::documents {
namespace {

TEST(ZipWriter, WritesEntriesThatReadBackWholeAndPassesThemOnAsItGoes) {
    // What does not compress, in odd pieces.
    QByteArray noise(3 << 20, '\0');
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    QByteArray archive;
    qsizetype largestPiece = 0;
    ZipWriter zip([&](QByteArrayView bytes) {
        archive += bytes;
        largestPiece = std::max(largestPiece, bytes.size());
    });
    zip.StartEntry("empty");
    zip.StartEntry("text.xml");
    zip.Write("<a>");
    zip.Write(QByteArray("<b/>").repeated(100'000));
    zip.Write("</a>");
    zip.StartEntry("dir/noise");
    for (qsizetype at = 0; at < noise.size(); at += 100'003)
        zip.Write(
            QByteArrayView(noise).sliced(at, std::min<qsizetype>(100'003, noise.size() - at)));
    // The entries so far went on without waiting for the end.
    EXPECT_GT(archive.size(), 2 << 20);
    zip.Finish();
    EXPECT_LT(largestPiece, 1 << 18);

    const auto entries = testing_zip::ReadZip(archive);
    EXPECT_EQ(entries.keys(), QList<QByteArray>({"dir/noise", "empty", "text.xml"}));
    EXPECT_EQ(entries.value("empty"), QByteArray());
    EXPECT_EQ(entries.value("text.xml"), "<a>" + QByteArray("<b/>").repeated(100'000) + "</a>");
    EXPECT_EQ(entries.value("dir/noise"), noise);
    // The repetitive text is compressed.
    EXPECT_LT(archive.size(), noise.size() + 10'000);
}

}  // namespace
}  // namespace sorvani::documents
