#include <windows.h>

#include <cstdio>
#include <iostream>

#include "process_end.h"

namespace sorvani {

namespace {

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

int EndProcess(int status) {
    // Wine's ExitProcess ends the other threads wherever they are: one caught while ending
    // itself (a library's worker, told to stop as the application object went) holds the lock of
    // the fibre-local data, which the exiting thread then waits for forever. The libraries' own
    // clean-up is skipped with it, which holds nothing of ours.
    if (!RunsUnderWine()) return status;
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    return status;
}

}  // namespace sorvani
