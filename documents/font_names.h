// The fonts the program names, each written once.
#pragma once

#include <QString>

namespace sorvani::documents {

// Monospaced, with every half-width character, tone-marked vowels included, exactly half as wide
// as a Chinese one: the document box's font and the one exported documents name, and on Linux the
// windows' own. Free, as Debian's fonts-lxgw-wenkai.
inline const QString kMonospacedFont = QStringLiteral("LXGW WenKai Mono");
// The same on Windows, where every Chinese installation has it, and the alternative exported
// documents name for readers without the first.
inline const QString kMonospacedFontOnWindows = QStringLiteral("NSimSun");
// The windows' own font on Windows: SimSun (宋体), in which the ruler's widths are defined.
inline const QString kWindowFontOnWindows = QStringLiteral("SimSun");
// A Kai typeface, as school books print characters, with the Latin letters of pinyin: the reading
// layout's. The monospaced font's proportional cut.
inline const QString kReadingFont = QStringLiteral("LXGW WenKai");

}  // namespace sorvani::documents
