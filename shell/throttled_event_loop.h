#pragma once

#include <QElapsedTimer>
#include <functional>

#include "event_loop.h"

namespace sorvani::shell {

// Hands control to Qt's event loop during the window's long commands (annotate, import, export),
// but only when about 15 ms have passed since the last time: the window keeps repainting and
// answering, and the work does not pay for event handling after every character.
class ThrottledEventLoop final : public EventLoop {
  public:
    // cancelled is asked after the events are handled; when it says so the work ends.
    explicit ThrottledEventLoop(std::function<bool()> cancelled, int intervalMs = 15);

    // Throws sorvani::LongWorkCancelled once cancelled() is true.
    void Yield() override;

  private:
    std::function<bool()> cancelled_;
    int intervalMs_;
    QElapsedTimer sinceLast_;
};

}  // namespace sorvani::shell
