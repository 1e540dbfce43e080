#pragma once

class QString;

// Keeps the settings that a test program's windows read and write away from the user's own and
// from the programs that other tests run, in the folder where that can be chosen.
void KeepSettingsApart(const QString& folder);
