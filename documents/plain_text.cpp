#include "plain_text.h"

#include <QStringDecoder>

#include "code_pages.h"
#include "utf8.h"

namespace sorvani::documents {
namespace {

bool IsUtf16(QByteArrayView bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QString DecodeByContent(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    else if (IsUtf16(bytes))
        return QStringDecoder(QStringConverter::Utf16)(bytes);
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
