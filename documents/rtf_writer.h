#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <vector>

#include "document_source.h"
#include "export_progress.h"

namespace sorvani::documents {

// The document as RTF: its text with the font, size, colour, bold, italic, underline and
// strike-through of every run. Text outside ASCII is written as \uN with its code page 936
// bytes as the fallback, so that readers with and without Unicode get it back; the font table
// names the fonts the document uses, the document's default font first. The progress counts the
// runs' characters and paragraph ends.
QByteArray WriteRtf(const DocumentSource& source, const ExportProgress& progress = {});
QByteArray WriteRtf(const QTextDocument& document);

// Receives RTF's bytes as they are written.
using RtfSink = std::function<void(QByteArrayView)>;

// The RTF of a plain document (its text set with QTextDocument::setPlainText, in its default font),
// written a paragraph at a time as it comes: the same bytes WriteRtf writes for the document, in
// pieces of some tens of kilobytes.
class PlainRtfWriter {
  public:
    PlainRtfWriter(const QFont& defaultFont, RtfSink sink);
    ~PlainRtfWriter();

    // A paragraph's text, without its end.
    void AddParagraph(QStringView text);
    // Writes what is still held and the end of the document.
    void Finish();

  private:
    struct Writer;
    std::unique_ptr<Writer> writer_;
};

}  // namespace sorvani::documents
