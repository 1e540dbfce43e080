#pragma once

#include <QTextDocument>
#include <QTextEdit>
#include <memory>

#include "event_loop.h"

namespace sorvani::shell {

// Lays out the box's document, from now on, a piece of bounded time at a time while the event
// loop turns. A text widget lays out a long document in pieces that grow to 200,000 characters,
// each a freeze of the window.
void PaceLayout(QTextEdit& box);

// Gives the box a document to show in place of the one it had, laid out as PaceLayout does (a long
// document filled in place would be laid out all at once). Lines scroll, unless a paragraph is
// wider than the box's wrap width (QTextEdit::lineWrapColumnOrWidth, in pixels, taken as columns
// of the box's font): then the box wraps there. The document it had goes on a worker
// thread, as taking a long document apart costs a good part of a second; the event loop turns
// meanwhile.
void ShowDocument(QTextEdit& box, std::unique_ptr<QTextDocument> document, EventLoop& events);
// The same, handing back the document the box had when it was given one, so that it can come back.
std::unique_ptr<QTextDocument> SwapDocument(QTextEdit& box, std::unique_ptr<QTextDocument> document,
                                            EventLoop& events);

}  // namespace sorvani::shell
