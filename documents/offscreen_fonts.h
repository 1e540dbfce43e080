#pragma once

namespace sorvani::documents {

// Lets Qt's offscreen platform, which the tool's RTF module and the tests run on, find the
// system's fonts: on Windows it reads only the folder QT_QPA_FONTDIR names (else one beside Qt's
// libraries, which holds none), so that is the system's font folder unless the user chose
// another. Elsewhere it asks fontconfig, and nothing needs doing.
void ShowSystemFontsOffscreen();

}  // namespace sorvani::documents
