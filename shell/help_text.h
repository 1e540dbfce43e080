#pragma once

#include <QString>

namespace sorvani::shell {

// The usage notes the help command shows in the document box: heading lines "◇title：" and body
// lines indented by four spaces, joined by CR LF, the usage section last and no line break after
// its last line.
QString BuildHelpText();

}  // namespace sorvani::shell
