#include "throttled_event_loop.h"

#include <QCoreApplication>
#include <utility>

namespace sorvani::shell {

ThrottledEventLoop::ThrottledEventLoop(std::function<bool()> cancelled, int intervalMs)
    : cancelled_(std::move(cancelled)), intervalMs_(intervalMs) {
    sinceLast_.start();
}

void ThrottledEventLoop::Yield() {
    if (sinceLast_.elapsed() < intervalMs_) return;
    QCoreApplication::processEvents();
    sinceLast_.restart();
    if (cancelled_()) throw sorvani::LongWorkCancelled{};
}

}  // namespace sorvani::shell
