#pragma once

namespace sorvani {

// Thrown by EventLoop::Yield to end a run at once, for instance when the window closes during it.
// It is no std::exception, so the layout's own failure handling lets it through to the caller.
struct AnnotationCancelled {};

// Lets a long run hand control to the user interface's event loop. Yield is called after every
// character, so an implementation should return at once unless enough time has passed for
// pending events to be worth handling. It may throw AnnotationCancelled.
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
