#include "frmtemp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "artwork.h"
#include "sorvani_version.h"
#include "twips.h"

namespace sorvani::shell {

namespace {

constexpr TwipRect kClientArea{0, 0, 4680, 3090};

}  // namespace

frmtemp::frmtemp(QWidget& mainWindow) : main_(mainWindow) {
    setWindowTitle(QString::fromLatin1(kSorvaniDesignCaption));
    setWindowIcon(ApplicationIcon());
    resize(ToPixels(kClientArea).size());
    KeepOffScreen();
}

void frmtemp::MoveOutOfSight() {
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    move(desktop.right() + 1, y());
}

void frmtemp::Form_Resize() {
    if (isMinimized()) {
        main_.hide();
    } else if (!main_.isVisible()) {
        // Restored from the taskbar: the keyboard goes back to the main window with it.
        main_.show();
        ActivateMainWindow();
    }
    setWindowTitle(QString::fromLatin1(kSorvaniTitle));
}

void frmtemp::ActivateMainWindow() {
    main_.raise();
    main_.activateWindow();
    // The window manager may hand the keyboard back to the main window while it is hidden (a
    // quick minimize): Qt then keeps it as the focus window but no widget as the active one, and
    // the focus coming back once it shows changes nothing. Without this the box gets keys but
    // shows no caret and the window counts as inactive.
    if (QGuiApplication::focusWindow() == main_.windowHandle() &&
        QApplication::activeWindow() != &main_)
        QApplication::setActiveWindow(&main_);
}

void frmtemp::resizeEvent(QResizeEvent*) { Form_Resize(); }

void frmtemp::changeEvent(QEvent* event) {
    // Minimizing and restoring change the window state without always changing the size.
    if (event->type() == QEvent::WindowStateChange) Form_Resize();
    // What the user types must never go to a window nobody sees.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && main_.isVisible())
        ActivateMainWindow();
    QWidget::changeEvent(event);
}

void frmtemp::closeEvent(QCloseEvent* event) {
    // The main window may stay, when the user keeps a document not yet exported.
    if (main_.close())
        event->accept();
    else
        event->ignore();
}

}  // namespace sorvani::shell
