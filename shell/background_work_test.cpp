#include "background_work.h"

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <stdexcept>

namespace sorvani::shell {

namespace {

// Ends a run at its first turn of the event loop, as closing the window does.
class CancellingEvents final : public EventLoop {
  public:
    void Yield() override { throw sorvani::LongWorkCancelled{}; }
};

TEST(BackgroundWork, BuildsADocumentForTheCallingThread) {
    NoEventLoop events;
    const QFont font(QStringLiteral("LXGW WenKai Mono"), 11);
    const auto document = BuildDocument(
        [](QTextDocument& d, std::stop_token) { d.setPlainText(QStringLiteral("中\r\nab\n")); },
        font, events);
    EXPECT_EQ(document->toPlainText(), QStringLiteral("中\nab\n"));
    EXPECT_EQ(document->defaultFont(), font);
    EXPECT_EQ(document->thread(), QThread::currentThread());
    EXPECT_FALSE(document->isUndoAvailable());
}

TEST(BackgroundWork, PassesOnWhatTheWorkThrows) {
    NoEventLoop events;
    EXPECT_THROW(
        RunInBackground([](std::stop_token) { throw std::runtime_error("disk full"); }, events),
        std::runtime_error);
}

TEST(BackgroundWork, ACancelledWaitStopsTheWorkAndEndsAfterIt) {
    CancellingEvents events;
    // The work would never end by itself; without the stop the test would hang. Once stopped it
    // still takes a while, so a wait that ended at the stop would leave it running on the
    // caller's data and find it unfinished.
    const QString text = QStringLiteral("Zhōng Guó \r\n中    国  \r\n").repeated(20'000);
    std::atomic<bool> finished = false;
    EXPECT_THROW(RunInBackground(
                     [&](std::stop_token stop) {
                         while (!stop.stop_requested()) QThread::yieldCurrentThread();
                         QTextDocument document;
                         document.setPlainText(text);
                         finished = document.blockCount() > 1;
                     },
                     events),
                 sorvani::LongWorkCancelled);
    EXPECT_TRUE(finished);
}

}  // namespace

}  // namespace sorvani::shell
