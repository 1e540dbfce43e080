#include "document_history.h"

namespace sorvani::shell {

void DocumentHistory::Replaced(Entry previous) {
    redo_.clear();
    PutAsideForUndo(std::move(previous));
}

DocumentHistory::Entry DocumentHistory::Undo() { return Take(undo_); }
DocumentHistory::Entry DocumentHistory::Redo() { return Take(redo_); }

void DocumentHistory::PutAsideForRedo(Entry current) { redo_.push_back(std::move(current)); }

void DocumentHistory::PutAsideForUndo(Entry current) {
    undo_.push_back(std::move(current));
    if (undo_.size() > kKept) undo_.erase(undo_.begin());
}

DocumentHistory::Entry DocumentHistory::Take(std::vector<Entry>& from) {
    if (from.empty()) return {};
    Entry entry = std::move(from.back());
    from.pop_back();
    return entry;
}

}  // namespace sorvani::shell
