#include "reading_line_filler.h"

namespace sorvani::documents {
namespace {

const QString kClosing =
    QStringLiteral("，。、；：？！）］｝】』」》〉〕〗〙”’…‥—–·・～％‰℃,.;:?!)]}%");
const QString kOpening = QStringLiteral("（［｛【『「《〈〔〖〘“‘([{");

}  // namespace

bool ClosesText(const QString& text) { return !text.isEmpty() && kClosing.contains(text.front()); }
bool OpensText(const QString& text) { return !text.isEmpty() && kOpening.contains(text.back()); }

ReadingLineFiller::ReadingLineFiller(double width, double spaceWidth, LineSink sink)
    : width_(width), spaceWidth_(spaceWidth), sink_(std::move(sink)) {}

double ReadingLineFiller::WidthOf(size_t from, size_t to) const {
    double width = 0;
    for (size_t i = from; i < to; ++i)
        width += line_[i].width + (i > from && line_[i].cell.spaceBefore ? spaceWidth_ : 0);
    return width;
}

size_t ReadingLineFiller::BreakBefore(size_t at) const {
    for (size_t k = at; k > 0; --k)
        if (!ClosesText(line_[k].cell.text) && !OpensText(line_[k - 1].cell.text)) return k;
    return 0;
}

void ReadingLineFiller::Add(MeasuredCell&& cell) {
    const double space = !line_.empty() && cell.cell.spaceBefore ? spaceWidth_ : 0;
    line_.push_back(std::move(cell));
    if (line_.size() == 1 || used_ + space + line_.back().width <= width_) {
        used_ += space + line_.back().width;
        return;
    }
    // Punctuation that cannot start the next line hangs past the width when nothing can move.
    size_t at = BreakBefore(line_.size() - 1);
    if (at == 0) at = ClosesText(line_.back().cell.text) ? line_.size() : line_.size() - 1;
    if (at == line_.size()) {
        used_ += space + line_.back().width;
        return;
    }
    std::vector<MeasuredCell> rest(std::make_move_iterator(line_.begin() + static_cast<long>(at)),
                                   std::make_move_iterator(line_.end()));
    line_.resize(at);
    sink_(line_, false);
    line_ = std::move(rest);
    used_ = WidthOf(0, line_.size());
}

void ReadingLineFiller::EndParagraph() {
    if (!line_.empty()) sink_(line_, true);
    line_.clear();
    used_ = 0;
}

}  // namespace sorvani::documents
