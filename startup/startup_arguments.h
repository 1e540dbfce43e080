#pragma once

#include <QString>
#include <QStringList>

namespace sorvani::startup {

// What the desktop program's command line asks for.
struct StartupRequest {
    enum class Action { Run, ShowVersion, ShowHelp, Refuse };
    Action action = Action::Run;
    // Run: the file to open once the main window shows, as an absolute path; empty for none.
    QString document;
    // Refuse: what is wrong with the command line.
    QString problem;
};

// Reads the arguments after the program name.
StartupRequest ParseStartupArguments(const QStringList& arguments);

// Answers a request that needs no window on standard output or standard error and gives the
// exit status; -1 for a request to run.
int AnswerWithoutWindow(const StartupRequest& request);

}  // namespace sorvani::startup
