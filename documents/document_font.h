#pragma once

#include <QFont>
#include <QTextDocument>

namespace sorvani::documents {

// The document box's font: one in which every half-width character, tone-marked pinyin letters
// included, is exactly half as wide as a Chinese character on screen, so that a syllable stands
// exactly above its character. An exported annotation names it, so it stays aligned elsewhere.
QFont DocumentFont();

// Lays the document out in the document font as the box does: with the font's own advances,
// scaled to its size. Windows rounds each hinted advance to whole pixels its own way, so that
// half-width columns would drift from the Chinese ones along a line.
void UseDocumentFont(QTextDocument& document);

}  // namespace sorvani::documents
