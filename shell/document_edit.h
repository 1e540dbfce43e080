#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QTextEdit>
#include <functional>
#include <memory>

namespace sorvani::shell {

// The document box: a text box whose copies name the monospaced font of the annotation, so that
// a paste into an office program stays aligned (see sorvani::documents::ClipboardDocument), and
// whose undo and redo (Ctrl+Z, Ctrl+Y, the context menu) go on past the box's own edits to the
// documents the commands replaced. Its context menu also prints.
class DocumentEdit : public QTextEdit {
  public:
    // Steps through the replaced documents: back for an undo. Whether there is one to step to.
    struct Replacements {
        std::function<bool(bool back)> canStep;
        std::function<void(bool back)> step;
    };

    // The box's own first document is one given to it, as every later one is.
    explicit DocumentEdit(QWidget* parent);

    void SetReplacements(Replacements replacements) { replacements_ = std::move(replacements); }
    // Entries of the window's own, below the box's in its context menu.
    void SetMenuActions(QList<QAction*> actions) { menuActions_ = std::move(actions); }

    // The context menu for a point of the box: the text box's own entries, undo and redo going
    // on to the replaced documents, then the window's.
    std::unique_ptr<QMenu> ContextMenu(const QPoint& position);

  protected:
    QMimeData* createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // Whether an undo (back) or redo goes to a replaced document: the box has no edit of its own
    // left in that direction.
    bool StepsToReplacement(bool back) const;

    Replacements replacements_;
    QList<QAction*> menuActions_;
};

}  // namespace sorvani::shell
