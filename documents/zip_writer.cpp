#include "zip_writer.h"

#include <zlib.h>

#include <limits>
#include <new>

#include "document_error.h"

namespace sorvani::documents {
namespace {

constexpr qsizetype kPassSize = 1 << 16;
constexpr quint64 kLargest = std::numeric_limits<quint32>::max();
// Deflate, 2.0 of the format; sizes after the data.
constexpr quint16 kVersion = 20;
constexpr quint16 kSizesAfterData = 1 << 3;
constexpr quint16 kDeflate = 8;
// 1 January 1980, the first date the format has.
constexpr quint16 kDosDate = (1 << 5) | 1;

[[noreturn]] void ThrowTooLarge() {
    throw DocumentError(QStringLiteral("文档太大：Word 文档的每一部分都不能超过 4 GB"));
}

void Put16(QByteArray& out, quint16 value) {
    out += char(value & 0xFF);
    out += char(value >> 8);
}

void Put32(QByteArray& out, quint64 value) {
    if (value > kLargest) ThrowTooLarge();
    for (int shift = 0; shift < 32; shift += 8) out += char((value >> shift) & 0xFF);
}

// What the local header and the directory share: versions, flags, method, date and time.
void PutCommon(QByteArray& out) {
    Put16(out, kVersion);
    Put16(out, kSizesAfterData);
    Put16(out, kDeflate);
    Put16(out, 0);
    Put16(out, kDosDate);
}

}  // namespace

ZipWriter::ZipWriter(Sink sink) : sink_(std::move(sink)), stream_(new z_stream{}) {}

ZipWriter::~ZipWriter() {
    if (entryOpen_) deflateEnd(stream_);
    delete stream_;
}

void ZipWriter::StartEntry(const QByteArray& name) {
    EndEntry();
    Entry entry;
    entry.name = name;
    entry.crc = crc32(0, nullptr, 0);
    entry.offset = written_;
    QByteArray header;
    Put32(header, 0x04034b50);
    PutCommon(header);
    Put32(header, 0);  // the checksum and sizes follow the data
    Put32(header, 0);
    Put32(header, 0);
    Put16(header, static_cast<quint16>(name.size()));
    Put16(header, 0);
    header += name;
    entries_.push_back(std::move(entry));
    Emit(header);
    // Raw deflate, with no header of zlib's own, as the format wants it. The fastest level: the
    // markup of a Word document repeats itself so much that it still takes a sixtieth of its
    // size, in a third of the time the default level takes.
    if (deflateInit2(stream_, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    entryOpen_ = true;
}

void ZipWriter::Write(QByteArrayView bytes) {
    Entry& entry = entries_.back();
    // zlib takes at most 4 GB at a time.
    while (!bytes.isEmpty()) {
        const QByteArrayView piece = bytes.first(std::min<qsizetype>(bytes.size(), 1 << 30));
        entry.crc = crc32(entry.crc, reinterpret_cast<const Bytef*>(piece.data()),
                          static_cast<uInt>(piece.size()));
        entry.size += static_cast<quint64>(piece.size());
        Deflate(piece, Z_NO_FLUSH);
        bytes = bytes.sliced(piece.size());
    }
    // Refused as soon as it is too large, not gigabytes later.
    if (entry.size > kLargest) ThrowTooLarge();
}

void ZipWriter::Deflate(QByteArrayView bytes, int flush) {
    stream_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream_->avail_in = static_cast<uInt>(bytes.size());
    char buffer[1 << 14];
    int result = Z_OK;
    do {
        stream_->next_out = reinterpret_cast<Bytef*>(buffer);
        stream_->avail_out = sizeof buffer;
        result = deflate(stream_, flush);
        const qsizetype made = static_cast<qsizetype>(sizeof buffer - stream_->avail_out);
        entries_.back().compressed += static_cast<quint64>(made);
        Emit(QByteArrayView(buffer, made));
    } while (stream_->avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
}

void ZipWriter::EndEntry() {
    if (!entryOpen_) return;
    Deflate({}, Z_FINISH);
    deflateEnd(stream_);
    entryOpen_ = false;
    const Entry& entry = entries_.back();
    QByteArray descriptor;
    Put32(descriptor, 0x08074b50);
    Put32(descriptor, entry.crc);
    Put32(descriptor, entry.compressed);
    Put32(descriptor, entry.size);
    Emit(descriptor);
}

void ZipWriter::Finish() {
    EndEntry();
    const quint64 directoryStart = written_;
    for (const Entry& entry : entries_) {
        QByteArray record;
        Put32(record, 0x02014b50);
        Put16(record, kVersion);  // made by: MS-DOS attributes, version 2.0
        PutCommon(record);
        Put32(record, entry.crc);
        Put32(record, entry.compressed);
        Put32(record, entry.size);
        Put16(record, static_cast<quint16>(entry.name.size()));
        Put16(record, 0);  // extra field
        Put16(record, 0);  // comment
        Put16(record, 0);  // disk
        Put16(record, 0);  // internal attributes
        Put32(record, 0);  // external attributes
        Put32(record, entry.offset);
        record += entry.name;
        Emit(record);
    }
    QByteArray end;
    Put32(end, 0x06054b50);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, static_cast<quint16>(entries_.size()));
    Put16(end, static_cast<quint16>(entries_.size()));
    Put32(end, written_ - directoryStart);
    Put32(end, directoryStart);
    Put16(end, 0);
    Emit(end);
    sink_(out_);
    out_.clear();
}

void ZipWriter::Emit(QByteArrayView bytes) {
    out_ += bytes;
    written_ += static_cast<quint64>(bytes.size());
    if (out_.size() >= kPassSize) PassOn();
}

void ZipWriter::PassOn() {
    sink_(out_);
    out_.clear();
}

}  // namespace sorvani::documents
