#include "zip_reader.h"

#include <zlib.h>

namespace sorvani::testing_zip {
namespace {

quint32 Read16(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint8>(bytes[at]) | static_cast<quint8>(bytes[at + 1]) << 8;
}

quint32 Read32(const QByteArray& bytes, qsizetype at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

bool Inflate(QByteArrayView compressed, QByteArray& out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    return result == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
}

}  // namespace

QMap<QByteArray, QByteArray> ReadZip(const QByteArray& archive) {
    QMap<QByteArray, QByteArray> entries;
    const qsizetype end = archive.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > archive.size()) return {};
    const quint32 count = Read16(archive, end + 10);
    qsizetype at = Read32(archive, end + 16);
    for (quint32 i = 0; i < count; ++i) {
        if (at + 46 > archive.size() || Read32(archive, at) != 0x02014b50) return {};
        const quint32 method = Read16(archive, at + 10), crc = Read32(archive, at + 16),
                      compressed = Read32(archive, at + 20), size = Read32(archive, at + 24),
                      nameLength = Read16(archive, at + 28), local = Read32(archive, at + 42);
        const QByteArray name = archive.mid(at + 46, nameLength);
        at += 46 + nameLength + Read16(archive, at + 30) + Read16(archive, at + 32);
        // The local header names the entry too; its data follow it.
        if (local + 30 > archive.size() || Read32(archive, local) != 0x04034b50 ||
            archive.mid(local + 30, Read16(archive, local + 26)) != name || method != 8)
            return {};
        const qsizetype data =
            local + 30 + Read16(archive, local + 26) + Read16(archive, local + 28);
        QByteArray content(size, '\0');
        if (data + compressed > archive.size() ||
            !Inflate(QByteArrayView(archive).sliced(data, compressed), content) ||
            crc32(0, reinterpret_cast<const Bytef*>(content.data()), size) != crc)
            return {};
        entries.insert(name, content);
    }
    return entries;
}

}  // namespace sorvani::testing_zip
