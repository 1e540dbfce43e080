#pragma once

#include <QString>
#include <optional>

#include "context_readings.h"
#include "reading_choices.h"

namespace sorvani::shell {

// The window's choice of readings (by word, tone change of 一 and 不), kept between runs in the
// user's settings. On first start, and for a value that is not true or false, readings by word
// are on and the tone change is off. A settings file that cannot be read is set aside, and
// `setAside` says so (see OpenSettings).
sorvani::ReadingOptions LoadReadingOptions(std::optional<QString>* setAside = nullptr);
void SaveReadingOptions(const sorvani::ReadingOptions& options);

// The layout of printed pages and web pages last chosen, kept between runs; the defaults until
// one was chosen, and for any value the program would not have written.
sorvani::documents::ReadingChoices LoadLayoutChoices();
void SaveLayoutChoices(const sorvani::documents::ReadingChoices& choices);

// The folder of the file last chosen in the import or export dialog, kept between runs; empty
// until one was chosen.
QString LoadLastFileFolder();
void SaveLastFileFolder(const QString& folder);

}  // namespace sorvani::shell
