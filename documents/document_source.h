#pragma once

#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>
#include <functional>
#include <vector>

namespace sorvani::documents {

// What the writers need of a document: its default font and its runs of text with their formats,
// a paragraph end after each paragraph. Taken on the document's own thread, it can be written on
// another, while the document's window goes on answering.
struct DocumentSource {
    struct Run {
        QString text;
        QTextCharFormat format;
        bool endsParagraph = false;  // the paragraph's end after the text
    };
    QFont defaultFont;
    std::vector<Run> runs;
};

// Calls afterParagraph, when given, after each paragraph taken: the document's window can turn
// its event loop while a long document is taken, as long as the document does not change.
DocumentSource DocumentSourceOf(const QTextDocument& document,
                                const std::function<void()>& afterParagraph = {});

}  // namespace sorvani::documents
