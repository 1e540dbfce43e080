#include "markup_text.h"

#include "line_break.h"

namespace sorvani::documents {

void AppendEscaped(QByteArray& out, QStringView text) {
    qsizetype plain = 0;
    auto flushPlain = [&](qsizetype end) {
        if (end > plain) out += text.sliced(plain, end - plain).toUtf8();
        plain = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char* entity = nullptr;
        switch (c) {
            case u'&':
                entity = "&amp;";
                break;
            case u'<':
                entity = "&lt;";
                break;
            case u'>':
                entity = "&gt;";
                break;
            case u'"':
                entity = "&quot;";
                break;
            case u'\'':
                entity = "&#39;";
                break;
            default:
                // Control characters (C1 ones too) and noncharacters have no place in a page;
                // each shows as the replacement sign, in its place.
                if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c < 0xA0) || text::IsNoncharacter(c))
                    entity = "\xEF\xBF\xBD";
                break;
        }
        if (!entity) continue;
        flushPlain(i);
        out += entity;
    }
    flushPlain(text.size());
}

}  // namespace sorvani::documents
