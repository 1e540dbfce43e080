#pragma once

#include <QByteArray>
#include <QMap>

namespace sorvani::testing_zip {

// The entries of a zip archive by name, read through its directory as office programs read it,
// each inflated and checked against its size and checksum. Empty when the archive is damaged in
// any of these.
QMap<QByteArray, QByteArray> ReadZip(const QByteArray& archive);

}  // namespace sorvani::testing_zip
