#include <QApplication>
#include <cstdlib>

#include "artwork.h"
#include "dictionary_file.h"
#include "frmstart.h"
#include "pinyin_dictionary.h"
#include "process_end.h"
#include "program_directory.h"
#include "qt_translations.h"
#include "startup_arguments.h"
#include "test_report.h"
#include "user_prompts.h"

namespace {

int RunProgram(int argc, char* argv[]) {
    // The version and the help need no display: they are answered before the window system is
    // opened. Anything else waits until Qt has taken its own options from the command line.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const sorvani::startup::StartupRequest early =
        sorvani::startup::ParseStartupArguments(arguments);
    if (early.action == sorvani::startup::StartupRequest::Action::ShowVersion ||
        early.action == sorvani::startup::StartupRequest::Action::ShowHelp)
        return sorvani::startup::AnswerWithoutWindow(early);

    QApplication app(argc, argv);
    const sorvani::startup::StartupRequest request =
        sorvani::startup::ParseStartupArguments(QApplication::arguments().mid(1));
    if (const int status = sorvani::startup::AnswerWithoutWindow(request); status >= 0)
        return status;
    QApplication::setWindowIcon(sorvani::shell::ApplicationIcon());
    // Ties the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(SORVANI_APP_ID));
    sorvani::shell::InstallQtChineseTranslations(app);
    sorvani::shell::TestReport::InstallIfAsked(app);
    sorvani::PinyinDictionary dictionary;
    sorvani::shell::DialogPrompts prompts;
    sorvani::startup::frmstart splash(
        dictionary, sorvani::DictionaryFilePath(sorvani::ProgramDirectory()), prompts);
    splash.OpenWhenShown(request.document);
    splash.show();
    const int status = QApplication::exec();
    // Closing the failure report may already have ended the event loop with status 0.
    return splash.StartFailed() ? EXIT_FAILURE : status;
}

}  // namespace

int main(int argc, char* argv[]) { return sorvani::EndProcess(RunProgram(argc, argv)); }
