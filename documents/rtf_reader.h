#pragma once

#include <QByteArrayView>
#include <QTextDocument>

namespace sorvani::documents {

// Replaces the document's content with the text and character formatting (font, size, colour,
// bold, italic, underline, strike-through) of RTF source. Reading is best effort and never
// fails: what cannot be understood is skipped, and a truncated source gives what it holds.
// Returns false for a source that ends before the document's closing brace: a file cut short.
bool ReadRtf(QByteArrayView source, QTextDocument& document);

}  // namespace sorvani::documents
