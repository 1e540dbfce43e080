// <windows.h> has to come before the other system headers.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "program_arguments.h"
#include "system_message.h"
#include "tool_error.h"

namespace sorvani::annotate {

// The narrow arguments are in the ANSI code page and lose characters outside it; the wide command
// line holds every file name.
std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    // Without its arguments the run would read standard input as if none were given.
    if (!wide)
        throw ToolError("cannot read the command line (" + SystemMessage(GetLastError()) + ")");
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(text));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace sorvani::annotate
