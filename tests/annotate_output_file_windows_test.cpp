// What Ctrl+C leaves on Windows while sorvani-annotate --output writes: the old file as it was and
// no temporary file. Wine delivers Ctrl+C to the processes of a console; Ctrl+Break and the
// console's closing it does not deliver to another process, and they reach the same handler.
#include <windows.h>

#include <string>
#include <thread>

#include "annotate_tool.h"
#include "process_start_windows.h"

namespace sorvani {
namespace {

using testing_tool::AnnotateTool;
using testing_tool::LongText;
using testing_tool::ReadBytes;
using testing_tool::WriteBytes;
namespace fs = std::filesystem;

// Runs the tool in the background on the test's console, with its standard streams on NUL.
class BackgroundRun {
  public:
    explicit BackgroundRun(std::wstring commandLine) {
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        null_ =
            CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        &inherited, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = null_;
        started_ = test_support::StartProcess(commandLine, startup, process_);
    }
    ~BackgroundRun() {
        if (started_) {
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(null_);
    }

    bool started() const { return started_; }
    bool Ended(DWORD wait = 0) const { return WaitForSingleObject(process_.hProcess, wait) == 0; }

  private:
    HANDLE null_;
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

class ConsoleEvent : public AnnotateTool {
  protected:
    // The test gets a console of its own, which the runs it starts share: Ctrl+C reaches every
    // process on it, and the test itself lets it pass.
    static void SetUpTestSuite() {
        FreeConsole();
        ASSERT_TRUE(AllocConsole()) << GetLastError();
        SetConsoleCtrlHandler(KeepRunning, TRUE);
    }
    static BOOL WINAPI KeepRunning(DWORD) { return TRUE; }

    // The files in the test's folder that the run writes before they take the output's place.
    std::vector<fs::path> Temporaries() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(dir_))
            if (entry.path().filename().wstring().starts_with(L".sorvani-"))
                files.push_back(entry.path());
        return files;
    }

    static std::wstring Quote(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }
};

TEST_F(ConsoleEvent, CtrlCDuringTheOutputLeavesNoTemporaryFile) {
    const fs::path output = dir_ / "out.txt";
    const fs::path input = dir_ / "input.txt";
    // The run must still be writing when Ctrl+C comes: should it end first, the input is made
    // longer and the run repeated.
    for (size_t size = 1 << 22;; size *= 2) {
        ASSERT_LE(size, 1u << 28) << "the temporary file never showed while the run wrote";
        WriteBytes(output, "old");
        WriteBytes(input, LongText(size));
        const BackgroundRun run(Quote(SORVANI_ANNOTATE) + L" --dictionary " + Quote(dictionary_) +
                                L" --output " + Quote(output) + L" " + Quote(input));
        ASSERT_TRUE(run.started()) << GetLastError();
        // Waits until the temporary file exists and has grown.
        bool ended = false;
        for (bool growing = false; !growing && !(ended = run.Ended());) {
            for (const fs::path& file : Temporaries()) {
                std::error_code error;
                growing = growing || fs::file_size(file, error) > 0;
            }
            std::this_thread::yield();
        }
        if (ended) {
            ASSERT_NE(ReadBytes(output), "old") << "the run failed";
            continue;
        }
        ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
        run.Ended(INFINITE);
        if (ReadBytes(output) == "old") break;  // else the run ended before Ctrl+C came
    }
    EXPECT_TRUE(Temporaries().empty());
    EXPECT_EQ(ReadBytes(output), "old");
}

}  // namespace
}  // namespace sorvani
