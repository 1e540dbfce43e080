#include "taskbar_entry.h"

void KeepOffTaskbar(QWidget&) {}
