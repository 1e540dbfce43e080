#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

namespace sorvani::documents {

// The text as it is. QString::fromUtf16 takes a leading U+FEFF or U+FFFE for a byte-order mark
// and drops it or swaps every unit after it, which would garble a document that starts with one.
inline QString QStringOf(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// The same units seen from the other side, without a copy.
inline std::u16string_view U16View(QStringView text) {
    return {text.utf16(), static_cast<size_t>(text.size())};
}
inline QStringView QtView(std::u16string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

}  // namespace sorvani::documents
