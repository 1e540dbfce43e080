#include "text_insertion.h"

#include <algorithm>

#include "long_work_cancelled.h"

namespace sorvani::documents {
namespace {

constexpr qsizetype kPieceLength = 1 << 16;

}  // namespace

void ThrowIfStopped(const std::stop_token& stop) {
    if (stop.stop_requested()) throw LongWorkCancelled{};
}

void InsertText(QTextCursor& cursor, QStringView text, const QTextCharFormat& format,
                const std::stop_token& stop) {
    while (!text.isEmpty()) {
        ThrowIfStopped(stop);
        qsizetype length = std::min(text.size(), kPieceLength);
        if (length < text.size() && text[length - 1] == u'\r' && text[length] == u'\n') ++length;
        cursor.insertText(text.first(length).toString(), format);
        text = text.sliced(length);
    }
}

DocumentFilling::DocumentFilling(QTextDocument& document)
    : document_(document), cursor_(&document), undo_(document.isUndoRedoEnabled()) {
    document.setUndoRedoEnabled(false);
    document.clear();
    cursor_.beginEditBlock();
}

DocumentFilling::~DocumentFilling() {
    cursor_.endEditBlock();
    document_.setUndoRedoEnabled(undo_);
}

void FillPlainText(QStringView text, QTextDocument& document, const std::stop_token& stop) {
    DocumentFilling filling(document);
    InsertText(filling.Cursor(), text, QTextCharFormat(), stop);
}

}  // namespace sorvani::documents
