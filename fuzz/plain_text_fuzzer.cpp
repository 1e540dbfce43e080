// Any bytes as a plain-text file: decoding gives well-formed text with "\n" as its only line
// break, or refuses bytes that are no text; and the window, which decodes the file whole, sees the
// same text as sorvani-annotate, which decodes it piece by piece as it reads (pieces of sizes
// chosen from the input). Now and then a text without a UTF-16 mark is also decoded repeated past
// the sample that decides between UTF-8 and code page 936, so that the choice is made while pieces
// still come.
#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plain_text.h"
#include "text_decoder.h"

namespace {

using sorvani::text::NotTextError;
using sorvani::text::TextDecoder;

// The text of the window's import, or nothing for bytes that are no text.
std::optional<std::u16string> WholeText(std::string_view bytes) {
    try {
        const QString text = sorvani::documents::DecodePlainText(
            QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!text.isValidUtf16() || text.contains(QLatin1Char('\r')) || text.contains(QChar(u'\0')))
            __builtin_trap();
        return text.toStdU16String();
    } catch (const NotTextError&) {
        return std::nullopt;
    }
}

// The text as the tool reads it: pieces of 1 to 64 bytes and, now and then, a large one.
std::optional<std::u16string> PieceByPieceText(std::string_view bytes, uint32_t seed) {
    TextDecoder decoder(u"\n");
    std::u16string text;
    try {
        while (!bytes.empty()) {
            seed = seed * 1103515245 + 12345;
            const size_t size = (seed >> 16) % 16 == 0 ? 4096 : 1 + (seed >> 16) % 64;
            decoder.Decode(bytes.substr(0, size), text);
            bytes.remove_prefix(std::min(size, bytes.size()));
        }
        decoder.Finish(text);
    } catch (const NotTextError&) {
        return std::nullopt;
    }
    return text;
}

uint32_t Hash(std::string_view bytes) {
    uint32_t hash = 2166136261u;
    for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    return hash;
}

void CheckAgreement(std::string_view bytes, uint32_t seed) {
    if (WholeText(bytes) != PieceByPieceText(bytes, seed)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const uint32_t seed = Hash(bytes);
    CheckAgreement(bytes, seed);
    const bool undecided = std::ranges::any_of(bytes, [](char byte) { return byte & 0x80; }) &&
                           !bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF");
    if (undecided && seed % 32 == 0) {
        std::string repeated;
        while (repeated.size() <= sorvani::text::kEncodingSample + 2 * size) repeated.append(bytes);
        CheckAgreement(repeated, seed);
    }
    return 0;
}
