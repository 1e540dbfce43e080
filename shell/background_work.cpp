#include "background_work.h"

#include <QDeadlineTimer>
#include <QThread>
#include <exception>

namespace {

// How often the waiting thread looks up from the worker to turn the event loop.
constexpr int kPollMs = 5;

}  // namespace

void RunInBackground(const std::function<void()>& work, sorvani::EventLoop& events) {
    std::exception_ptr failure;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    worker->start();
    try {
        while (!worker->wait(QDeadlineTimer(kPollMs))) events.Yield();
    } catch (...) {
        worker->wait();
        throw;
    }
    if (failure) std::rethrow_exception(failure);
}

std::unique_ptr<QTextDocument> BuildDocument(const std::function<void(QTextDocument&)>& fill,
                                             const QFont& font, sorvani::EventLoop& events) {
    QThread* const home = QThread::currentThread();
    std::unique_ptr<QTextDocument> document;
    RunInBackground(
        [&] {
            auto built = std::make_unique<QTextDocument>();
            built->setDefaultFont(font);
            fill(*built);
            built->moveToThread(home);
            document = std::move(built);
        },
        events);
    return document;
}
