#include "code_pages.h"

#include <array>
#include <utility>

#include "cp936.h"
#include "qt_text.h"

namespace sorvani::documents {
namespace {

// Character sets of the font table, as Windows assigns them.
constexpr std::array<std::pair<int, int>, 19> kCharsetCodePages{{
    {0, 1252},    // ANSI
    {2, 1252},    // symbol fonts; their glyphs sit on the Western positions
    {77, 10000},  // Mac Roman
    {128, 932},   // Japanese
    {129, 949},   // Korean
    {130, 1361},  // Johab
    {134, 936},   // Simplified Chinese
    {136, 950},   // Traditional Chinese
    {161, 1253},  // Greek
    {162, 1254},  // Turkish
    {163, 1258},  // Vietnamese
    {177, 1255},  // Hebrew
    {178, 1256},  // Arabic
    {186, 1257},  // Baltic
    {204, 1251},  // Cyrillic
    {222, 874},   // Thai
    {238, 1250},  // Central European
    {254, 437},   // PC 437
    {255, 850},   // OEM
}};

}  // namespace

int CodePageOfCharset(int charset) {
    for (const auto& [set, codePage] : kCharsetCodePages)
        if (set == charset) return codePage;
    return 0;
}

QString DecodeCodePage(int codePage, QByteArrayView bytes) {
    return CodePageDecoders().Decode(codePage, bytes);
}

QString CodePageDecoders::Decode(int codePage, QByteArrayView bytes) {
    if (codePage == kCodePage936)
        return QStringOf(
            cp936::Decode(std::string_view(bytes.data(), static_cast<size_t>(bytes.size()))));
    if (codePage == kCodePageUtf8) return QString::fromUtf8(bytes);
    auto found = converters_.find(codePage);
    if (found == converters_.end())
        found = converters_.emplace(codePage, PlatformConverterOf(codePage)).first;
    return found->second->Decode(bytes);
}

}  // namespace sorvani::documents
