#pragma once

#include <QIODevice>
#include <QStringView>

#include "pdf_document.h"
#include "printed_page.h"
#include "reading_page_painter.h"

namespace sorvani::documents {

// Writes the annotation as reading material in PDF, a line of the box's text at a time (see
// ReadingPagePainter), every character searchable and copyable.
class ReadingPdfWriter {
  public:
    ReadingPdfWriter(QIODevice& out, PrintedPage page)
        : document_(out, page), pages_(document_.writer, document_.painter, page) {}

    // A line of the box's text, without its line break. Throws DocumentError when the line holds
    // a Chinese character and no installed font draws it.
    void AddLine(QStringView line) {
        RequireChineseFont(line, hasChineseFont_);
        pages_.AddLine(line);
    }
    // Completes the document. False when the device would not take it.
    bool Finish() {
        pages_.Finish();
        return document_.Finish();
    }

  private:
    PdfDocument document_;
    ReadingPagePainter pages_;
    const bool hasChineseFont_ = HasChineseFont();
};

}  // namespace sorvani::documents
