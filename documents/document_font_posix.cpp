#include "document_font.h"

namespace sorvani::documents {

QFont DocumentFont() { return MonospacedWenKai(); }

}  // namespace sorvani::documents
