#include "clipboard_document.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include "font_names.h"
#include "rtf_writer.h"

namespace sorvani::documents {
namespace {

const QString kPlainText = QStringLiteral("text/plain");
const QString kHtml = QStringLiteral("text/html");
const QString kOpenDocument = QStringLiteral("application/vnd.oasis.opendocument.text");
// Word processors read RTF under either name.
const QString kRtf = QStringLiteral("text/rtf");
const QString kApplicationRtf = QStringLiteral("application/rtf");

// Names the monospaced font on every run without a font of its own. Qt's OpenDocument writer
// reads the single family, its web page the list: both are set.
void NameTheMonospacedFont(QTextDocument& document) {
    QTextCharFormat named;
    named.setFontFamilies({kMonospacedFont, kMonospacedFontOnWindows});
    named.setProperty(QTextFormat::FontFamily, kMonospacedFont);
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QTextFragment fragment = run.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.hasProperty(QTextFormat::FontFamilies) ||
                format.hasProperty(QTextFormat::FontFamily))
                continue;
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(named);
        }
    }
}

}  // namespace

ClipboardDocument::ClipboardDocument(const QTextDocumentFragment& selection)
    : selection_(selection) {
    setText(selection.toPlainText());
}

QStringList ClipboardDocument::formats() const {
    if (selection_.isEmpty()) return QMimeData::formats();
    return {kPlainText, kRtf, kApplicationRtf, kHtml, kOpenDocument};
}

QVariant ClipboardDocument::retrieveData(const QString& mimeType, QMetaType type) const {
    if (mimeType != kPlainText) MakeRichForms();
    return QMimeData::retrieveData(mimeType, type);
}

void ClipboardDocument::MakeRichForms() const {
    if (std::exchange(made_, true) || selection_.isEmpty()) return;
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(selection_);
    NameTheMonospacedFont(copy);
    auto& self = const_cast<ClipboardDocument&>(*this);
    // The RTF the export writes, which names the font for Chinese text as well: the other forms
    // can name it only for Western text.
    const QByteArray rtf = WriteRtf(copy);
    self.setData(kRtf, rtf);
    self.setData(kApplicationRtf, rtf);
    self.setHtml(copy.toHtml());
    QBuffer openDocument;
    openDocument.open(QIODevice::WriteOnly);
    QTextDocumentWriter(&openDocument, "ODF").write(&copy);
    self.setData(kOpenDocument, openDocument.data());
}

}  // namespace sorvani::documents
