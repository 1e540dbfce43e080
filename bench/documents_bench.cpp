// Import and export of a large annotated document: RTF written by the export, RTF in the style
// of LibreOffice Writer (every character a \uN in its own run settings), and plain text.
#include <benchmark/benchmark.h>

#include <QTextCursor>
#include <QTextDocument>

#include "document_files.h"
#include "html_writer.h"
#include "plain_text.h"
#include "rtf_reader.h"
#include "rtf_writer.h"
#include "text_export.h"

namespace {

using namespace sorvani::documents;
using sorvani::DocumentFormat;

constexpr int kLinePairs = 2000;  // about 200 pages of annotated text

QString AnnotatedText() {
    QString text;
    for (int i = 0; i < kLinePairs; ++i) {
        text += QStringLiteral("hàn  yǔ   pīn  yīn  shì  zhōng huá rén  mín  gòng hé   guó\n");
        text += QStringLiteral("汉   语   拼   音   是   中   华   人   民   共   和   国\n");
    }
    return text;
}

QByteArray LibreOfficeStyleRtf() {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 LXGW WenKai Mono;}}";
    for (const QString& line : AnnotatedText().split('\n')) {
        rtf += "\\pard\\plain{\\dbch\\afs24\\af0\\dbch ";
        for (const QChar c : line) {
            if (c.unicode() < 0x80)
                rtf += static_cast<char>(c.unicode());
            else
                rtf += "\\u" + QByteArray::number(static_cast<int16_t>(c.unicode())) + "\\'3f";
        }
        rtf += "}\r\n\\par ";
    }
    return rtf + "}";
}

void WriteAnnotated(benchmark::State& state) {
    QTextDocument document;
    document.setPlainText(AnnotatedText());
    for (auto _ : state) benchmark::DoNotOptimize(WriteRtf(document));
}
BENCHMARK(WriteAnnotated)->Unit(benchmark::kMillisecond);

// An annotated document of 1 MB in UTF-8, its characters from some thousands of different ones,
// so that the PDF's font subset is as large as a real document's.
QString AnnotatedMegabyte() {
    const QStringList syllables = {QStringLiteral("zhōng"), QStringLiteral("guó"),
                                   QStringLiteral("rén"), QStringLiteral("shuāng"),
                                   QStringLiteral("a")};
    QString text;
    char32_t next = 0x4E00;
    while (text.toUtf8().size() < 1'000'000) {
        QString pinyin, characters;
        for (int i = 0; i < 14; ++i) {
            const QString& syllable = syllables[(next + i) % syllables.size()];
            pinyin += syllable + u' ';
            characters += QString::fromUcs4(&next, 1) + QString(syllable.size() - 1, u' ');
            next = 0x4E00 + (next - 0x4E00 + 7) % 6000;
        }
        text += pinyin + QStringLiteral("\r\n") + characters + QStringLiteral("\r\n");
    }
    return text;
}

void WritePages(benchmark::State& state) {
    const QString text = AnnotatedMegabyte();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportedText(text, DocumentFormat::Pdf, HtmlWriter::BoxPage()));
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(WritePages)->Unit(benchmark::kMillisecond);

// The same megabyte as reading material, the default of the export.
void WriteReadingPages(benchmark::State& state) {
    const QString text = AnnotatedMegabyte();
    const DocumentSource source{QFont(), {{text, QTextCharFormat(), false}}};
    for (auto _ : state) benchmark::DoNotOptimize(ExportedBytes(source, DocumentFormat::Pdf));
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(WriteReadingPages)->Unit(benchmark::kMillisecond);

// The same megabyte in the writing-practice grid: a square and four lines for every character.
void WriteReadingPagesInTheGrid(benchmark::State& state) {
    const QString text = AnnotatedMegabyte();
    const DocumentSource source{QFont(), {{text, QTextCharFormat(), false}}};
    PrintedPage page;
    page.choices.grid = true;
    for (auto _ : state) benchmark::DoNotOptimize(ExportedBytes(source, DocumentFormat::Pdf, page));
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(WriteReadingPagesInTheGrid)->Unit(benchmark::kMillisecond);

void WriteWebPage(benchmark::State& state) {
    const QString text = AnnotatedMegabyte();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportedText(text, DocumentFormat::Html, HtmlWriter::BoxPage()));
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(WriteWebPage)->Unit(benchmark::kMillisecond);

// The same megabyte as a Word document with every syllable a ruby over its character.
void WriteWordDocument(benchmark::State& state) {
    const QString text = AnnotatedMegabyte();
    const DocumentSource source{QFont(), {{text, QTextCharFormat(), false}}};
    for (auto _ : state) benchmark::DoNotOptimize(ExportedBytes(source, DocumentFormat::Docx));
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(WriteWordDocument)->Unit(benchmark::kMillisecond);

void ReadRepeatedly(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument document;
        ReadRtf(rtf, document);
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}

void ReadExported(benchmark::State& state) {
    QTextDocument original;
    original.setPlainText(AnnotatedText());
    ReadRepeatedly(state, WriteRtf(original));
}
BENCHMARK(ReadExported)->Unit(benchmark::kMillisecond);

void ReadLibreOfficeStyle(benchmark::State& state) { ReadRepeatedly(state, LibreOfficeStyleRtf()); }
BENCHMARK(ReadLibreOfficeStyle)->Unit(benchmark::kMillisecond);

// Hostile RTF of about 10 MB: the format changes every character within one paragraph, or
// nothing but paragraph marks. The window reads the whole document; the tool only its text.
QByteArray FormatChangesEveryCharacter() {
    return "{\\rtf1 " + QByteArray("\\b a\\b0 b").repeated(10'000'000 / 9) + "}";
}
QByteArray ParagraphMarks() { return "{\\rtf1 " + QByteArray("\\par").repeated(2'500'000) + "}"; }

void ReadHostileDocument(benchmark::State& state, const QByteArray& rtf) {
    ReadRepeatedly(state, rtf);
}
BENCHMARK_CAPTURE(ReadHostileDocument, format_changes, FormatChangesEveryCharacter())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadHostileDocument, paragraph_marks, ParagraphMarks())
    ->Unit(benchmark::kMillisecond);

void ReadHostileText(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadRtfContent(rtf));
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK_CAPTURE(ReadHostileText, format_changes, FormatChangesEveryCharacter())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadHostileText, paragraph_marks, ParagraphMarks())
    ->Unit(benchmark::kMillisecond);

void ReadPlainText(benchmark::State& state) {
    const QByteArray bytes = AnnotatedText().toUtf8();
    for (auto _ : state) {
        QTextDocument document;
        document.setPlainText(DecodePlainText(bytes));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(ReadPlainText)->Unit(benchmark::kMillisecond);

}  // namespace
