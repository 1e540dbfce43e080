#include "test_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QSaveFile>
#include <QTimer>

#include "frmmain.h"
#include "system_focus.h"
#include "twips.h"

namespace sorvani::shell {

namespace {

QString Rect(const TwipRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}

frmmain* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<frmmain*>(widget)) return window;
    return nullptr;
}

QString NameOf(const QWidget* widget, const frmmain& window) {
    if (!widget) return QStringLiteral("none");
    if (widget == window.Wj) return QStringLiteral("Wj");
    if (widget == &window) return QStringLiteral("frmmain");
    if (widget == &window.TaskbarProxy()) return QStringLiteral("frmtemp");
    return QString::fromLatin1(widget->metaObject()->className());
}

}  // namespace

void TestReport::InstallIfAsked(QObject& application) {
    const QString path = qEnvironmentVariable("SORVANI_TEST_REPORT");
    if (!path.isEmpty()) application.installEventFilter(new TestReport(path, &application));
}

TestReport::TestReport(QString path, QObject* parent) : QObject(parent), path_(std::move(path)) {
    // While a dialog shows or a command runs, and once after: the document's whole text is too
    // costly to take ten times a second all along.
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] {
        const frmmain* window = MainWindow();
        const bool busy = QApplication::activeModalWidget() || (window && window->Busy());
        if (busy || wasBusy_) Write();
        wasBusy_ = busy;
    });
    poll->start(100);
}

bool TestReport::eventFilter(QObject* watched, QEvent* event) {
    // The splash screen is gone before the main window shows: its place is kept until then.
    if (event->type() == QEvent::Show && splash_.isEmpty() &&
        watched->inherits("sorvani::startup::frmstart"))
        splash_ = Rect(GeometryInTwips(*static_cast<QWidget*>(watched)));
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::WindowStateChange:
            // Written once the event has done its work.
            if (!pending_) QTimer::singleShot(0, this, &TestReport::Write);
            pending_ = true;
            break;
        default:
            break;
    }
    return false;
}

void TestReport::Write() {
    pending_ = false;
    const frmmain* window = MainWindow();
    if (!window) return;
    const frmtemp& proxy = window->TaskbarProxy();
    const auto* dialog = qobject_cast<const QMessageBox*>(QApplication::activeModalWidget());
    QStringList lines{
        QStringLiteral("main=%1").arg(window->winId()),
        QStringLiteral("proxy=%1").arg(proxy.winId()),
        QStringLiteral("visible=%1").arg(window->isVisible()),
        QStringLiteral("maximized=%1").arg(window->isMaximized()),
        QStringLiteral("proxyMinimized=%1").arg(proxy.isMinimized()),
        QStringLiteral("window=%1").arg(Rect(ToTwips(window->geometry()))),
        QStringLiteral("frame1=%1").arg(Rect(GeometryInTwips(*window->Frame1))),
        QStringLiteral("frame2=%1").arg(Rect(GeometryInTwips(*window->Frame2))),
        QStringLiteral("wj=%1").arg(Rect(GeometryInTwips(*window->Wj))),
        QStringLiteral("active=%1").arg(NameOf(QApplication::activeWindow(), *window)),
        QStringLiteral("focus=%1").arg(NameOf(QApplication::focusWidget(), *window)),
        QStringLiteral("dialog=%1")
            .arg(QApplication::activeModalWidget()
                     ? QApplication::activeModalWidget()->windowTitle()
                     : QString()),
        QStringLiteral("message=%1").arg(dialog ? dialog->text() : QString()),
        QStringLiteral("caption=%1").arg(window->Frame2->Caption()),
        QStringLiteral("busy=%1").arg(window->Busy()),
        QStringLiteral("splash=%1").arg(splash_),
        QStringLiteral("systemFocus=%1").arg(SystemFocusClass()),
        QStringLiteral("systemKeys=%1")
            .arg(QApplication::activeWindow() && SystemKeysGoTo(*QApplication::activeWindow())),
        // Last, as the one value that runs over several lines.
        QStringLiteral("text=%1").arg(window->Wj->toPlainText()),
    };
    const QString content = lines.join(QLatin1Char('\n'));
    if (content == written_) return;
    written_ = content;
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content.toUtf8());
        file.commit();
    }
}

}  // namespace sorvani::shell
