#pragma once

#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <stop_token>

namespace sorvani::documents {

// Throws sorvani::LongWorkCancelled once a stop is requested.
void ThrowIfStopped(const std::stop_token& stop);

// Inserts text at the cursor a piece at a time, asking the token between pieces, so that filling
// a long document can be stopped soon. A CR LF pair is never split: it stays one line break.
void InsertText(QTextCursor& cursor, QStringView text, const QTextCharFormat& format,
                const std::stop_token& stop);

// Empties the document for new content, which goes in at the cursor as one edit: the cursor
// then does not measure the growing paragraph after each insertion, and no undo record is left.
class DocumentFilling {
  public:
    explicit DocumentFilling(QTextDocument& document);
    ~DocumentFilling();
    DocumentFilling(const DocumentFilling&) = delete;
    DocumentFilling& operator=(const DocumentFilling&) = delete;

    QTextCursor& Cursor() { return cursor_; }

  private:
    QTextDocument& document_;
    QTextCursor cursor_;
    bool undo_;
};

// Replaces the document's content with plain text (line breaks LF, CR LF or CR).
void FillPlainText(QStringView text, QTextDocument& document, const std::stop_token& stop = {});

}  // namespace sorvani::documents
