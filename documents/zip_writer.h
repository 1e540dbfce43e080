#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

struct z_stream_s;

namespace sorvani::documents {

// Writes a zip archive as a stream, an entry at a time and each entry in pieces, compressed with
// deflate: the sizes and checksum of an entry follow its data (a data descriptor), so nothing is
// held back but the compressor's window and the list of entries. An entry, or the archive, past
// 4 GB is refused with a DocumentError rather than written with sizes cut short; the dates are
// fixed, so that the same content always gives the same bytes.
class ZipWriter {
  public:
    // Receives the archive's bytes as they are made; a throw reaches the caller.
    using Sink = std::function<void(QByteArrayView)>;

    explicit ZipWriter(Sink sink);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Starts an entry (an ASCII name), ending the one before.
    void StartEntry(const QByteArray& name);
    void Write(QByteArrayView bytes);
    // Ends the last entry and writes the archive's directory.
    void Finish();

  private:
    struct Entry {
        QByteArray name;
        quint32 crc = 0;
        quint64 compressed = 0;
        quint64 size = 0;
        quint64 offset = 0;
    };

    void EndEntry();
    void Deflate(QByteArrayView bytes, int flush);
    void Emit(QByteArrayView bytes);
    void PassOn();

    Sink sink_;
    z_stream_s* stream_ = nullptr;
    std::vector<Entry> entries_;
    bool entryOpen_ = false;
    QByteArray out_;
    quint64 written_ = 0;
};

}  // namespace sorvani::documents
