#include "document_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include "clipboard_document.h"
#include "document_font.h"

namespace sorvani::shell {

DocumentEdit::DocumentEdit(QWidget* parent) : QTextEdit(parent) {
    auto* const document = new QTextDocument(this);
    sorvani::documents::UseDocumentFont(*document);
    setDocument(document);
}

QMimeData* DocumentEdit::createMimeDataFromSelection() const {
    return new sorvani::documents::ClipboardDocument(textCursor().selection());
}

bool DocumentEdit::StepsToReplacement(bool back) const {
    const bool ownEdit = back ? document()->isUndoAvailable() : document()->isRedoAvailable();
    return !ownEdit && !isReadOnly() && replacements_.canStep && replacements_.canStep(back);
}

void DocumentEdit::keyPressEvent(QKeyEvent* event) {
    for (const bool back : {true, false}) {
        if (event->matches(back ? QKeySequence::Undo : QKeySequence::Redo) &&
            StepsToReplacement(back)) {
            replacements_.step(back);
            event->accept();
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
}

void DocumentEdit::contextMenuEvent(QContextMenuEvent* event) {
    ContextMenu(event->pos())->exec(event->globalPos());
}

std::unique_ptr<QMenu> DocumentEdit::ContextMenu(const QPoint& position) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(position));
    for (const bool back : {true, false}) {
        QAction* action = menu->findChild<QAction*>(back ? QStringLiteral("edit-undo")
                                                         : QStringLiteral("edit-redo"));
        if (!action || !StepsToReplacement(back)) continue;
        action->disconnect();
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [this, back] { replacements_.step(back); });
    }
    if (!menuActions_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(menuActions_);
    }
    return menu;
}

}  // namespace sorvani::shell
