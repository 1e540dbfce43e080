#include "document_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "file_sync.h"
#include "plain_text.h"
#include "qt_text.h"
#include "rtf_reader.h"
#include "rtf_writer.h"
#include "text_decoder.h"
#include "text_export.h"
#include "text_insertion.h"
#include "text_lines.h"

namespace sorvani::documents {
namespace {

QString Failure(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1“%2”：%3").arg(what, QDir::toNativeSeparators(path), reason);
}

// Read a piece at a time, so that a stop is heeded soon even for a long file.
constexpr qint64 kReadPiece = 1 << 20;

QByteArray ReadWholeFile(const QString& path, const std::stop_token& stop) {
    // Only a regular file surely ends: a pipe waits for its writer, a device may never end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw DocumentError(Failure(QStringLiteral("无法导入文件"), path,
                                    QStringLiteral("它不是普通文件，只能导入文本文件或RTF文件")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(Failure(QStringLiteral("无法打开文件"), path, file.errorString()));
    QByteArray bytes;
    bytes.reserve(file.size() + kReadPiece);
    for (;;) {
        ThrowIfStopped(stop);
        const qsizetype had = bytes.size();
        bytes.resize(had + kReadPiece);
        const qint64 read = file.read(bytes.data() + had, kReadPiece);
        if (read < 0)
            throw DocumentError(Failure(QStringLiteral("无法读取文件"), path, file.errorString()));
        bytes.resize(had + read);
        if (read == 0) return bytes;
    }
}

// Writes all of the bytes: a write may take fewer than it is given (a disk that fills takes what
// room is left), and only the next one reports why. A megabyte at a time, heeding a stop between.
void WriteAll(QSaveFile& file, QByteArrayView bytes, const QString& path,
              const std::stop_token& stop) {
    constexpr qsizetype kLargestWrite = 1 << 20;
    while (!bytes.isEmpty()) {
        ThrowIfStopped(stop);
        const qint64 written = file.write(bytes.data(), std::min(bytes.size(), kLargestWrite));
        if (written <= 0)
            throw DocumentError(Failure(QStringLiteral("无法写入文件"), path, file.errorString()));
        bytes = bytes.sliced(written);
    }
}

// A plain text takes at most three bytes for each of its characters.
constexpr qsizetype kMostBytesPerCharacter = 3;

void CheckLength(qsizetype characters, const QString& path) {
    if (characters > kLargestImport)
        throw DocumentError(
            Failure(QStringLiteral("无法导入文件"), path,
                    QStringLiteral(
                        "文件太大，文本框最多只能容纳%1万个字符；大文件请用 sorvani-annotate 注音")
                        .arg(kLargestImport / 10'000)));
}

}  // namespace

bool ImportFile(const QString& path, QTextDocument& document, const std::stop_token& stop) {
    QByteArray bytes = ReadWholeFile(path, stop);
    const bool rtf = text::IsRtf(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    // The file's bytes go as soon as they are read: a long file is held once, not twice.
    if (rtf) {
        const RtfContent content = ReadRtfContent(bytes, stop);
        bytes = QByteArray();
        // A file cut short would lose the rest of its text without a word; sorvani-annotate
        // refuses it on the same judgement.
        if (!content.complete)
            throw DocumentError(Failure(QStringLiteral("无法导入文件"), path,
                                        QStringLiteral("RTF文件不完整，在文档结束之前就断了")));
        CheckLength(content.text.size(), path);
        return FillDocument(content, document, stop);
    }
    // Surely too long: refused before it is decoded.
    CheckLength(bytes.size() / kMostBytesPerCharacter, path);
    QString plainText;
    try {
        plainText = DecodePlainText(bytes);
    } catch (const text::NotTextError&) {
        throw DocumentError(Failure(QStringLiteral("无法导入文件"), path,
                                    QStringLiteral("它既不是文本文件，也不是RTF文件")));
    }
    bytes = QByteArray();
    CheckLength(plainText.size(), path);
    FillPlainText(plainText, document, stop);
    return true;
}

DocumentFormat ExportFormatOf(const QString& path) {
    return DocumentFormatOfName(U16View(path)).value_or(DocumentFormat::Rtf);
}

QString PagesText(const DocumentSource& source) {
    QString text;
    for (const DocumentSource::Run& run : source.runs) {
        text += run.text;
        if (run.endsParagraph && &run != &source.runs.back()) text += QStringLiteral("\r\n");
    }
    return text;
}

QByteArray ExportedBytes(const DocumentSource& source, DocumentFormat format, PrintedPage page,
                         const ExportProgress& progress) {
    if (format == DocumentFormat::Rtf) return WriteRtf(source, progress);
    // The pages carry the text alone, in the printed font.
    return ExportedText(PagesText(source), format, page, progress);
}

void ExportFile(const DocumentSource& source, const QString& path, const std::stop_token& stop,
                const PrintedPage& page, const ExportProgress& progress) {
    // The writers stop where they tell their progress.
    const QByteArray bytes =
        ExportedBytes(source, ExportFormatOf(path), page, [&](qint64 written, qint64 total) {
            ThrowIfStopped(stop);
            if (progress) progress(written, total);
        });
    ReplaceFile(path, bytes, stop);
}

void ReplaceFile(const QString& path, QByteArrayView bytes, const std::stop_token& stop) {
    ThrowIfStopped(stop);
    QSaveFile file(path);
    // Unbuffered, each write reports a full disk itself: a failed flush of what a buffer held
    // would not keep the temporary file from replacing the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw DocumentError(Failure(QStringLiteral("无法写入文件"), path, file.errorString()));
    WriteAll(file, bytes, path, stop);
    if (const auto failure = SyncToDisk(file))
        throw DocumentError(Failure(QStringLiteral("无法写入文件"), path, *failure));
    // Stopped now, the file is left as it was: the new one is not put in its place.
    ThrowIfStopped(stop);
    if (!file.commit())
        throw DocumentError(Failure(QStringLiteral("无法写入文件"), path, file.errorString()));
}

void ExportFile(const QTextDocument& document, const QString& path) {
    ExportFile(DocumentSourceOf(document), path);
}

QString CrLfText(const QTextDocument& document) { return CrLfText(document.toRawText()); }

QString CrLfText(QStringView rawText) {
    // As QTextDocument::toPlainText gives the text: its paragraphs end lines, a no-break space is a
    // space.
    QString text;
    text.reserve(rawText.size() + rawText.size() / 8);
    DocumentLineReader lines;
    for (const QChar c : rawText) {
        switch (lines.Read(c.unicode())) {
            case DocumentLineReader::Unit::Text:
                text += c == QChar::Nbsp ? QChar(u' ') : c;
                break;
            case DocumentLineReader::Unit::Break:
                text += u"\r\n";
                break;
            case DocumentLineReader::Unit::RestOfBreak:
                break;
        }
    }
    return text;
}

}  // namespace sorvani::documents
