#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "offscreen_fonts.h"
#include "private_settings.h"
#include "process_end.h"

// Widgets, and text documents that measure fonts, need the application object; the tests run
// without a display.
namespace {

int RunTests(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Wine passes no QT_ variable on to a Windows program: the tests read the system's fonts
    // there, as the tool does, where the Chinese fonts are installed.
    sorvani::documents::ShowSystemFontsOffscreen();
    // Settings that the tests write stay out of the user's own and out of other test runs'.
    const QTemporaryDir settings;
    KeepSettingsApart(settings.path());
    QApplication application(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace

int main(int argc, char** argv) { return sorvani::EndProcess(RunTests(argc, argv)); }
