#pragma once

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringView>

#include "pdf_text_layer.h"
#include "printed_page.h"

namespace sorvani::documents {

// What every printed PDF is painted on: Qt's PDF engine on the page's paper, painted in twips
// with the margins left to the painter, writing through the repair of its text layer, so that
// every character drawn can be searched and copied.
class PdfDocument {
  public:
    PdfDocument(QIODevice& out, const PrintedPage& page);
    // Abandoned on a failure while still painting: ending the engine would write the rest of
    // the document, allocating as it goes, and a second failure (no memory, no room) must not
    // escape a destructor, so the painter lets go of the engine unended.
    ~PdfDocument();

    // Completes the document. False when the device would not take it.
    bool Finish();

  private:
    TextLayerRepair textLayer_;  // before the writer, which writes into it

  public:
    QPdfWriter writer;
    QPainter painter;
};

// Whether some installed font draws Chinese characters.
bool HasChineseFont();
// Boxes in place of every Chinese character would be no document: throws DocumentError naming
// the font to install when the line holds a Chinese character and no font draws it.
void RequireChineseFont(QStringView line, bool hasChineseFont);

}  // namespace sorvani::documents
