#include "reading_settings.h"

#include <QSettings>

namespace {

QSettings Settings() { return QSettings(QStringLiteral("Sorvani"), QStringLiteral("Sorvani")); }

constexpr auto kByWord = "annotate/readingsByWord";
constexpr auto kToneChange = "annotate/toneChangeOfYiBu";
constexpr auto kLastFileFolder = "files/lastFolder";

}  // namespace

sorvani::ReadingOptions LoadReadingOptions() {
    const QSettings settings = Settings();
    return {settings.value(kByWord, true).toBool(), settings.value(kToneChange, false).toBool()};
}

void SaveReadingOptions(const sorvani::ReadingOptions& options) {
    QSettings settings = Settings();
    settings.setValue(kByWord, options.byWord);
    settings.setValue(kToneChange, options.toneChange);
}

QString LoadLastFileFolder() { return Settings().value(kLastFileFolder).toString(); }

void SaveLastFileFolder(const QString& folder) { Settings().setValue(kLastFileFolder, folder); }
