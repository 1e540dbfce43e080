#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QStringView>
#include <vector>

#include "pdf_document.h"
#include "printed_page.h"
#include "reading_cells.h"
#include "reading_line_filler.h"

namespace sorvani::documents {

// Writes the annotation as reading material, a line of the box's text at a time: each character
// at the chosen size with its syllable, half as large, centred over it; characters spaced so
// that no two syllables touch; lines filled to the page's width; a line pair never parted by a
// page; more space between paragraphs than between lines; page numbers. Holds one line of the
// page at a time.
class ReadingPdfWriter {
  public:
    ReadingPdfWriter(QIODevice& out, PrintedPage page);

    // A line of the box's text, without its line break. Throws DocumentError when the line holds
    // a Chinese character and no installed font draws it.
    void AddLine(QStringView line) {
        RequireChineseFont(line, hasChineseFont_);
        cells_.AddLine(line);
    }
    // Completes the document. False when the device would not take it.
    bool Finish();

  private:
    // How a text is set in a font: its glyphs, placed from the text's start, when the font has
    // them all and the text has no marks to place; otherwise none, and the painter draws the
    // text, finding another font where it must.
    struct SetText {
        QList<quint32> glyphs;
        QList<QPointF> positions;
        double advance = 0;
    };
    // A font with the texts already set in it: the syllables and the characters, which repeat
    // throughout a text (words of letters are set anew each time, so that memory stays bounded).
    struct Face {
        QFont font;
        QRawFont raw;
        QHash<QString, SetText> known;
    };

    const SetText& Set(Face& face, const QString& text);
    MeasuredCell Measured(ReadingCell&& cell);
    void DrawLine(const std::vector<MeasuredCell>& line, bool paragraphEnds);
    // Draws the text centred on `centre`.
    void Draw(Face& face, const QString& text, QColor colour, double centre, double baseline);
    void EndPage();

    PrintedPage page_;
    PdfDocument document_;
    QPdfWriter& writer_ = document_.writer;
    QPainter& painter_ = document_.painter;
    const bool hasChineseFont_ = HasChineseFont();
    Face characters_, syllables_;
    QFont numberFont_;
    // Sizes in twips, the unit the page is painted in.
    double gap_ = 0, pairHeight_ = 0, pairSpace_ = 0, paragraphSpace_ = 0;
    double syllableBaseline_ = 0, characterBaseline_ = 0;
    double top_ = 0;  // where the next line pair starts on the page
    int pageNumber_ = 1;
    bool pageHasLines_ = false;
    SetText unknown_;  // a text set anew, which is not kept
    ReadingLineFiller filler_;
    ReadingCellReader cells_;
};

}  // namespace sorvani::documents
