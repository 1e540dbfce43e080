#include "document_source.h"

#include <QTextBlock>
#include <QTextFragment>

namespace sorvani::documents {

DocumentSource DocumentSourceOf(const QTextDocument& document,
                                const std::function<void()>& afterParagraph) {
    DocumentSource source{document.defaultFont(), {}};
    // A paragraph is a run and its end at least; growing past that copies every run taken, at
    // once, where the window does not answer.
    source.runs.reserve(2 * static_cast<size_t>(document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            source.runs.push_back({fragment.fragment().text(), fragment.fragment().charFormat()});
        source.runs.push_back({QString(), QTextCharFormat(), true});
        if (afterParagraph) afterParagraph();
    }
    return source;
}

}  // namespace sorvani::documents
