#pragma once

#include <QByteArrayView>
#include <QString>

namespace sorvani::documents {

// The text of a plain-text file as sorvani-annotate reads it too (see text::TextDecoder), with
// "\n" for each line break. Throws text::NotTextError for bytes that are no text.
QString DecodePlainText(QByteArrayView bytes);

}  // namespace sorvani::documents
