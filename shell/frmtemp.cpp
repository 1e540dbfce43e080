#include "frmtemp.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "artwork.h"
#include "twips.h"

namespace {

constexpr TwipRect kClientArea{0, 0, 4680, 3090};

}  // namespace

frmtemp::frmtemp(QWidget& mainWindow) : main_(mainWindow) {
    setWindowTitle(QStringLiteral("SorvaniV1.0"));
    setWindowIcon(ApplicationIcon());
    resize(ToPixels(kClientArea).size());
}

void frmtemp::MoveOutOfSight() {
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    move(desktop.right() + 1, y());
}

void frmtemp::Form_Resize() {
    if (isMinimized())
        main_.hide();
    else
        main_.show();
    setWindowTitle(QStringLiteral("SorvaniV1.5"));
}

void frmtemp::resizeEvent(QResizeEvent*) { Form_Resize(); }

// Minimizing and restoring change the window state without always changing the size.
void frmtemp::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) Form_Resize();
    QWidget::changeEvent(event);
}

void frmtemp::closeEvent(QCloseEvent* event) {
    main_.close();
    event->accept();
}
