// Any bytes as a plain-text file: decoding gives well-formed text with "\n" as its only line
// break, or refuses bytes that are no text.
#include <QString>

#include "plain_text.h"
#include "text_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QString text =
            sorvani::documents::DecodePlainText(QByteArrayView(data, static_cast<qsizetype>(size)));
        if (!text.isValidUtf16() || text.contains(QLatin1Char('\r')) || text.contains(QChar(u'\0')))
            __builtin_trap();
    } catch (const sorvani::text::NotTextError&) {
    }
    return 0;
}
