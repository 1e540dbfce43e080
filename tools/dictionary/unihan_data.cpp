#include "unihan_data.h"

#include <charconv>

namespace sorvani {
namespace {

// A hexadecimal code point without prefix, or 0.
char32_t ParseHex(std::string_view digits) {
    unsigned value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() ||
        value > 0x10FFFF)
        return 0;
    return static_cast<char32_t>(value);
}

std::string_view WithoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return line;
}

}  // namespace

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

char32_t ParseCodePoint(std::string_view text) {
    if (text.substr(0, 2) != "U+") return 0;
    text.remove_prefix(2);
    return ParseHex(text.substr(0, text.find('<')));
}

std::vector<char32_t> ParseCodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (const auto entry : Split(text, ' '))
        if (const char32_t point = ParseCodePoint(entry)) points.push_back(point);
    return points;
}

void UnihanData::ReadUnihan(std::istream& in) {
    for (std::string text; std::getline(in, text);) {
        const std::string_view line = WithoutLineEnd(text);
        if (line.empty() || line.front() == '#') continue;
        const auto parts = Split(line, '\t');
        if (parts.size() != 3) continue;
        const char32_t character = ParseCodePoint(parts[0]);
        if (!character) continue;
        fields_[character].insert_or_assign(std::string(parts[1]), std::string(parts[2]));
    }
}

void UnihanData::ReadUnicodeData(std::istream& in) {
    // Fields: code;name;category;combining class;bidi class;decomposition;...
    for (std::string text; std::getline(in, text);) {
        const std::string_view line = WithoutLineEnd(text);
        const auto fields = Split(line, ';');
        if (fields.size() < 6) continue;
        // A canonical singleton is one code point without a <tag>.
        const std::string_view decomposition = fields[5];
        if (decomposition.empty() || decomposition.find(' ') != std::string_view::npos ||
            decomposition.front() == '<')
            continue;
        const char32_t character = ParseHex(fields[0]);
        const char32_t target = ParseHex(decomposition);
        if (character && target) singletons_[character] = target;
    }
}

std::string_view UnihanData::Field(char32_t character, std::string_view field) const {
    const auto entry = fields_.find(character);
    if (entry == fields_.end()) return {};
    const auto value = entry->second.find(field);
    return value == entry->second.end() ? std::string_view() : std::string_view(value->second);
}

char32_t UnihanData::CanonicalSingleton(char32_t character) const {
    const auto entry = singletons_.find(character);
    return entry == singletons_.end() ? 0 : entry->second;
}

}  // namespace sorvani
