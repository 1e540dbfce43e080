#include <sys/wait.h>

#include <cstdlib>

#include "program_run.h"

namespace sorvani::test_support {

int RunProgram(const std::string& commandLine, const StandardStreams& streams) {
    const std::string command = commandLine + " < " + Quote(streams.in) + " > " +
                                Quote(streams.out) + " 2> " + Quote(streams.err);
    const int raw = std::system(command.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace sorvani::test_support
