#pragma once

#include <QObject>
#include <QString>

namespace sorvani::shell {

// For the tests that drive the real program under a window manager, and for nothing else: when
// the environment names a file in SORVANI_TEST_REPORT, the program writes there what a test
// cannot read from outside (which window is active, which control has the keyboard, the
// document's text, the content's geometry), anew after every change that could alter it, and
// while a dialog of the system's own shows, whose events Qt does not see.
class TestReport : public QObject {
    Q_OBJECT

  public:
    // Starts reporting when the environment asks for it.
    static void InstallIfAsked(QObject& application);

    explicit TestReport(QString path, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Write();

    QString path_;
    QString written_;
    QString splash_;  // where the splash screen showed, once it did
    bool pending_ = false;
    bool wasBusy_ = false;  // at the last poll: a dialog showed or a command ran
};

}  // namespace sorvani::shell
