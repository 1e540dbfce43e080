#include <windows.h>

#include <optional>

#include "code_page_converter.h"

namespace sorvani::documents {
namespace {

constexpr UINT kWestern = 1252;

// Qt for Windows is built without ICU and knows no code page but the system's: Windows converts
// them itself.
class WindowsConverter final : public CodePageConverter {
  public:
    explicit WindowsConverter(UINT codePage)
        : codePage_(codePage), flags_(StrictFlagsOf(codePage)) {}

    QString Decode(QByteArrayView bytes) override {
        if (bytes.isEmpty()) return {};
        if (auto text = Strictly(bytes)) return *text;
        // Some bytes are not characters of the code page: each character is converted by
        // itself, so that those alone become U+FFFD and the rest is read as it stands. A lead
        // byte without its trail stands alone, and the byte after it starts the next character.
        QString text;
        for (qsizetype at = 0; at < bytes.size();) {
            if (at + 1 < bytes.size() && IsDBCSLeadByteEx(codePage_, static_cast<BYTE>(bytes[at])))
                if (auto character = Strictly(bytes.sliced(at, 2))) {
                    text += *character;
                    at += 2;
                    continue;
                }
            text += Strictly(bytes.sliced(at, 1)).value_or(QString(QChar::ReplacementCharacter));
            ++at;
        }
        return text;
    }

  private:
    // The few code pages that cannot tell invalid bytes take no flags at all.
    static DWORD StrictFlagsOf(UINT codePage) {
        wchar_t unit = 0;
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, "a", 1, &unit, 1) == 0 &&
            GetLastError() == ERROR_INVALID_FLAGS)
            return 0;
        return MB_ERR_INVALID_CHARS;
    }

    // The text of the bytes, or none when any of them is not a character of the code page.
    std::optional<QString> Strictly(QByteArrayView bytes) const {
        const int size = static_cast<int>(bytes.size());
        const int units = MultiByteToWideChar(codePage_, flags_, bytes.data(), size, nullptr, 0);
        if (units <= 0) return std::nullopt;
        QString text(units, Qt::Uninitialized);
        MultiByteToWideChar(codePage_, flags_, bytes.data(), size,
                            reinterpret_cast<wchar_t*>(text.data()), units);
        return text;
    }

    UINT codePage_;
    DWORD flags_;
};

}  // namespace

std::unique_ptr<CodePageConverter> PlatformConverterOf(int codePage) {
    const UINT known = codePage > 0 && IsValidCodePage(static_cast<UINT>(codePage))
                           ? static_cast<UINT>(codePage)
                           : kWestern;
    return std::make_unique<WindowsConverter>(known);
}

}  // namespace sorvani::documents
