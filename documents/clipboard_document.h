#pragma once

#include <QMimeData>
#include <QTextDocumentFragment>

namespace sorvani::documents {

// What the document box puts on the clipboard: the selection as plain text, as RTF, as a web page
// and as an OpenDocument text. Text without a font of its own names the monospaced font exported
// documents name, with its alternative, so that a paste into an office program keeps each
// syllable over its character. The rich forms are made only when a program asks for them.
class ClipboardDocument : public QMimeData {
  public:
    explicit ClipboardDocument(const QTextDocumentFragment& selection);

    QStringList formats() const override;

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

  private:
    void MakeRichForms() const;

    QTextDocumentFragment selection_;
    mutable bool made_ = false;
};

}  // namespace sorvani::documents
