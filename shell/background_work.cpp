#include "background_work.h"

#include <QDeadlineTimer>
#include <QThread>
#include <exception>

namespace sorvani::shell {

namespace {

// How often the waiting thread looks up from the worker to turn the event loop.
constexpr int kPollMs = 5;

// Starts the worker and waits for it to end while the event loop turns. When the yield throws,
// the worker is asked to stop and waited for, since it may use the caller's data until it ends.
void WaitTurningEvents(QThread& worker, std::stop_source& stop, EventLoop& events) {
    worker.start();
    try {
        // The loop turns at least once, so that what waits for the window's next turn (a click,
        // a close) is seen whatever the work's length.
        do events.Yield();
        while (!worker.wait(QDeadlineTimer(kPollMs)));
    } catch (...) {
        stop.request_stop();
        worker.wait();
        throw;
    }
}

}  // namespace

void RunInBackground(const std::function<void(std::stop_token)>& work, EventLoop& events) {
    std::exception_ptr failure;
    std::stop_source stop;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work(stop.get_token());
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    WaitTurningEvents(*worker, stop, events);
    if (failure) std::rethrow_exception(failure);
}

void DeleteInBackground(std::unique_ptr<QObject> object, EventLoop& events) {
    QObject* const doomed = object.get();
    const std::unique_ptr<QThread> worker(QThread::create([&object] { object.reset(); }));
    // It belongs to the worker, so that its timers (a layout in progress) end in their thread.
    doomed->moveToThread(worker.get());
    std::stop_source stop;
    WaitTurningEvents(*worker, stop, events);
}

std::unique_ptr<QTextDocument> BuildDocument(
    const std::function<void(QTextDocument&, std::stop_token)>& fill, const QFont& font,
    EventLoop& events) {
    QThread* const home = QThread::currentThread();
    std::unique_ptr<QTextDocument> document;
    RunInBackground(
        [&](std::stop_token stop) {
            auto built = std::make_unique<QTextDocument>();
            built->setDefaultFont(font);
            fill(*built, stop);
            built->moveToThread(home);
            document = std::move(built);
        },
        events);
    return document;
}

}  // namespace sorvani::shell
