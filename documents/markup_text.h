#pragma once

#include <QByteArray>
#include <QStringView>

namespace sorvani::documents {

// Appends the text as UTF-8 for the content or an attribute of a web page or an XML document:
// & < > " ' escaped, and each control character (C1 ones too) or noncharacter, which neither may
// hold, shown as the replacement sign in its place.
void AppendEscaped(QByteArray& out, QStringView text);

}  // namespace sorvani::documents
