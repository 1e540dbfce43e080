#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

namespace sorvani::documents {

// The platform's converter of one Windows code page into text.
class CodePageConverter {
  public:
    virtual ~CodePageConverter() = default;
    // The text of bytes that stand alone: a sequence they leave unfinished is not carried into
    // the next call, and bytes the code page does not define become U+FFFD.
    virtual QString Decode(QByteArrayView bytes) = 0;
};

// The converter of the code page, or of Windows-1252 when the platform lacks it.
std::unique_ptr<CodePageConverter> PlatformConverterOf(int codePage);

}  // namespace sorvani::documents
