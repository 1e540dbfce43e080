#pragma once

#include <QByteArrayView>
#include <QString>
#include <map>
#include <memory>

#include "code_page_converter.h"

// The Windows code pages that RTF files name through \ansicpg, \cpg and \fcharset.
namespace sorvani::documents {

inline constexpr int kCodePage936 = 936;
inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageWestern = 1252;

// The code page of an RTF font character set (\fcharsetN), or 0 when the character set names
// none and the document's code page applies.
int CodePageOfCharset(int charset);

// The text of bytes in the code page. Code page 936 and UTF-8 are always known; others come
// from the platform's converters, and a code page it lacks is read as Windows-1252.
QString DecodeCodePage(int codePage, QByteArrayView bytes);

// The same, for many short pieces: each code page's converter is looked up once, not per piece.
// Each piece is decoded by itself, as DecodeCodePage does.
class CodePageDecoders {
  public:
    QString Decode(int codePage, QByteArrayView bytes);

  private:
    std::map<int, std::unique_ptr<CodePageConverter>> converters_;
};

}  // namespace sorvani::documents
