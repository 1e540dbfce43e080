// The caption strip and the minimize, maximize/restore and close buttons of the main window.
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPainter>
#include <QWindow>

#include "caption_button_looks.h"
#include "frmmain.h"
#include "frmmain_geometry.h"
#include "twips.h"

namespace sorvani::shell {

using namespace frmmain_geometry;

namespace {

// The skin's face colour, on which the restore glyph stands.
const QColor kFace(250, 250, 250);
constexpr int kRestoreGlyphSize = 240;

}  // namespace

void frmmain::ConnectChrome() {
    connect(IMBar, &ImageControl::MouseDown, this, &frmmain::IMBar_MouseDown);
    connect(IMBar, &ImageControl::MouseMove, this, &frmmain::IMBar_MouseMove);
    connect(IMBar, &ImageControl::MouseUp, this, &frmmain::IMBar_MouseUp);
    connect(IMBar, &ImageControl::DblClick, this, &frmmain::IMBar_DblClick);
    connect(Immin, &ImageControl::Click, this, &frmmain::Immin_Click);
    connect(Immin, &ImageControl::MouseDown, this, &frmmain::Immin_MouseDown);
    connect(Immin, &ImageControl::MouseMove, this, &frmmain::Immin_MouseMove);
    connect(Immin, &ImageControl::MouseUp, this, &frmmain::Immin_MouseUp);
    connect(Immax, &ImageControl::Click, this, &frmmain::Immax_Click);
    connect(Immax, &ImageControl::MouseDown, this, &frmmain::Immax_MouseDown);
    connect(Immax, &ImageControl::MouseMove, this, &frmmain::Immax_MouseMove);
    connect(Immax, &ImageControl::MouseUp, this, &frmmain::Immax_MouseUp);
    connect(Imclose, &ImageControl::Click, this, &frmmain::Imclose_Click);
    connect(Imclose, &ImageControl::MouseDown, this, &frmmain::Imclose_MouseDown);
    connect(Imclose, &ImageControl::MouseMove, this, &frmmain::Imclose_MouseMove);
    connect(Imclose, &ImageControl::MouseUp, this, &frmmain::Imclose_MouseUp);
    connect(Pbottom, &ImageControl::MouseDown, this, &frmmain::Pbottom_MouseDown);
    connect(Pbottom, &ImageControl::MouseMove, this, &frmmain::Pbottom_MouseMove);
    connect(Pbottom, &ImageControl::MouseUp, this, &frmmain::Pbottom_MouseUp);
    connect(Pright, &ImageControl::MouseDown, this, &frmmain::Pright_MouseDown);
    connect(Pright, &ImageControl::MouseMove, this, &frmmain::Pright_MouseMove);
    connect(Pright, &ImageControl::MouseUp, this, &frmmain::Pright_MouseUp);
    connect(Pjiao, &ImageControl::MouseDown, this, &frmmain::Pjiao_MouseDown);
    connect(Pjiao, &ImageControl::MouseMove, this, &frmmain::Pjiao_MouseMove);
    connect(Pjiao, &ImageControl::MouseUp, this, &frmmain::Pjiao_MouseUp);
}

// The window system moves the window itself, following the pointer until the release. Its move
// starts once the pointer moves with the button held: started on the press, it would take the
// release and the next press from the window, so a double-click would never arrive, and after a
// click that ends before the window manager sees the button, the window would hang on the
// pointer until the next click.
void frmmain::IMBar_MouseDown(Qt::MouseButton button) {
    if (button == Qt::LeftButton) movePressedAt_ = pointer_->ScreenPixels();
}

void frmmain::IMBar_MouseMove() {
    if (!movePressedAt_) return;
    const QPoint travelled = pointer_->ScreenPixels() - *movePressedAt_;
    if (travelled.manhattanLength() < QApplication::startDragDistance()) return;
    movePressedAt_.reset();
    if (QWindow* window = windowHandle()) window->startSystemMove();
}

void frmmain::IMBar_MouseUp() { movePressedAt_.reset(); }

void frmmain::IMBar_DblClick() { Immax_Click(); }

void frmmain::Immin_Click() {
    hide();
    proxy_->showMinimized();
}

void frmmain::Immax_Click() {
    if (!contentFollows_) contentFollows_ = size();
    if (isMaximized()) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        Pbottom->show();
        Pright->show();
        Immax->setToolTip(QStringLiteral("最大化"));
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
        Pbottom->hide();
        Pright->hide();
        Immax->setToolTip(QStringLiteral("还原"));
    }
    FollowToggledSize();
}

// Some window systems complete a maximize or restore only after the call has returned, perhaps
// in several steps: the content follows every new size that arrives, by exactly the change,
// until a grip takes over.
void frmmain::FollowToggledSize() {
    if (!contentFollows_ || size() == *contentFollows_) return;
    const int dw = PixelsToTwips(width() - contentFollows_->width());
    const int dh = PixelsToTwips(height() - contentFollows_->height());
    contentFollows_ = size();
    GrowInTwips(*Frame2, dw, dh);
    GrowInTwips(*Frame1, 0, dh);
    GrowInTwips(*Wj, dw, dh);
}

void frmmain::DrawRestoreGlyph() {
    const TwipRect button = GeometryInTwips(*Immax);
    const QRect glyph = ToPixels({button.left, button.top, kRestoreGlyphSize, kRestoreGlyphSize});
    QPainter painter(&surface_);
    painter.fillRect(glyph, kFace);
    painter.drawPixmap(glyph.topLeft(), IMus0, QRect(QPoint(0, 0), glyph.size()));
    update();
}

void frmmain::Imclose_Click() {
    // The window's close takes the proxy along, once the user agrees to leave.
    if (close()) QCoreApplication::quit();
}

// However the window is closed (by the window system's close command too), the proxy goes with
// it, so that no stray taskbar button keeps the program alive. During a long command (import,
// export, annotate) the window waits for the command to stop at its next yield, and then closes.
// A document changed since it was last imported or exported is not left without a question.
void frmmain::closeEvent(QCloseEvent* event) {
    if (LongCommand::DelaysClose(longCommand_) || !MayLeaveDocument()) {
        event->ignore();
        return;
    }
    proxy_->close();
    event->accept();
}

bool frmmain::MayLeaveDocument() {
    return !Wj->document()->isModified() ||
           CmdDlg->AskYesNo(QStringLiteral("文件内容已改动，尚未导出。不导出就退出吗？（Y/N）"));
}

void frmmain::Immin_MouseDown() { ShowPressed(*Immin, ImMin2); }
void frmmain::Immin_MouseMove() { Light(*Immin, ImMin1); }
void frmmain::Immin_MouseUp() { Unlight(*Immin); }

void frmmain::Immax_MouseDown() { ShowPressed(*Immax, isMaximized() ? IMus2 : Immax2); }
void frmmain::Immax_MouseMove() { Light(*Immax, isMaximized() ? IMus1 : Immax1); }
void frmmain::Immax_MouseUp() { Unlight(*Immax); }

void frmmain::Imclose_MouseDown() { ShowPressed(*Imclose, ImClose2); }
void frmmain::Imclose_MouseMove() { Light(*Imclose, ImClose1); }
void frmmain::Imclose_MouseUp() { Unlight(*Imclose); }

}  // namespace sorvani::shell
