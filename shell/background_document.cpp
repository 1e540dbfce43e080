#include "background_document.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// How often the waiting thread looks up from the worker to turn the event loop.
constexpr int kPollMs = 5;

}  // namespace

std::unique_ptr<QTextDocument> BuildPlainTextDocument(const QString& text, const QFont& font,
                                                      sorvani::EventLoop& events) {
    QThread* const home = QThread::currentThread();
    std::unique_ptr<QTextDocument> document;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        auto built = std::make_unique<QTextDocument>();
        built->setUndoRedoEnabled(false);
        built->setDefaultFont(font);
        built->setPlainText(text);
        built->setUndoRedoEnabled(true);
        built->moveToThread(home);
        document = std::move(built);
    }));
    worker->start();
    try {
        while (!worker->wait(QDeadlineTimer(kPollMs))) events.Yield();
    } catch (...) {
        // The worker uses this frame's text and font until it ends.
        worker->wait();
        throw;
    }
    return document;
}
