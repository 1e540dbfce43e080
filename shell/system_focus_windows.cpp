#include <windows.h>

#include "system_focus.h"

QString SystemFocusClass() {
    const HWND focus = GetFocus();
    wchar_t name[64] = {};
    if (!focus || GetClassNameW(focus, name, 64) == 0) return QString();
    return QString::fromWCharArray(name);
}
