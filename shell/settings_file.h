#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

namespace sorvani::shell {

// The file that keeps the window's settings between runs, as an INI file under the user's
// configuration folder (where Qt keeps it by default on Linux).
QString SettingsFilePath();
// Puts the file elsewhere, so that tests keep apart from the user's settings and each other's;
// an empty path puts it back.
void MoveSettingsFile(const QString& path);

// The most the file may hold: the program writes a few dozen bytes.
inline constexpr qint64 kLargestSettingsFile = 64 * 1024;

// The settings, read from their file once it is found sound. Qt's reader waits for ever on a
// pipe, reads a file of any size whole, and recurses once for each level of a nested value (a
// few hundred kilobytes of them overflow the stack), so a file that is no regular file, is too
// large, cannot be read or holds a value the program never writes is set aside under another name
// first, and the settings start empty. Then `setAside` (when given) says so, in Chinese.
std::unique_ptr<QSettings> OpenSettings(std::optional<QString>* setAside = nullptr);

}  // namespace sorvani::shell
