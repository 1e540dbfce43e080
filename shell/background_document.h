#pragma once

#include <QFont>
#include <QString>
#include <QTextDocument>
#include <memory>

#include "event_loop.h"

// Builds a plain-text document on a worker thread while the event loop keeps turning: taking in a
// long text (an annotated 10 MB document has over 30 million characters) costs the text document
// about a second, which would otherwise freeze the window. The document comes back belonging to
// the calling thread. Throws what the event loop's yield throws, once the worker has finished.
std::unique_ptr<QTextDocument> BuildPlainTextDocument(const QString& text, const QFont& font,
                                                      sorvani::EventLoop& events);
