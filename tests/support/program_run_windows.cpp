#include <windows.h>

#include <cstdio>

#include "process_start_windows.h"
#include "program_run.h"

namespace sorvani::test_support {

namespace {

// An inheritable handle on the file, closed with the object.
class InheritedFile {
  public:
    InheritedFile(const std::filesystem::path& file, DWORD access, DWORD disposition) {
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        handle_ = CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~InheritedFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    InheritedFile(const InheritedFile&) = delete;
    InheritedFile& operator=(const InheritedFile&) = delete;

    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_;
};

// The command line as the tests write it: in the ANSI code page, as std::string paths are.
std::wstring Wide(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace

int RunProgram(const std::string& commandLine, const StandardStreams& streams) {
    const InheritedFile in(streams.in, GENERIC_READ, OPEN_EXISTING);
    const InheritedFile out(streams.out, GENERIC_WRITE, CREATE_ALWAYS);
    const InheritedFile err(streams.err, GENERIC_WRITE, CREATE_ALWAYS);
    if (in.handle() == INVALID_HANDLE_VALUE || out.handle() == INVALID_HANDLE_VALUE ||
        err.handle() == INVALID_HANDLE_VALUE)
        return -1;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.handle();
    startup.hStdOutput = out.handle();
    startup.hStdError = err.handle();
    std::wstring line = Wide(commandLine);
    PROCESS_INFORMATION process = {};
    if (!StartProcess(line, startup, process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", commandLine.c_str(), GetLastError());
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const bool exited = GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return exited ? static_cast<int>(status) : -1;
}

}  // namespace sorvani::test_support
