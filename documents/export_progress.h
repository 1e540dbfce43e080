#pragma once

#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <limits>

namespace sorvani::documents {

// Told now and then, while an export writes, how many of its document's characters are written
// and how many there are; called on the writing thread. It may throw (a stop), which ends the
// export there.
using ExportProgress = std::function<void(qint64 written, qint64 total)>;

// Counts the characters a writer has written and tells the progress each time another
// hundredth of them is done; but at least every kMostStep characters (a sixth of a second of a
// reading PDF on a busy machine), so that a stop is heeded soon, and at most every kLeastStep, so
// that telling costs nothing.
class ProgressCount {
  public:
    static constexpr qint64 kLeastStep = 4096;
    static constexpr qint64 kMostStep = 16384;

    ProgressCount(qint64 total, const ExportProgress& progress)
        : total_(total),
          step_(std::clamp(total / 100, kLeastStep, kMostStep)),
          next_(progress ? step_ : std::numeric_limits<qint64>::max()),
          progress_(progress) {}

    void Add(qint64 characters) {
        written_ += characters;
        if (written_ < next_) return;
        next_ = written_ + step_;
        progress_(std::min(written_, total_), total_);
    }

  private:
    qint64 total_;
    qint64 step_;
    qint64 written_ = 0;
    qint64 next_;
    const ExportProgress& progress_;
};

}  // namespace sorvani::documents
