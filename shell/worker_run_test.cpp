#include "worker_run.h"

#include <gtest/gtest.h>

#include <QThread>
#include <stdexcept>
#include <vector>

namespace sorvani::shell {

namespace {

TEST(WorkerRun, RunsEveryCallOnTheWaitingThreadInOrder) {
    // Far more calls than may wait at a time: the work waits for the window, none is lost.
    std::vector<int> run;
    bool allHere = true;
    QThread* const here = QThread::currentThread();
    RunOnWorker(
        [&](std::stop_token, const TellWaiter& tell) {
            EXPECT_NE(QThread::currentThread(), here);
            for (int i = 0; i < 1000; ++i)
                tell([&, i] {
                    allHere = allHere && QThread::currentThread() == here;
                    run.push_back(i);
                });
        },
        {});
    ASSERT_EQ(run.size(), 1000u);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(run[i], i);
    EXPECT_TRUE(allHere);
}

TEST(WorkerRun, PassesOnWhatTheWorkThrows) {
    EXPECT_THROW(
        RunOnWorker(
            [](std::stop_token, const TellWaiter&) { throw std::runtime_error("disk full"); }, {}),
        std::runtime_error);
}

TEST(WorkerRun, AStopRequestedWhileTheWorkRunsReachesIt) {
    // The work would never end by itself; the stop comes from a call it tells, as a close of
    // the window comes while the run shows its progress.
    std::stop_source stop;
    bool stopped = false;
    RunOnWorker(
        [&](std::stop_token token, const TellWaiter& tell) {
            tell([&] { stop.request_stop(); });
            while (!token.stop_requested()) QThread::yieldCurrentThread();
            stopped = true;
        },
        stop.get_token());
    EXPECT_TRUE(stopped);
}

}  // namespace

}  // namespace sorvani::shell
