#include "worker_run.h"

#include <QEventLoop>
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <exception>
#include <memory>

namespace sorvani::shell {

namespace {

// Calls the work may have waiting at a time: a handful keeps the worker busy while the waiting
// thread handles them, and bounds how long that takes.
constexpr int kMostWaitingCalls = 8;

}  // namespace

void RunOnWorker(const std::function<void(std::stop_token, const TellWaiter&)>& work,
                 std::stop_token stop) {
    // A Qt semaphore rather than std::atomic::wait: MinGW's libstdc++ 12 waits on a shared pool
    // there and now and then missed the wake-up, leaving the work and the window waiting forever.
    QSemaphore room(kMostWaitingCalls);
    std::atomic<bool> abandoned = false;
    // Declared after the semaphore, so that it goes first, with the calls still queued to it.
    QEventLoop wait;
    std::stop_source workStop;
    const std::stop_callback forward(stop, [&workStop] { workStop.request_stop(); });
    const TellWaiter tell = [&](std::function<void()> call) {
        if (abandoned) return;
        room.acquire();
        // Queued to the loop, so that calls still waiting when it ends are dropped with it.
        QMetaObject::invokeMethod(
            &wait,
            [&room, call = std::move(call)] {
                call();
                room.release();
            },
            Qt::QueuedConnection);
    };
    std::exception_ptr failure;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work(workStop.get_token(), tell);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&wait, &QEventLoop::quit, Qt::QueuedConnection);
    }));
    worker->start();
    wait.exec();
    // The loop also ends when the application quits: the work is then stopped and no longer kept
    // waiting for calls that nobody runs (one room is enough, as a single thread waits for it).
    // Otherwise it has ended already.
    workStop.request_stop();
    abandoned = true;
    room.release();
    worker->wait();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace sorvani::shell
