#include <windows.h>

#include "word_installed.h"

bool WordIsInstalled() {
    CLSID word{};
    return SUCCEEDED(CLSIDFromProgID(L"Word.Application", &word));
}
