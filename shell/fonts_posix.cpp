#include "fonts.h"

// Debian's fonts-lxgw-wenkai, whose monospaced cut also serves the document box.
QString WindowFontFamily() { return QStringLiteral("LXGW WenKai Mono"); }
