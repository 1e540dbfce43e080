#pragma once

#include <QString>
#include <memory>

namespace sorvani::documents {

// A new, untitled document of the word processor, waiting for its text. The word processor
// and the document stay open after this object is gone; nothing is ever saved or closed.
class WordProcessorDocument {
  public:
    virtual ~WordProcessorDocument() = default;

    // Puts plain text into the document. False when the word processor refuses it.
    virtual bool Fill(const QString& text) = 0;
};

// Starts the word processor with a new visible document: Microsoft Word on Windows,
// LibreOffice Writer elsewhere. Nothing when none is installed, when the one installed cannot
// show a document window (an office without a user interface, or no display to show it on), or
// when it cannot be started.
// The hand-off runs through the clipboard, which belongs to the window: it starts the word
// processor here, clears the clipboard, puts the box's text (CrLfText) on it, and passes the
// clipboard's text to Fill. LibreOffice shows its window only once it has the text.
std::unique_ptr<WordProcessorDocument> NewWordProcessorDocument();

}  // namespace sorvani::documents
