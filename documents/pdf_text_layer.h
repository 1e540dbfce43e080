#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

namespace sorvani::documents {

// Qt's PDF engine writes the map from a font's glyphs back to their characters (the text layer
// that search and copy use) in blocks of 100 ranges, and from the second block on it writes
// stale bytes before the block, so that readers stop there: a document of many distinct
// characters loses most of them to search and copy. The map is always written uncompressed.

// The map with its ranges recovered and written in whole blocks, padded to its old length, so
// that every offset of the file stays right; the map as it was when the repair would not fit.
QByteArray RepairedToUnicodeMap(QByteArrayView map);

// A device between the PDF engine and the real one that passes every byte on, but each
// character map as RepairedToUnicodeMap gives it.
class TextLayerRepair final : public QIODevice {
  public:
    explicit TextLayerRepair(QIODevice& out);

    bool isSequential() const override { return true; }
    // Passes on what is still held back; false when the real device would not take it.
    bool Finish();

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    bool Pass(QByteArrayView bytes);

    QIODevice& out_;
    QByteArray held_;     // a map not yet ended, or what may be the start of its first line
    bool inMap_ = false;  // held_ starts with a map
    bool failed_ = false;
};

}  // namespace sorvani::documents
