#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <functional>

#include "printed_page.h"
#include "reading_cells.h"
#include "zip_writer.h"

namespace sorvani::documents {

// Writes the annotation as a Word document (DOCX), a line of the box's text at a time: each
// paragraph of the text a paragraph of the document, every annotated character with its syllable
// as a ruby (w:ruby, the form Word's phonetic guide writes), so that the syllable stays centred
// over its character in any font and as the document is edited; text without a syllable in plain
// runs. Characters at the chosen size, syllables at half, in the chosen case and tone colours; the
// chosen paper with page numbers. The document is compressed and passed on as it is written,
// holding no more than a line of the text.
class DocxWriter {
  public:
    // Receives the document's bytes as they are written.
    using Sink = std::function<void(QByteArrayView)>;

    DocxWriter(Sink sink, const PrintedPage& page);

    // A line of the text, without its line break.
    void AddLine(QStringView line) { cells_.AddLine(line); }
    // Writes what is still open and the end of the document.
    void Finish();

  private:
    void WriteCell(const ReadingCell& cell);
    void EndParagraph();
    void PassOnWhenFull();

    const PrintedPage page_;
    ZipWriter zip_;
    QByteArray out_;
    // The ruby's properties and the syllable's size, the same for every character.
    const QByteArray rubyStart_;
    const QByteArray syllableSize_;
    bool paragraphOpen_ = false;
    bool hasParagraphs_ = false;
    ReadingCellReader cells_;
};

}  // namespace sorvani::documents
