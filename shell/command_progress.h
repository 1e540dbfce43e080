#pragma once

#include <atomic>
#include <cstdint>

#include "event_loop.h"

namespace sorvani::shell {

class frmmain;

// The progress bar and percentage of a long command (annotate, export), shown below the document
// box, which is made lower for them, while the command runs. They stand where the window's
// design puts them, so a maximized window is restored for the command and maximized again after;
// meanwhile the maximize button is disabled. Whatever ends the command, everything is put back.
class CommandProgress {
  public:
    // Shows them, the percentage reading 0%.
    explicit CommandProgress(frmmain& window);
    ~CommandProgress();
    CommandProgress(const CommandProgress&) = delete;
    CommandProgress& operator=(const CommandProgress&) = delete;

    // Position of total done.
    void Show(int64_t position, int64_t total);
    // The work is done: the bar full, narrowed with the percentage moved left, which reads 100%.
    void Complete();

  private:
    frmmain& window_;
    bool wasMaximized_;
};

// The progress of work on another thread, shown each time the waiting thread turns its event loop.
class ReportedProgress final : public EventLoop {
  public:
    ReportedProgress(CommandProgress& shown, EventLoop& events) : shown_(shown), events_(events) {}

    // From the working thread: position of total done.
    void Report(int64_t position, int64_t total) {
        total_ = total;
        position_ = position;
    }
    // Shows the latest report (when there is a new one), then turns the event loop.
    void Yield() override;

  private:
    CommandProgress& shown_;
    EventLoop& events_;
    std::atomic<int64_t> position_{0};
    std::atomic<int64_t> total_{0};
    int64_t shownPosition_ = 0;
};

}  // namespace sorvani::shell
