#include "document_box.h"

#include <gtest/gtest.h>

#include <QThread>
#include <stdexcept>

#include "background_work.h"

namespace {

// Ends a run at its first turn of the event loop, as closing the window does.
class CancellingEvents final : public sorvani::EventLoop {
  public:
    void Yield() override { throw sorvani::AnnotationCancelled{}; }
};

TEST(BackgroundWork, BuildsADocumentForTheCallingThread) {
    sorvani::NoEventLoop events;
    const QFont font(QStringLiteral("LXGW WenKai Mono"), 11);
    const auto document = BuildDocument(
        [](QTextDocument& d) { d.setPlainText(QStringLiteral("中\r\nab\n")); }, font, events);
    EXPECT_EQ(document->toPlainText(), QStringLiteral("中\nab\n"));
    EXPECT_EQ(document->defaultFont(), font);
    EXPECT_EQ(document->thread(), QThread::currentThread());
    EXPECT_FALSE(document->isUndoAvailable());
}

TEST(BackgroundWork, PassesOnWhatTheWorkThrows) {
    sorvani::NoEventLoop events;
    EXPECT_THROW(RunInBackground([] { throw std::runtime_error("disk full"); }, events),
                 std::runtime_error);
}

TEST(BackgroundWork, ACancelledWaitEndsAfterTheWork) {
    CancellingEvents events;
    // Long enough that the worker is still busy when the waiting thread first looks up.
    const QString text = QStringLiteral("Zhōng Guó \r\n中    国  \r\n").repeated(100'000);
    EXPECT_THROW(BuildDocument([&](QTextDocument& d) { d.setPlainText(text); }, QFont(), events),
                 sorvani::AnnotationCancelled);
}

TEST(ShowDocument, GivenDocumentsReplaceEachOtherWithoutPilingUp) {
    QTextEdit box;
    for (int i = 0; i < 3; ++i) {
        auto document = std::make_unique<QTextDocument>();
        document->setPlainText(QString::number(i));
        ShowDocument(box, std::move(document));
    }
    EXPECT_EQ(box.toPlainText(), QStringLiteral("2"));
    EXPECT_EQ(box.findChildren<QTextDocument*>(Qt::FindDirectChildrenOnly).size(), 1);
}

}  // namespace
