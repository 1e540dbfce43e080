#include "command_progress.h"

#include "frmmain.h"
#include "frmmain_geometry.h"
#include "percent_caption.h"
#include "twips.h"

namespace sorvani::shell {

using namespace frmmain_geometry;

namespace {

// The document box is this much lower while the progress bar shows below it.
constexpr int kProgressRoom = 500;
// At the end of a command the progress bar narrows and the percentage moves left by this much,
// until both are hidden again.
constexpr int kFinishShift = 200;

void SetPercent(QLabel& label, const QString& caption) {
    label.setText(caption);
    label.adjustSize();
}

}  // namespace

CommandProgress::CommandProgress(frmmain& window)
    : window_(window), wasMaximized_(window.isMaximized()) {
    if (wasMaximized_) window_.Immax_Click();
    window_.PrgB->setMinimum(0);
    GrowInTwips(*window_.Wj, 0, -kProgressRoom);
    window_.Immax->setEnabled(false);
    // The window answers while the command prepares its work: the percentage reads 0 from the
    // start.
    SetPercent(*window_.Label2, PercentCaption(0, 0));
    window_.PrgB->setValue(0);
    window_.PrgB->show();
    window_.Label2->show();
}

CommandProgress::~CommandProgress() {
    window_.Label2->hide();
    window_.PrgB->hide();
    SetGeometryInTwips(*window_.Label2, kLabel2);
    SetGeometryInTwips(*window_.PrgB, kPrgB);
    window_.Immax->setEnabled(true);
    GrowInTwips(*window_.Wj, 0, kProgressRoom);
    window_.Wj->repaint();
    if (wasMaximized_) window_.Immax_Click();
}

void CommandProgress::Show(int64_t position, int64_t total) {
    window_.PrgB->setMaximum(static_cast<int>(total));
    window_.PrgB->setValue(static_cast<int>(position));
    SetPercent(*window_.Label2, PercentCaption(position, total));
    window_.Label2->update();
}

void CommandProgress::Complete() {
    window_.PrgB->setValue(window_.PrgB->maximum());
    GrowInTwips(*window_.PrgB, -kFinishShift, 0);
    const TwipRect label = GeometryInTwips(*window_.Label2);
    MoveInTwips(*window_.Label2, label.left - kFinishShift, label.top);
    SetPercent(*window_.Label2, QStringLiteral("100%"));
    window_.Label2->repaint();
}

void ReportedProgress::Yield() {
    const int64_t position = position_;
    if (position != shownPosition_) {
        shownPosition_ = position;
        shown_.Show(position, total_);
    }
    events_.Yield();
}

}  // namespace sorvani::shell
