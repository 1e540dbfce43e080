#include "document_font.h"
#include "font_names.h"

namespace sorvani::documents {

QFont DocumentFont() { return MonospacedWenKai(); }

}  // namespace sorvani::documents
