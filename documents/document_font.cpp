#include "document_font.h"

namespace sorvani::documents {

void UseDocumentFont(QTextDocument& document) {
    document.setDefaultFont(DocumentFont());
    document.setUseDesignMetrics(true);
}

}  // namespace sorvani::documents
