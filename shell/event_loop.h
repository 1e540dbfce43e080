#pragma once

#include "long_work_cancelled.h"

namespace sorvani::shell {

// Lets long work on the window's thread hand control to Qt's event loop. An implementation should
// return at once unless enough time has passed for pending events to be worth handling. It may
// throw sorvani::LongWorkCancelled.
class EventLoop {
  public:
    virtual ~EventLoop() = default;
    virtual void Yield() = 0;
};

// For work that needs no turns of the event loop.
class NoEventLoop final : public EventLoop {
  public:
    void Yield() override {}
};

}  // namespace sorvani::shell
