#include "plain_text.h"

#include "qt_text.h"
#include "text_decoder.h"

namespace sorvani::documents {

QString DecodePlainText(QByteArrayView bytes) {
    return QStringOf(
        text::DecodeText(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())), u"\n"));
}

}  // namespace sorvani::documents
