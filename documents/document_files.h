#pragma once

#include <QString>
#include <QTextDocument>
#include <stop_token>

#include "document_error.h"
#include "document_format.h"
#include "export_progress.h"
#include "printed_page.h"
#include "rtf_writer.h"

namespace sorvani::documents {

// The most characters (UTF-16 units) an imported document may hold. The document box keeps about
// 50 bytes per character once laid out, and its annotation is two to three times as long: a
// longer text would take gigabytes and minutes in the box, where sorvani-annotate streams it.
inline constexpr qsizetype kLargestImport = 10'000'000;

// Replaces the document's content with a file: RTF when it starts with an RTF header, plain
// text otherwise (see DecodePlainText), in the document's default font. Throws DocumentError
// when the file cannot be read, is no regular file (a pipe or a device, which may never end),
// holds neither, is an RTF file cut short, or holds more than kLargestImport characters; the
// document is then left as it was. Throws sorvani::LongWorkCancelled once a stop is requested,
// the document then partly filled. Returns false when the formatting of an RTF paragraph whose
// format changes too often was simplified (see FillDocument); the text is whole either way.
bool ImportFile(const QString& path, QTextDocument& document, const std::stop_token& stop = {});

// The format an export writes for a file name (DocumentFormatOfName): RTF, the document with its
// formatting, for any name that asks for no other format.
DocumentFormat ExportFormatOf(const QString& path);

// The bytes an export writes: RTF with the document's formatting; in the other formats the
// document's text (CR LF between lines) as TextExport writes it. The progress counts the
// document's characters as they are written.
QByteArray ExportedBytes(const DocumentSource& source, DocumentFormat format, PrintedPage page = {},
                         const ExportProgress& progress = {});
// What printed pages and web pages carry: the text alone, a line break between paragraphs.
QString PagesText(const DocumentSource& source);

// Writes the document to the path, exactly as named (no extension is added), in the format its
// name asks for (ExportFormatOf), printed pages and web pages laid out on the page given, telling
// the progress as it goes. An existing file is replaced only once the new one is completely
// written, so a failed export leaves it untouched. Throws DocumentError describing the failure.
// The source form can be written on another thread than the document's. Stopped, it throws
// sorvani::LongWorkCancelled soon, wherever it is, and leaves the file as it was, with no
// temporary file behind.
void ExportFile(const DocumentSource& source, const QString& path, const std::stop_token& stop = {},
                const PrintedPage& page = {}, const ExportProgress& progress = {});
void ExportFile(const QTextDocument& document, const QString& path);

// Puts the bytes in the file at the path: a new file is written beside it, synced to its disk and
// put in its place only once it is whole, so that a failure or a stop leaves the old file as it
// was. Throws DocumentError describing the failure, or sorvani::LongWorkCancelled when stopped.
void ReplaceFile(const QString& path, QByteArrayView bytes, const std::stop_token& stop = {});

// The document's text as the document box gives it: CR LF between paragraphs and lines.
QString CrLfText(const QTextDocument& document);
// The same of the raw text a document holds (QTextDocument::toRawText, RtfContent::text), so
// that text read without a document comes out as the box gives it.
QString CrLfText(QStringView rawText);

}  // namespace sorvani::documents
