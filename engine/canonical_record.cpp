#include "canonical_record.h"

#include <cstdint>
#include <optional>

#include "cp936.h"

namespace sorvani {
namespace {

// The digits of a code: a double-byte code takes five, so six leave no doubt that the number
// fits; a longer one goes the general way.
constexpr ptrdiff_t kMostDigits = 6;

// The digit's value, or 10 or more for any other byte.
unsigned DigitValue(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0'; }

// cp936::CharacterOf, with the commonest codes of a record, the letters of the syllables, at hand:
// ASCII is its own character.
std::optional<char16_t> CharacterOfCode(int32_t code) {
    if (static_cast<uint32_t>(code) < 0x80) return static_cast<char16_t>(code);
    return cp936::CharacterOf(code);
}

// Reads a quoted field that starts at `at`, unscrambling it as DecodeDictionaryField does onto
// `plain`; where its closing quote ends, or null when it is not of the canonical form. The line's
// CR stops every scan before the end of the bytes, so none needs a test of the end.
const char* ReadField(const char* at, std::string_view key, std::u16string& plain) {
    plain.clear();
    if (*at++ != '"') return nullptr;
    for (size_t position = 0;; position = position + 1 == key.size() ? 0 : position + 1) {
        const bool negative = *at == '-';
        at += negative;
        const char* const digits = at;
        uint32_t magnitude = 0;
        for (unsigned digit; (digit = DigitValue(*at)) < 10; ++at)
            magnitude = magnitude * 10 + digit;
        if (at == digits || at - digits > kMostDigits) return nullptr;
        const int32_t code =
            (negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude)) ^
            static_cast<int32_t>(static_cast<unsigned char>(key[position]));
        if (const auto character = CharacterOfCode(code)) plain.push_back(*character);
        if (*at == '"') return at + 1;
        if (*at++ != ' ') return nullptr;
    }
}

}  // namespace

size_t ReadCanonicalRecord(std::string_view bytes, std::string_view key, DictionaryRecord& record) {
    const size_t lineFeed = bytes.find('\n');
    if (key.empty() || lineFeed == std::string_view::npos || lineFeed == 0 ||
        bytes[lineFeed - 1] != '\r')
        return 0;
    const char* at = bytes.data();
    for (size_t field = 0; field < record.size(); ++field) {
        if (field > 0 && *at++ != ',') return 0;
        at = ReadField(at, key, record[field]);
        if (!at) return 0;
    }
    return at == bytes.data() + lineFeed - 1 ? lineFeed + 1 : 0;
}

}  // namespace sorvani
