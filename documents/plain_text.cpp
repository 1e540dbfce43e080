#include "plain_text.h"

#include <QStringDecoder>

#include "code_pages.h"
#include "utf8.h"

namespace sorvani::documents {
namespace {

bool IsUtf16(QByteArrayView bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// UTF-16 bytes may hold a surrogate half without its partner, which is no character; it becomes
// U+FFFD like any other undecodable input, so that the document only ever holds whole characters.
QString WithoutLoneSurrogates(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

QString DecodeByContent(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    else if (IsUtf16(bytes))
        return WithoutLoneSurrogates(QStringDecoder(QStringConverter::Utf16)(bytes));
    if (const auto text =
            DecodeUtf8(std::string_view(bytes.data(), static_cast<size_t>(bytes.size()))))
        return QString::fromStdU16String(*text);
    return DecodeCodePage(kCodePage936, bytes);
}

}  // namespace

QString DecodePlainText(QByteArrayView bytes) {
    QString text = DecodeByContent(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool IsPlainText(QByteArrayView bytes) { return IsUtf16(bytes) || !bytes.contains('\0'); }

}  // namespace sorvani::documents
