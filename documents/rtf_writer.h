#pragma once

#include <QByteArray>
#include <QTextDocument>

namespace sorvani::documents {

// The document as RTF: its text with the font, size, colour, bold, italic, underline and
// strike-through of every run. Text outside ASCII is written as \uN with its code page 936
// bytes as the fallback, so that readers with and without Unicode get it back; the font table
// names the fonts the document uses, the document's default font first.
QByteArray WriteRtf(const QTextDocument& document);

}  // namespace sorvani::documents
