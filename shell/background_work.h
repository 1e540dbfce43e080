#pragma once

#include <QFont>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <stop_token>

#include "event_loop.h"

namespace sorvani::shell {

// Runs the work on a worker thread while the event loop keeps turning, so that a long job (taking
// in or writing out a 10 MB document costs the text document about a second) does not freeze the
// window. Rethrows what the work throws. When the event loop's yield throws (the window closes),
// the work is asked to stop through its token, and the throw passes on once the work has ended,
// since the work may use the caller's data until then: work that heeds the token ends soon.
void RunInBackground(const std::function<void(std::stop_token)>& work, EventLoop& events);

// Deletes the object (with its children) on a worker thread while the event loop turns: taking
// apart a long document costs a good part of a second. The object must belong to the calling
// thread and have no parent. Ends once the object is gone, also when the event loop's yield
// throws.
void DeleteInBackground(std::unique_ptr<QObject> object, EventLoop& events);

// A new document in the given default font, filled in the background; it comes back belonging to
// the calling thread. Rethrows what the filling throws.
std::unique_ptr<QTextDocument> BuildDocument(
    const std::function<void(QTextDocument&, std::stop_token)>& fill, const QFont& font,
    EventLoop& events);

}  // namespace sorvani::shell
