// sorvani-annotate: the annotate command of the desktop program, for files and scripts.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

#include "annotate_document.h"
#include "binary_streams.h"
#include "file_size_limit.h"
#include "options.h"
#include "process_end.h"
#include "program_arguments.h"
#include "sorvani_version.h"
#include "tool_error.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsageFailure = 2;

// Help and version go to standard output; a failure to write them is a failure.
int Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kFailure;
}

int Report(const std::string& message, int status) {
    sorvani::annotate::WriteText(stderr, "sorvani-annotate: " + message + "\n");
    return status;
}

// Memory can run out where an exception may not pass (a destructor, a function of Qt's that
// promises not to throw): the run still ends as out of memory, not with an abort.
[[noreturn]] void EndOnUncaughtFailure() {
    if (const std::exception_ptr failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::bad_alloc&) {
            // Without a string made for it: there is no memory.
            std::fputs("sorvani-annotate: out of memory\n", stderr);
            std::_Exit(kFailure);
        } catch (...) {
        }
    }
    std::abort();
}

int RunTool(int argc, char** argv) {
    using namespace sorvani::annotate;
    TreatFileSizeLimitAsWriteError();
    std::set_terminate(EndOnUncaughtFailure);
    try {
        const Options options = ParseOptions(ProgramArguments(argc, argv));
        if (options.help) return Print(kUsage);
        if (options.version)
            return Print(std::string("sorvani-annotate ") + kSorvaniVersion + "\n");
        UseBinaryStandardStreams();
        AnnotateDocument(options);
        return 0;
    } catch (const UsageError& error) {
        return Report(std::string(error.what()) + " (see --help)", kUsageFailure);
    } catch (const std::bad_alloc&) {
        return Report("out of memory", kFailure);
    } catch (const std::exception& error) {
        return Report(error.what(), kFailure);
    }
}

}  // namespace

int main(int argc, char** argv) { return sorvani::EndProcess(RunTool(argc, argv)); }
