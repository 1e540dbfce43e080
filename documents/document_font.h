#pragma once

#include <QFont>

namespace sorvani::documents {

// The document box's font: one in which every half-width character, tone-marked pinyin letters
// included, is exactly half as wide as a Chinese character on screen, so that a syllable stands
// exactly above its character. An exported annotation names it, so it stays aligned elsewhere.
QFont DocumentFont();

// LXGW WenKai Mono, the box's font on Linux, sized so that its columns keep exactly in step.
QFont MonospacedWenKai();

}  // namespace sorvani::documents
