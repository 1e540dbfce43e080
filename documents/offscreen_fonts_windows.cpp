#include <windows.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "offscreen_fonts.h"

namespace sorvani::documents {

void ShowSystemFontsOffscreen() {
    if (qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) return;
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const QString fonts = QString::fromWCharArray(windows, length) + QStringLiteral("\\Fonts");
    qputenv("QT_QPA_FONTDIR", fonts.toLocal8Bit());
}

}  // namespace sorvani::documents
