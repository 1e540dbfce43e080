#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QStringView>
#include <vector>

#include "printed_page.h"
#include "reading_cells.h"
#include "reading_line_filler.h"

namespace sorvani::documents {

// Paints the annotation as reading material, a line of the box's text at a time: each character
// at the chosen size with its syllable, half as large, centred over it; characters spaced so
// that no two syllables touch; lines filled to the page's width; a line pair never parted by a
// page; more space between paragraphs than between lines; page numbers; with the grid, each
// character in a square with dashed centre lines and its syllable on four lines. Holds one line
// of the page at a time. The PDF and the printer are painted alike: the device is painted in
// twips (1440 dots per inch) from the paper's corner, and the painter is active on it.
class ReadingPagePainter {
  public:
    ReadingPagePainter(QPagedPaintDevice& device, QPainter& painter, PrintedPage page);

    // A line of the box's text, without its line break.
    void AddLine(QStringView line) { cells_.AddLine(line); }
    // Paints the rest and the last page's number.
    void Finish();

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
    // The grid of a line pair, its cells centred at `centres`, ending at `right`: four lines
    // under the syllables, and a square with dashed centre lines around each character.
    void DrawGrid(const std::vector<MeasuredCell>& line, const std::vector<double>& centres,
                  double right);
    // Draws the text centred on `centre`.
    void Draw(Face& face, const QString& text, QColor colour, double centre, double baseline);
    void EndPage();

    PrintedPage page_;
    QPagedPaintDevice& device_;
    QPainter& painter_;
    Face characters_, syllables_;
    QFont numberFont_;
    // Sizes in twips, the unit the page is painted in.
    double gap_ = 0, pairHeight_ = 0, pairSpace_ = 0, paragraphSpace_ = 0;
    double syllableBaseline_ = 0, characterBaseline_ = 0;
    // The grid: the side of a character's square, where it starts below the pair's top, and the
    // height of each of the syllables' three bands.
    double square_ = 0, squareTop_ = 0, band_ = 0;
    double top_ = 0;  // where the next line pair starts on the page
    int pageNumber_ = 1;
    bool pageHasLines_ = false;
    SetText unknown_;  // a text set anew, which is not kept
    ReadingLineFiller filler_;
    ReadingCellReader cells_;
};

}  // namespace sorvani::documents
