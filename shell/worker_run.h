#pragma once

#include <functional>
#include <stop_token>

namespace sorvani::shell {

// Hands a function to the thread that waits for the work, which runs it by a queued call; calls
// run in the order handed.
using TellWaiter = std::function<void(std::function<void()> call)>;

// Runs the work on one worker thread while the calling thread's event loop turns (the window
// repaints and answers), and returns once the work has ended; rethrows what the work throws. The
// work's token is stopped when `stop` is. The waiting thread is woken by the work's calls and its
// end, never polled. At most a few calls wait to be run at a time: the work waits for the rest,
// so that the waiting thread never has a long backlog to handle before it can answer again.
void RunOnWorker(const std::function<void(std::stop_token, const TellWaiter&)>& work,
                 std::stop_token stop);

}  // namespace sorvani::shell
