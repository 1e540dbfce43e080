#include "text_export.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>
#include <stdexcept>

#include "document_font.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// What the export writes when the box holds the whole text, as the window's export gives it.
QByteArray WholeExport(const QString& text, DocumentFormat format, PrintedPage page = {}) {
    QTextDocument document;
    document.setDefaultFont(DocumentFont());
    document.setPlainText(text);
    return ExportedBytes(DocumentSourceOf(document), format, page);
}

// The same written from pieces of the text that end where `ends` says.
QByteArray StreamedExport(const QString& text, DocumentFormat format,
                          const std::vector<qsizetype>& ends, PrintedPage page = {}) {
    QByteArray bytes;
    TextExport exported(format, page, DocumentFont(),
                        [&bytes](QByteArrayView piece) { bytes += piece; });
    qsizetype start = 0;
    for (const qsizetype end : ends) {
        exported.Add(QStringView(text).sliced(start, end - start));
        start = end;
    }
    exported.Add(QStringView(text).sliced(start));
    exported.Finish();
    return bytes;
}

// Pieces of up to `longest` units.
std::vector<qsizetype> RandomEnds(qsizetype size, QRandomGenerator& random, int longest) {
    std::vector<qsizetype> ends;
    for (qsizetype end = random.bounded(longest); end < size; end += 1 + random.bounded(longest))
        ends.push_back(end);
    return ends;
}

// Texts as the annotate command leaves them and texts it never makes: every way to part lines a
// text document knows (CR LF, CR, LF, U+2029, its frame marks), a line separator, runs of
// spaces, tabs, control characters, surrogate pairs and lone halves, characters outside code
// page 936 and RTF's own signs.
QString RandomText(QRandomGenerator& random) {
    static const QStringList kTokens = {
        u"Zhōng "_s, u"guó "_s,   u"中 "_s,    u"国  "_s,   u"\r\n"_s,   u"\r\n"_s,   u"\r\n"_s,
        u"\r"_s,     u"\n"_s,     u"\u2029"_s, u"\u2028"_s, u"\uFDD0"_s, u"\uFDD1"_s, u" "_s,
        u"   "_s,    u"\t"_s,     u"\u0001"_s, u"😀"_s,      u"\xD83D"_s, u"\xDE00"_s, u"{\\}"_s,
        u"é"_s,      u"\u00A0"_s, u"<&>\"'"_s, u"?"_s,      u"\uFEFF"_s, u"한"_s};
    QString text;
    const int tokens = random.bounded(60);
    for (int i = 0; i < tokens; ++i) text += kTokens[random.bounded(kTokens.size())];
    return text;
}

TEST(TextExport, WritesWhatTheWholeExportWritesWhereverThePiecesEnd) {
    QRandomGenerator random(15);
    for (int round = 0; round < 400; ++round) {
        const QString text = RandomText(random);
        for (const DocumentFormat format : {DocumentFormat::Rtf, DocumentFormat::Html}) {
            const QByteArray whole = WholeExport(text, format);
            EXPECT_EQ(StreamedExport(text, format, {}), whole) << text.toStdString();
            EXPECT_EQ(StreamedExport(text, format, RandomEnds(text.size(), random, 4)), whole)
                << text.toStdString();
        }
    }
    // Every end, in a text that starts and ends with a line break.
    const QString text = u"\r\nHàn  \r\n汉  \r\r\n\n\r"_s;
    for (const DocumentFormat format : {DocumentFormat::Rtf, DocumentFormat::Html}) {
        const QByteArray whole = WholeExport(text, format);
        std::vector<qsizetype> ends;
        for (qsizetype end = 0; end <= text.size(); ++end) ends.push_back(end);
        EXPECT_EQ(StreamedExport(text, format, ends), whole);
        EXPECT_EQ(StreamedExport(u""_s, format, {}), WholeExport(u""_s, format));
    }
}

// A PDF names its date; without it, one process writes the same bytes for the same pages.
QByteArray Undated(QByteArray pdf) {
    return QString::fromLatin1(pdf)
        .replace(QRegularExpression(u"/CreationDate \\(D:[^)]*\\)"_s), u""_s)
        .toLatin1();
}

TEST(TextExport, WritesThePagesOfTheWholeExport) {
    QRandomGenerator random(15);
    // Pages filled to their last line (46 on A4, 42 on Letter), so that a line too many would
    // start a page.
    for (const auto& [page, pairs] :
         {std::pair{PrintedPage{}, 23}, {PrintedPage{PrintedPage::Paper::Letter}, 21}}) {
        QString text = u"😀 \u0001\r\n\u2028 \r\n"_s;
        for (int i = 1; i < 2 * pairs; ++i) text += u"Hàn Yǔ  \r\n汉  语  \r\n"_s;
        const QByteArray whole = Undated(WholeExport(text, DocumentFormat::Pdf, page));
        ASSERT_TRUE(whole.startsWith("%PDF-"));
        EXPECT_EQ(Undated(StreamedExport(text, DocumentFormat::Pdf,
                                         RandomEnds(text.size(), random, 30), page)),
                  whole);
    }
}

TEST(TextExport, AFailingSinkStopsTheExportWithItsFailure) {
    for (const DocumentFormat format :
         {DocumentFormat::Rtf, DocumentFormat::Html, DocumentFormat::Pdf}) {
        int writes = 0;
        TextExport exported(format, {}, DocumentFont(), [&writes](QByteArrayView) {
            ++writes;
            throw std::runtime_error("disk full");
        });
        try {
            for (int i = 0; i < 20000; ++i) exported.Add(u"Hàn Yǔ  \r\n汉  语  \r\n"_s);
            exported.Finish();
            ADD_FAILURE() << "no failure";
        } catch (const std::runtime_error& failure) {
            EXPECT_STREQ(failure.what(), "disk full");
        }
        // Nothing is written after the failure.
        EXPECT_EQ(writes, 1);
    }
}

}  // namespace
}  // namespace sorvani::documents
