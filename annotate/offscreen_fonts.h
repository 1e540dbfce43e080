#pragma once

namespace sorvani::annotate {

// Lets Qt's offscreen platform, which the RTF module runs on, find the system's fonts: on
// Windows it reads only the folder QT_QPA_FONTDIR names (else one beside Qt's libraries, which
// holds none), so that is the system's font folder unless the user chose another. Elsewhere it
// asks fontconfig, and nothing needs doing.
void ShowSystemFontsOffscreen();

}  // namespace sorvani::annotate
