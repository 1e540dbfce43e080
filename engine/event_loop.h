#pragma once

namespace sorvani {

// Thrown by EventLoop::Yield to end a long piece of work at once (an annotation run, an import, an
// export), for instance when the window closes during it. It is no std::exception, so the
// layout's own failure handling lets it through to the caller.
struct LongWorkCancelled {};

// Lets long work hand control to the user interface's event loop. The layout yields after every
// character, so an implementation should return at once unless enough time has passed for
// pending events to be worth handling. It may throw LongWorkCancelled.
class EventLoop {
  public:
    virtual ~EventLoop() = default;
    virtual void Yield() = 0;
};

// For runs without a user interface.
class NoEventLoop final : public EventLoop {
  public:
    void Yield() override {}
};

}  // namespace sorvani
