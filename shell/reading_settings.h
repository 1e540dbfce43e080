#pragma once

#include <QString>

#include "context_readings.h"

// The window's choice of readings (by word, tone change of 一 and 不), kept between runs in the
// user's settings. On first start readings by word are on and the tone change is off.
sorvani::ReadingOptions LoadReadingOptions();
void SaveReadingOptions(const sorvani::ReadingOptions& options);

// The folder of the file last chosen in the import or export dialog, kept between runs; empty
// until one was chosen.
QString LoadLastFileFolder();
void SaveLastFileFolder(const QString& folder);
