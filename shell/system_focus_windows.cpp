#include <windows.h>

#include "system_focus.h"

namespace sorvani::shell {

QString SystemFocusClass() {
    const HWND focus = GetFocus();
    wchar_t name[64] = {};
    if (!focus || GetClassNameW(focus, name, 64) == 0) return QString();
    return QString::fromWCharArray(name);
}

bool SystemKeysGoTo(const QWidget& window) {
    const auto handle = reinterpret_cast<HWND>(window.winId());
    return GetForegroundWindow() == handle && GetFocus() == handle;
}

}  // namespace sorvani::shell
