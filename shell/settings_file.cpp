#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace sorvani::shell {

namespace {

// Why Qt must not read the file; nothing when it may (or when there is none).
std::optional<QString> Unsound(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;
    if (!info.isFile()) return QStringLiteral("它不是普通文件");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("无法读取");
    const QByteArray bytes = file.read(kLargestSettingsFile + 1);
    if (bytes.size() > kLargestSettingsFile) return QStringLiteral("它太大");
    // Values of any type, nested without end; the program writes only true and false.
    if (bytes.contains("@Variant(")) return QStringLiteral("其中有无法识别的值");
    return std::nullopt;
}

// A free name beside the file for setting it aside; nothing when there is none.
std::optional<QString> AsideName(const QString& path) {
    for (int number = 1; number <= 100; ++number) {
        const QString aside = path + QStringLiteral(".unreadable") +
                              (number > 1 ? QString::number(number) : QString());
        if (!QFileInfo(aside).exists() && !QFileInfo(aside).isSymLink()) return aside;
    }
    return std::nullopt;
}

QString& MovedSettingsFile() {
    static QString path;
    return path;
}

}  // namespace

QString SettingsFilePath() {
    if (!MovedSettingsFile().isEmpty()) return MovedSettingsFile();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Sorvani/Sorvani.conf");
}

void MoveSettingsFile(const QString& path) { MovedSettingsFile() = path; }

std::unique_ptr<QSettings> OpenSettings(std::optional<QString>* setAside) {
    const QString path = SettingsFilePath();
    const auto problem = Unsound(path);
    if (!problem) return std::make_unique<QSettings>(path, QSettings::IniFormat);
    const QString shown = QDir::toNativeSeparators(path);
    const auto aside = AsideName(path);
    if (aside && QDir().rename(path, *aside)) {
        if (setAside)
            *setAside =
                QStringLiteral("无法读取设置文件“%1”：%2。它已改名为“%3”，本程序使用默认设置。")
                    .arg(shown, *problem, QDir::toNativeSeparators(*aside));
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    // Settings without a file: the defaults, kept only while the program runs.
    if (setAside)
        *setAside = QStringLiteral(
                        "无法读取设置文件“%1”：%"
                        "2，也无法把它改名。本程序使用默认设置，这次的设置不会保存。")
                        .arg(shown, *problem);
    return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
}

}  // namespace sorvani::shell
