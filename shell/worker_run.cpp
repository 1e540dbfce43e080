#include "worker_run.h"

#include <QEventLoop>
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
    QEventLoop wait;
    std::stop_source workStop;
    const std::stop_callback forward(stop, [&workStop] { workStop.request_stop(); });
    std::atomic<int> waiting = 0;
    std::atomic<bool> abandoned = false;
    const TellWaiter tell = [&](std::function<void()> call) {
        for (int now = waiting.load(); now >= kMostWaitingCalls && !abandoned; now = waiting.load())
            waiting.wait(now);
        ++waiting;
        // Queued to the loop, so that calls still waiting when it ends are dropped with it.
        QMetaObject::invokeMethod(
            &wait,
            [&waiting, call = std::move(call)] {
                call();
                --waiting;
                waiting.notify_one();
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
    // waiting for calls that nobody runs. Otherwise it has ended already.
    workStop.request_stop();
    abandoned = true;
    waiting = 0;
    waiting.notify_one();
    worker->wait();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace sorvani::shell
