#pragma once

#include <functional>
#include <vector>

#include "reading_cells.h"

namespace sorvani::documents {

// A cell with the width it takes on its line, gaps included.
struct MeasuredCell {
    ReadingCell cell;
    double width = 0;
};

// Fills lines of a width with the cells that fit, a paragraph at a time: punctuation that closes
// never starts a line and an opening bracket never ends one (the cells before move to the next
// line with it); a cell is never parted. A cell wider than the line, or a line of nothing but
// such punctuation, stands alone past the width rather than be lost.
class ReadingLineFiller {
  public:
    // Gets each full line, then whether its paragraph ends with it.
    using LineSink = std::function<void(const std::vector<MeasuredCell>& line, bool paragraphEnds)>;

    ReadingLineFiller(double width, double spaceWidth, LineSink sink);

    void Add(MeasuredCell&& cell);
    void EndParagraph();

  private:
    // Where the line may break before the cell at `at`, going back from it; 0 when nowhere.
    size_t BreakBefore(size_t at) const;
    double WidthOf(size_t from, size_t to) const;

    const double width_;
    const double spaceWidth_;
    LineSink sink_;
    std::vector<MeasuredCell> line_;
    double used_ = 0;
};

// Closing punctuation, which never starts a line, and opening brackets, which never end one.
bool ClosesText(const QString& text);
bool OpensText(const QString& text);

}  // namespace sorvani::documents
