#include <QStringDecoder>

#include "code_page_converter.h"

namespace sorvani::documents {
namespace {

// Qt's converters come from ICU or iconv here, which know the code pages by these names.
class QtConverter final : public CodePageConverter {
  public:
    explicit QtConverter(QStringDecoder decoder) : decoder_(std::move(decoder)) {}

    QString Decode(QByteArrayView bytes) override {
        // Qt's converter keeps a lead byte that ends the piece for a trail byte to come, and
        // its reset drops it: a line feed, which no code page takes for a trail byte, makes it
        // a replacement instead.
        QByteArray ended = bytes.toByteArray();
        ended += '\n';
        QString text = decoder_.decode(ended);
        decoder_.resetState();
        text.chop(1);
        return text;
    }

  private:
    QStringDecoder decoder_;
};

}  // namespace

std::unique_ptr<CodePageConverter> PlatformConverterOf(int codePage) {
    for (const char* pattern : {"windows-%1", "cp%1"}) {
        QStringDecoder decoder(QString::fromLatin1(pattern).arg(codePage).toLatin1().constData());
        if (decoder.isValid()) return std::make_unique<QtConverter>(std::move(decoder));
    }
    return std::make_unique<QtConverter>(QStringDecoder("windows-1252"));
}

}  // namespace sorvani::documents
