#include "startup_arguments.h"

#include <gtest/gtest.h>

#include <QDir>

namespace sorvani::startup {

namespace {

using Action = StartupRequest::Action;

TEST(StartupArguments, AFileIsOpenedByItsAbsolutePath) {
    EXPECT_EQ(ParseStartupArguments({}).action, Action::Run);
    EXPECT_TRUE(ParseStartupArguments({}).document.isEmpty());

    const StartupRequest relative = ParseStartupArguments({QStringLiteral("课文.txt")});
    EXPECT_EQ(relative.action, Action::Run);
    EXPECT_EQ(relative.document, QDir::current().absoluteFilePath(QStringLiteral("课文.txt")));
    const QString absolute = QDir::temp().absoluteFilePath(QStringLiteral("a.rtf"));
    EXPECT_EQ(ParseStartupArguments({absolute}).document, absolute);
    // After "--" a name that starts with a dash is a file.
    EXPECT_EQ(ParseStartupArguments({QStringLiteral("--"), QStringLiteral("--version")}).document,
              QDir::current().absoluteFilePath(QStringLiteral("--version")));
}

TEST(StartupArguments, VersionAndHelpAreAnsweredWithoutAWindow) {
    EXPECT_EQ(ParseStartupArguments({QStringLiteral("--version")}).action, Action::ShowVersion);
    EXPECT_EQ(ParseStartupArguments({QStringLiteral("a.txt"), QStringLiteral("--version")}).action,
              Action::ShowVersion);
    EXPECT_EQ(ParseStartupArguments({QStringLiteral("--help")}).action, Action::ShowHelp);
    EXPECT_EQ(ParseStartupArguments({QStringLiteral("-h")}).action, Action::ShowHelp);
    EXPECT_EQ(AnswerWithoutWindow(ParseStartupArguments({QStringLiteral("a.txt")})), -1);
}

TEST(StartupArguments, RefusesWhatItCannotOpen) {
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--bogus")}, QStringList{QStringLiteral("-x")},
          QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}, QStringList{QString()}}) {
        const StartupRequest request = ParseStartupArguments(arguments);
        EXPECT_EQ(request.action, Action::Refuse) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(request.problem.isEmpty());
    }
    EXPECT_EQ(ParseStartupArguments({QStringLiteral("a.txt"), QStringLiteral("b.txt")}).problem,
              QStringLiteral("more than one file: b.txt"));
}

}  // namespace

}  // namespace sorvani::startup
