#pragma once

#include <QString>

// Where the open and save dialogs start: the root of drive C on Windows, as users of the
// program there know it, and the user's home folder elsewhere.
QString DialogStartDirectory();
