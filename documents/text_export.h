#pragma once

#include <QByteArrayView>
#include <QFont>
#include <QString>
#include <QStringView>
#include <functional>
#include <memory>

#include "document_files.h"
#include "printed_page.h"
#include "text_lines.h"

namespace sorvani::documents {

// Writes the lines of the text in one of the formats.
class LineExport;

// The export of a document box that holds a text as it is (QTextDocument::setPlainText, in the
// box's font), written while the text arrives in pieces: the same bytes ExportedBytes writes for
// that document, but holding no more than a line of the text. Lines part at every line break
// (text::IsLineBreak) and at the text document's frame marks; RTF keeps a line separator inside
// its paragraph.
class TextExport {
  public:
    // Receives the exported bytes as they are written; it may throw, and the throw reaches the
    // caller of Add or Finish.
    using Sink = std::function<void(QByteArrayView)>;

    TextExport(DocumentFormat format, PrintedPage page, const QFont& boxFont, Sink sink);
    // Hands each line, without its line break, to `line`, as the pages get them.
    explicit TextExport(std::function<void(QStringView line)> line);
    ~TextExport();

    // The next piece of the text; a piece may end anywhere, inside a CR LF pair or a surrogate
    // pair too.
    void Add(QStringView text);
    // The text has ended: writes the rest and the end of the document.
    void Finish();

  private:
    void EndLine();

    std::unique_ptr<LineExport> lines_;
    const bool keepsFinalEmptyLine_;
    const bool keepsLineSeparators_;
    DocumentLineReader lineReader_;
    QString line_;
    bool afterBreak_ = false;  // a line has ended
};

// What TextExport writes for the whole text, given a piece at a time so that the progress, which
// counts the text's characters, is told as the pages fill.
QByteArray ExportedText(QStringView text, DocumentFormat format, PrintedPage page = {},
                        const ExportProgress& progress = {}, const QFont& boxFont = {});

}  // namespace sorvani::documents
