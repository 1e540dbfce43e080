#include "startup_arguments.h"

#include <QFileInfo>
#include <cstdio>

#include "sorvani_version.h"

namespace sorvani::startup {

namespace {

const char* const kUsage =
    "Usage: sorvani [FILE]\n"
    "Annotates Chinese text with pinyin. FILE, a text or RTF file, is opened in the document box\n"
    "as the import command opens it.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the program's version\n";

StartupRequest Refuse(const QString& problem) {
    return {StartupRequest::Action::Refuse, {}, problem};
}

// Writes the text and flushes it; false when it could not be written.
bool Print(std::FILE* stream, const QByteArray& text) {
    return std::fputs(text.constData(), stream) >= 0 && std::fflush(stream) == 0;
}

}  // namespace

StartupRequest ParseStartupArguments(const QStringList& arguments) {
    StartupRequest request;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument.size() > 1 && argument.startsWith(u'-')) {
            if (argument == u"--") {
                optionsEnded = true;
            } else if (argument == u"--version") {
                return {StartupRequest::Action::ShowVersion, {}, {}};
            } else if (argument == u"--help" || argument == u"-h") {
                return {StartupRequest::Action::ShowHelp, {}, {}};
            } else {
                return Refuse(QStringLiteral("unknown option ") + argument);
            }
        } else if (argument.isEmpty()) {
            return Refuse(QStringLiteral("an empty file name"));
        } else if (!request.document.isEmpty()) {
            return Refuse(QStringLiteral("more than one file: ") + argument);
        } else {
            request.document = QFileInfo(argument).absoluteFilePath();
        }
    }
    return request;
}

int AnswerWithoutWindow(const StartupRequest& request) {
    switch (request.action) {
        case StartupRequest::Action::Run:
            return -1;
        case StartupRequest::Action::ShowVersion:
            return Print(stdout, QByteArray("sorvani ") + kSorvaniVersion + "\n") ? 0 : 1;
        case StartupRequest::Action::ShowHelp:
            return Print(stdout, kUsage) ? 0 : 1;
        case StartupRequest::Action::Refuse:
            Print(stderr, "sorvani: " + request.problem.toLocal8Bit() + " (see --help)\n");
            return 2;
    }
    return -1;
}

}  // namespace sorvani::startup
