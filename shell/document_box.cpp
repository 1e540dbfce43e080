#include "document_box.h"

void ShowDocument(QTextEdit& box, std::unique_ptr<QTextDocument> document) {
    // Documents given earlier are the box's children and go with their replacement; the box's
    // own first document goes by itself.
    QTextDocument* const old = box.document();
    const bool given = old->parent() == &box;
    document->setParent(&box);
    box.setDocument(document.release());
    if (given) delete old;
}
