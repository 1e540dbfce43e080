#include "document_box.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTextBlock>
#include <QTimerEvent>
#include <algorithm>

#include "background_work.h"

namespace sorvani::shell {

namespace {

// Takes over the lazy layout of a document: each tick of the layout's own timer lays out what
// fits in a few milliseconds, a few blocks at a time, instead of the layout's doubling steps.
class PacedLayout final : public QObject {
  public:
    explicit PacedLayout(QAbstractTextDocumentLayout& layout) : QObject(&layout) {
        layout.installEventFilter(this);
        connect(layout.document(), &QTextDocument::contentsChange, this,
                [this](int from, int, int) { next_ = std::min(next_, from); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Timer ||
            !IsLayoutTimer(*watched, static_cast<QTimerEvent*>(event)->timerId()))
            return false;
        Step(static_cast<QAbstractTextDocumentLayout&>(*watched));
        return true;
    }

  private:
    // The time one tick lays out for, and the characters one request asks for beyond the last.
    static constexpr qint64 kBudgetNs = 8'000'000;
    static constexpr int kStride = 2'000;

    // The layout has two timers: one that lays out the next piece, ticking every few
    // milliseconds, and one that reports the new size at once (interval 0), which stays its own.
    static bool IsLayoutTimer(QObject& layout, int id) {
        const QAbstractEventDispatcher* const dispatcher =
            QAbstractEventDispatcher::instance(layout.thread());
        if (dispatcher == nullptr) return false;
        for (const auto& timer : dispatcher->registeredTimers(&layout))
            if (timer.timerId == id) return timer.interval > 0;
        return false;
    }

    // Asking for a block's place lays out the document up to it (at least a small step beyond
    // what is laid out: the layout's steps stay small while its timer is ours). Once the last
    // block is laid out the layout stops its timer.
    void Step(QAbstractTextDocumentLayout& layout) {
        const QTextDocument& document = *layout.document();
        QElapsedTimer clock;
        clock.start();
        do {
            QTextBlock block = document.findBlock(next_);
            if (!block.isValid()) block = document.lastBlock();
            layout.blockBoundingRect(block);
            if (block == document.lastBlock()) return;
            next_ = block.position() + block.length() + kStride;
        } while (clock.nsecsElapsed() < kBudgetNs);
    }

    int next_ = 0;
};

// Whether the document has a paragraph wider than the columns (each character is one at least).
bool HasParagraphWiderThan(const QTextDocument& document, int columns) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.length() - 1 > columns) return true;
    return false;
}

}  // namespace

void PaceLayout(QTextEdit& box) { new PacedLayout(*box.document()->documentLayout()); }

void ShowDocument(QTextEdit& box, std::unique_ptr<QTextDocument> document, EventLoop& events) {
    if (std::unique_ptr<QTextDocument> old = SwapDocument(box, std::move(document), events))
        DeleteInBackground(std::move(old), events);
}

std::unique_ptr<QTextDocument> SwapDocument(QTextEdit& box, std::unique_ptr<QTextDocument> document,
                                            EventLoop& events) {
    // Documents given earlier are the box's children and go with their replacement; the box's
    // own first document goes by itself.
    QTextDocument* const old = box.document();
    const bool given = old->parent() == &box;
    // Lines scroll, so that a pinyin line stays above its characters. But the box measures and
    // draws a line whole at every paint, so a document with a paragraph wider than the wrap
    // width is wrapped there: the width to scroll over is then that of its widest lines still.
    const int wrapColumns =
        box.lineWrapColumnOrWidth() / QFontMetrics(box.font()).horizontalAdvance(u'0');
    // Looking at every paragraph of a long document takes a while; nothing else uses it yet.
    bool wide = false;
    RunInBackground([&](std::stop_token) { wide = HasParagraphWiderThan(*document, wrapColumns); },
                    events);
    const auto wrap = wide ? QTextEdit::FixedPixelWidth : QTextEdit::NoWrap;
    // A change of the wrap lays out the document the box holds: an empty one in the meantime.
    QTextDocument standIn;
    if (box.lineWrapMode() != wrap) {
        box.setDocument(&standIn);
        box.setLineWrapMode(wrap);
    }
    document->setParent(&box);
    // The box lays its new document out afresh for each setting it gives it, the first part of a
    // long document three times over. Given the box's text options, and no page size (without
    // which it is not laid out), the document is laid out once: when the box sets its page size.
    document->setDefaultTextOption(box.document()->defaultTextOption());
    document->setUseDesignMetrics(box.document()->useDesignMetrics());
    document->setPageSize(QSizeF(0, 0));
    box.setDocument(document.release());
    PaceLayout(box);
    if (!given) return nullptr;
    old->setParent(nullptr);
    return std::unique_ptr<QTextDocument>(old);
}

}  // namespace sorvani::shell
