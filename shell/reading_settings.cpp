#include "reading_settings.h"

#include "settings_file.h"

namespace {

constexpr auto kByWord = "annotate/readingsByWord";
constexpr auto kToneChange = "annotate/toneChangeOfYiBu";
constexpr auto kLastFileFolder = "files/lastFolder";

// What the program wrote, or the fallback for anything else a hand or another program put there.
bool BoolSetting(const QSettings& settings, const char* key, bool fallback) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    if (value.typeId() != QMetaType::QString) return fallback;
    const QString text = value.toString();
    return text == QLatin1String("true") ? true : text == QLatin1String("false") ? false : fallback;
}

}  // namespace

sorvani::ReadingOptions LoadReadingOptions(std::optional<QString>* setAside) {
    const auto settings = OpenSettings(setAside);
    return {BoolSetting(*settings, kByWord, true), BoolSetting(*settings, kToneChange, false)};
}

void SaveReadingOptions(const sorvani::ReadingOptions& options) {
    const auto settings = OpenSettings();
    settings->setValue(kByWord, options.byWord);
    settings->setValue(kToneChange, options.toneChange);
}

QString LoadLastFileFolder() { return OpenSettings()->value(kLastFileFolder).toString(); }

void SaveLastFileFolder(const QString& folder) {
    OpenSettings()->setValue(kLastFileFolder, folder);
}
