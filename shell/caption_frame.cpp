#include "caption_frame.h"

#include <QHelpEvent>
#include <QStyleOptionGroupBox>
#include <QToolTip>

namespace sorvani::shell {

namespace {

// Room left of and right of the caption text inside the frame's width, for the frame's corners.
constexpr int kCaptionMargins = 24;

}  // namespace

CaptionFrame::CaptionFrame(QWidget* parent) : QGroupBox(parent) {}

void CaptionFrame::SetCaption(const QString& caption) {
    caption_ = caption;
    ShowCaption();
}

void CaptionFrame::ShowCaption() {
    setTitle(fontMetrics().elidedText(caption_, Qt::ElideMiddle,
                                      std::max(0, width() - kCaptionMargins)));
}

void CaptionFrame::resizeEvent(QResizeEvent* event) {
    ShowCaption();
    QGroupBox::resizeEvent(event);
}

// The tooltip shows over the caption only: the document box inside has none of its own, and
// would otherwise show the frame's.
bool CaptionFrame::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QGroupBox::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect label =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    if (label.contains(help->pos()))
        QToolTip::showText(help->globalPos(), caption_, this, label);
    else
        QToolTip::hideText();
    return true;
}

}  // namespace sorvani::shell
