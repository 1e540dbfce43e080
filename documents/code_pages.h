#pragma once

#include <QByteArrayView>
#include <QString>

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

}  // namespace sorvani::documents
