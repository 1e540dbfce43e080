#pragma once

#include <QString>
#include <QTextEdit>
#include <QWidget>
#include <exception>
#include <optional>
#include <stop_token>

#include "throttled_event_loop.h"

namespace sorvani::shell {

// Held by each of the window's long commands (import, export, annotate) while it runs. It lets one
// command run at a time: a command started during another does nothing. While it runs, the event
// loop turns (the window repaints and answers), the document box is read-only so that nothing
// typed is lost to the command's result, and a close of the window waits: the next turn of the
// event loop ends the command, and the window closes when it has ended.
class LongCommand {
  public:
    // What the window keeps between commands.
    struct State {
        bool running = false;
        bool closeRequested = false;
        // Stopped by a close of the window during the command.
        std::stop_source stop;
    };

    LongCommand(State& state, QWidget& window, QTextEdit& box, int yieldMs);
    ~LongCommand();
    LongCommand(const LongCommand&) = delete;
    LongCommand& operator=(const LongCommand&) = delete;

    // False when another command was running: this one must do nothing.
    bool Started() const { return started_; }
    // Throws sorvani::LongWorkCancelled once the window is to close.
    ThrottledEventLoop& Events() { return events_; }
    // For work on another thread: stopped once the window is to close.
    std::stop_token Stop() const { return state_.stop.get_token(); }

    // For the window's close event: true when the close must wait for the running command.
    static bool DelaysClose(State& state);

  private:
    State& state_;
    QWidget& window_;
    QTextEdit& box_;
    bool started_;
    bool wasReadOnly_;
    ThrottledEventLoop events_;
};

// What the user is told about a command's failure of any kind, out of memory included; nothing
// when the failure is the command's end by a close of the window.
std::optional<QString> FailureMessage(const std::exception_ptr& failure);

}  // namespace sorvani::shell
