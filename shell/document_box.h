#pragma once

#include <QTextDocument>
#include <QTextEdit>
#include <memory>

// Gives the box a document to show in place of the one it had. A text widget lays out a document
// it is given a piece at a time, while the event loop turns; a long document filled in place is
// laid out all at once, which would freeze the window.
void ShowDocument(QTextEdit& box, std::unique_ptr<QTextDocument> document);
