#pragma once

#include <QFont>
#include <QHash>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringView>
#include <vector>

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
    ~ReadingPdfWriter();

    // A line of the box's text, without its line break.
    void AddLine(QStringView line) { cells_.AddLine(line); }
    // Completes the document. False when the device would not take it.
    bool Finish();

  private:
    MeasuredCell Measured(ReadingCell&& cell);
    double TextAdvance(const QString& text);
    double SyllableAdvance(const QString& syllable);
    void DrawLine(const std::vector<MeasuredCell>& line, bool paragraphEnds);
    void EndPage();

    PrintedPage page_;
    QPdfWriter writer_;
    QPainter painter_;
    QFont characterFont_, syllableFont_, numberFont_;
    // Sizes in twips, the unit the page is painted in.
    double gap_ = 0, pairHeight_ = 0, pairSpace_ = 0, paragraphSpace_ = 0;
    double syllableBaseline_ = 0, characterBaseline_ = 0;
    double top_ = 0;  // where the next line pair starts on the page
    int pageNumber_ = 1;
    bool pageHasLines_ = false;
    // Advances by character of the Basic Multilingual Plane (0: not measured yet) and by
    // syllable, which repeat throughout a text.
    std::vector<float> advances_;
    QHash<QString, double> syllableAdvances_;
    std::vector<double> centres_;  // of the cells of the line being drawn
    ReadingLineFiller filler_;
    ReadingCellReader cells_;
};

}  // namespace sorvani::documents
