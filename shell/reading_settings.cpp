#include "reading_settings.h"

#include "settings_file.h"

namespace sorvani::shell {

namespace {

constexpr auto kByWord = "annotate/readingsByWord";
constexpr auto kToneChange = "annotate/toneChangeOfYiBu";
constexpr auto kLastFileFolder = "files/lastFolder";
constexpr auto kBoxCopy = "layout/boxCopy";
constexpr auto kSize = "layout/size";
constexpr auto kCapitals = "layout/capitals";
constexpr auto kToneColours = "layout/toneColours";
constexpr auto kGrid = "layout/grid";

// What the program wrote, or the fallback for anything else a hand or another program put there.
bool BoolSetting(const QSettings& settings, const char* key, bool fallback) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    if (value.typeId() != QMetaType::QString) return fallback;
    const QString text = value.toString();
    return text == QLatin1String("true") ? true : text == QLatin1String("false") ? false : fallback;
}

// A whole number of points in the range the layout takes, or the fallback.
int SizeSetting(const QSettings& settings, const char* key, int fallback) {
    bool number = false;
    const int size = settings.value(key).toString().toInt(&number);
    using sorvani::documents::ReadingChoices;
    return number && size >= ReadingChoices::kSmallestSize && size <= ReadingChoices::kLargestSize
               ? size
               : fallback;
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

sorvani::documents::ReadingChoices LoadLayoutChoices() {
    using sorvani::documents::ReadingChoices;
    const auto settings = OpenSettings();
    ReadingChoices choices;
    if (BoolSetting(*settings, kBoxCopy, false)) choices.layout = ReadingChoices::Layout::Box;
    choices.size = SizeSetting(*settings, kSize, choices.size);
    choices.capitals = BoolSetting(*settings, kCapitals, choices.capitals);
    choices.toneColours = BoolSetting(*settings, kToneColours, choices.toneColours);
    choices.grid = BoolSetting(*settings, kGrid, choices.grid);
    return choices;
}

void SaveLayoutChoices(const sorvani::documents::ReadingChoices& choices) {
    const auto settings = OpenSettings();
    settings->setValue(kBoxCopy, choices.layout == sorvani::documents::ReadingChoices::Layout::Box);
    settings->setValue(kSize, choices.size);
    settings->setValue(kCapitals, choices.capitals);
    settings->setValue(kToneColours, choices.toneColours);
    settings->setValue(kGrid, choices.grid);
}

QString LoadLastFileFolder() { return OpenSettings()->value(kLastFileFolder).toString(); }

void SaveLastFileFolder(const QString& folder) {
    OpenSettings()->setValue(kLastFileFolder, folder);
}

}  // namespace sorvani::shell
