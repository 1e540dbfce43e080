#include "dictionary_field.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>

#include "cp936.h"

namespace sorvani {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number, optionally signed and with a fractional part, taken at its floor; nothing
// when the token is no such number or its floor does not fit 32 bits. Works digit by digit so
// that a number of any length is read in one pass without overflow.
std::optional<int32_t> ReadFlooredNumber(std::string_view token) {
    const bool negative = !token.empty() && token.front() == '-';
    size_t i = negative ? 1 : 0;
    int64_t magnitude = 0;
    bool digits = false;
    bool tooLarge = false;
    for (; i < token.size() && IsDigit(token[i]); ++i) {
        digits = true;
        if (!tooLarge) magnitude = magnitude * 10 + (token[i] - '0');
        tooLarge = tooLarge || magnitude > (int64_t{1} << 32);
    }
    bool fraction = false;
    if (i < token.size() && token[i] == '.') {
        for (++i; i < token.size() && IsDigit(token[i]); ++i) {
            digits = true;
            fraction = fraction || token[i] != '0';
        }
    }
    if (!digits || i != token.size() || tooLarge) return std::nullopt;
    const int64_t value = negative ? -magnitude - (fraction ? 1 : 0) : magnitude;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

void DecodeDictionaryField(std::string_view stored, std::string_view key, std::u16string& plain) {
    if (stored.empty() || key.empty()) return;
    for (size_t start = 0, position = 0;;) {
        // Nearly every token is a short integer, read in the pass that finds its end; anything
        // else takes the full reading.
        const bool negative = start < stored.size() && stored[start] == '-';
        size_t end = start + (negative ? 1 : 0);
        int32_t magnitude = 0;
        while (end < stored.size() && end - start < 8 && IsDigit(stored[end]))
            magnitude = magnitude * 10 + (stored[end++] - '0');
        std::optional<int32_t> value;
        if (end > start && IsDigit(stored[end - 1]) &&
            (end == stored.size() || stored[end] == ' ')) {
            value = negative ? -magnitude : magnitude;
        } else {
            while (end < stored.size() && stored[end] != ' ') ++end;
            value = ReadFlooredNumber(stored.substr(start, end - start));
        }
        if (value) {
            const int32_t c =
                *value ^ static_cast<int32_t>(static_cast<unsigned char>(key[position]));
            if (const auto ch = cp936::CharacterOf(c)) plain.push_back(*ch);
        }
        if (end == stored.size()) break;
        start = end + 1;
        if (++position == key.size()) position = 0;
    }
}

std::string EncodeDictionaryField(std::u16string_view plain, std::string_view key) {
    if (key.empty()) throw std::invalid_argument("empty dictionary key");
    std::string stored;
    for (size_t j = 0; j < plain.size(); ++j) {
        const int16_t code = cp936::CodeOf(plain[j]);
        if (code == cp936::kUnencodable && plain[j] != u'?') {
            char message[64];
            std::snprintf(message, sizeof message, "U+%04X has no code in code page 936",
                          static_cast<unsigned>(plain[j]));
            throw std::invalid_argument(message);
        }
        if (j) stored.push_back(' ');
        stored += std::to_string(
            code ^ static_cast<int32_t>(static_cast<unsigned char>(key[j % key.size()])));
    }
    return stored;
}

}  // namespace sorvani
