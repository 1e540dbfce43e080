// Starting a process on Windows for the tests, the one place that knows Wine's way of failing it.
#pragma once

#include <windows.h>

#include <string>

namespace sorvani::test_support {

// CreateProcessW, inheriting the handles `startup` names, on the test's console: false, with the
// error for GetLastError, where the process did not start. Wine, on a busy machine, now and then
// fails a start with ERROR_INTERNAL_ERROR and makes it when asked again; any other error is final.
inline bool StartProcess(std::wstring& commandLine, STARTUPINFOW& startup,
                         PROCESS_INFORMATION& process) {
    constexpr int kAttempts = 5;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                           &startup, &process))
            return true;
        if (GetLastError() != ERROR_INTERNAL_ERROR) return false;
    }
    return false;
}

}  // namespace sorvani::test_support
