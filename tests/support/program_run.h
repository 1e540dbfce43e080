// Runs a program as a script would, with its standard streams on files, and gives its exit status.
#pragma once

#include <filesystem>
#include <string>

namespace sorvani::test_support {

// A path as one argument of a command line, on POSIX and Windows alike.
inline std::string Quote(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

struct StandardStreams {
    std::filesystem::path in;
    std::filesystem::path out;
    std::filesystem::path err;
};

// `commandLine` is the program and its arguments, each already quoted. On POSIX a shell reads it,
// so it may redirect further; on Windows the program starts without cmd.exe (StartProcess), and a
// start that fails is told on standard error. Returns -1 where the program did not start or did
// not exit.
int RunProgram(const std::string& commandLine, const StandardStreams& streams);

}  // namespace sorvani::test_support
