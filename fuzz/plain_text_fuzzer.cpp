// Any bytes as a plain-text file: decoding never fails and gives well-formed text with "\n" as
// its only line break.
#include <QString>

#include "plain_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        sorvani::documents::DecodePlainText(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!text.isValidUtf16() || text.contains(QLatin1Char('\r'))) __builtin_trap();
    return 0;
}
