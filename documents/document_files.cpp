#include "document_files.h"

#include <QFile>
#include <QSaveFile>

#include "plain_text.h"
#include "rtf_reader.h"
#include "rtf_writer.h"
#include "text_decoder.h"

namespace sorvani::documents {
namespace {

QString Failure(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1“%2”：%3").arg(what, path, reason);
}

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(Failure(QStringLiteral("无法打开文件"), path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DocumentError(Failure(QStringLiteral("无法读取文件"), path, file.errorString()));
    return bytes;
}

}  // namespace

void ImportFile(const QString& path, QTextDocument& document) {
    const QByteArray bytes = ReadWholeFile(path);
    const bool rtf = text::IsRtf(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    if (rtf) {
        const RtfContent content = ReadRtfContent(bytes);
        // A file cut short would lose the rest of its text without a word; sorvani-annotate
        // refuses it on the same judgement.
        if (!content.complete)
            throw DocumentError(Failure(QStringLiteral("无法导入文件"), path,
                                        QStringLiteral("RTF文件不完整，在文档结束之前就断了")));
        FillDocument(content, document);
        return;
    }
    QString plainText;
    try {
        plainText = DecodePlainText(bytes);
    } catch (const text::NotTextError&) {
        throw DocumentError(Failure(QStringLiteral("无法导入文件"), path,
                                    QStringLiteral("它既不是文本文件，也不是RTF文件")));
    }
    // An import cannot be undone; an undo record of it would only double the memory it takes.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.setPlainText(plainText);
    document.setUndoRedoEnabled(undo);
}

void ExportFile(const RtfSource& source, const QString& path) {
    QSaveFile file(path);
    const QByteArray rtf = WriteRtf(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size() || !file.commit())
        throw DocumentError(Failure(QStringLiteral("无法写入文件"), path, file.errorString()));
}

void ExportFile(const QTextDocument& document, const QString& path) {
    ExportFile(RtfSourceOf(document), path);
}

QString BoxText(const QTextDocument& document) { return BoxText(document.toRawText()); }

QString BoxText(QStringView rawText) {
    // As QTextDocument::toPlainText gives the text: paragraph and line separators and the text
    // document's frame marks end lines, a no-break space is a space.
    QString text;
    text.reserve(rawText.size() + rawText.size() / 8);
    for (const QChar c : rawText) {
        switch (c.unicode()) {
            case QChar::ParagraphSeparator:
            case QChar::LineSeparator:
            case 0xFDD0:
            case 0xFDD1:
            case u'\n':
                text += u"\r\n";
                break;
            case QChar::Nbsp:
                text += QLatin1Char(' ');
                break;
            default:
                text += c;
        }
    }
    return text;
}

}  // namespace sorvani::documents
