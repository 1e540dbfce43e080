#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <memory>

#include "printed_page.h"
#include "reading_cells.h"

namespace sorvani::documents {

// Writes annotated text as a UTF-8 web page, a line at a time: every annotated character stands
// in <ruby>字<rt>zì</rt></ruby>, so that the browser sets the syllable over it (and a screen reader
// reads both); a character without a syllable stays plain. In the reading layout each paragraph
// of the text is a paragraph of the page, at the chosen size, with space between neighbouring
// syllables, the chosen case and tone colours, and print styles for the chosen paper; with the
// writing-practice grid each annotated character stands in a square of its own and its syllable
// on four lines. In the box layout each line pair becomes a line, and a line that is no
// pinyin line over its character line is written as it is. Everything copied from the text is
// escaped.
class HtmlWriter {
  public:
    // Receives the page's bytes as they are written.
    using Sink = std::function<void(QByteArrayView)>;

    explicit HtmlWriter(Sink sink, const PrintedPage& page = BoxPage());
    ~HtmlWriter();

    // A line of the text, without its line break.
    void AddLine(QStringView line);
    // Writes what is still open and the end of the page.
    void Finish();

    // The page of the box layout, which the writer made before the reading layout.
    static PrintedPage BoxPage() {
        PrintedPage page;
        page.choices.layout = ReadingChoices::Layout::Box;
        return page;
    }

  private:
    void WriteCell(const ReadingCell& cell);
    void EndParagraph();
    void PassOn();
    void WritePair(QStringView pinyin, QStringView characters);
    void WritePlain(QStringView line);

    Sink sink_;
    QByteArray out_;
    QString pinyinLine_;
    bool pending_ = false;  // pinyinLine_ waits for the line below it
    // In the reading layout: the cells of the text's paragraphs.
    std::unique_ptr<ReadingCellReader> cells_;
    bool paragraphOpen_ = false;
    // Each character in a square of the writing-practice grid, its syllable on four lines.
    const bool grid_;
};

}  // namespace sorvani::documents
