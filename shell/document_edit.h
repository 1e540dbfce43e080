#pragma once

#include <QTextEdit>

#include "clipboard_document.h"

// The document box: a text box whose copies name the monospaced font of the annotation, so that
// a paste into an office program stays aligned (see sorvani::documents::ClipboardDocument).
class DocumentEdit : public QTextEdit {
  public:
    using QTextEdit::QTextEdit;

  protected:
    QMimeData* createMimeDataFromSelection() const override {
        return new sorvani::documents::ClipboardDocument(textCursor().selection());
    }
};
