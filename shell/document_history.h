#pragma once

#include <QString>
#include <QTextDocument>
#include <memory>
#include <vector>

namespace sorvani::shell {

// The documents that commands (import, annotate) replaced in the box, with the caption each had,
// so that the box's undo brings one back and its redo the one that replaced it. A few are kept:
// a long document takes much memory.
class DocumentHistory {
  public:
    struct Entry {
        std::unique_ptr<QTextDocument> document;
        QString caption;
    };

    // A command replaced the document: it can come back; what an undo had put aside cannot.
    void Replaced(Entry previous);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The document to show instead of the current one, which the step puts aside for the other
    // direction. Empty when there is none.
    Entry Undo();
    Entry Redo();
    void PutAsideForRedo(Entry current);
    void PutAsideForUndo(Entry current);

  private:
    static constexpr size_t kKept = 5;
    static Entry Take(std::vector<Entry>& from);
    std::vector<Entry> undo_;
    std::vector<Entry> redo_;
};

}  // namespace sorvani::shell
