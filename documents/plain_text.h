#pragma once

#include <QByteArrayView>
#include <QString>

namespace sorvani::documents {

// The text of a plain-text file: UTF-8 (with or without a byte-order mark) when the bytes are
// valid UTF-8, UTF-16 when a UTF-16 byte-order mark says so, otherwise code page 936.
// Line breaks (CR LF, LF or CR) come back as "\n", one per paragraph break.
QString DecodePlainText(QByteArrayView bytes);

// False for bytes that are no text in any of those encodings: they hold a NUL byte and do not
// start with a UTF-16 byte-order mark (pictures, programs, archives).
bool IsPlainText(QByteArrayView bytes);

}  // namespace sorvani::documents
