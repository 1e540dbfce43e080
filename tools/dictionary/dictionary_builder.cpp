#include "dictionary_builder.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <unordered_map>

#include "cp936.h"
#include "utf8.h"

namespace sorvani {
namespace {

// Fields that hold Mandarin readings.
constexpr std::string_view kReadingFields[] = {"kMandarin", "kHanyuPinlu", "kTGHZ2013", "kXHC1983",
                                               "kHanyuPinyin"};

// The entries of a space-separated list.
std::vector<std::string_view> SplitSpaces(std::string_view text) {
    auto parts = Split(text, ' ');
    std::erase_if(parts, [](std::string_view part) { return part.empty(); });
    return parts;
}

// "zhōng(4875) zhòng(66)": the readings by falling count, equal counts in their own order.
std::vector<std::string_view> ReadingsByFrequency(std::string_view value) {
    struct Counted {
        std::string_view reading;
        long count;
    };
    std::vector<Counted> counted;
    for (const auto entry : SplitSpaces(value)) {
        const size_t open = entry.find('(');
        if (open == std::string_view::npos || entry.back() != ')') continue;
        const auto digits = entry.substr(open + 1, entry.size() - open - 2);
        long count = 0;
        if (std::from_chars(digits.data(), digits.data() + digits.size(), count).ec != std::errc())
            continue;
        counted.push_back({entry.substr(0, open), count});
    }
    std::stable_sort(counted.begin(), counted.end(),
                     [](const Counted& a, const Counted& b) { return a.count > b.count; });
    std::vector<std::string_view> readings;
    for (const auto& c : counted) readings.push_back(c.reading);
    return readings;
}

// "066.060,066.070:dāng 067.020:dàng" or "10405.050:gān,gàn": the readings after each colon.
std::vector<std::string_view> ReadingsAfterLocations(std::string_view value) {
    std::vector<std::string_view> readings;
    for (const auto entry : SplitSpaces(value)) {
        for (const auto reading : Split(entry.substr(entry.find(':') + 1), ','))
            if (!reading.empty()) readings.push_back(reading);
    }
    return readings;
}

std::vector<std::string_view> ReadingsOfField(std::string_view field, std::string_view value) {
    if (field == "kMandarin") return SplitSpaces(value);
    if (field == "kHanyuPinlu") return ReadingsByFrequency(value);
    return ReadingsAfterLocations(value);
}

bool HasReading(const UnihanData& data, char32_t character) {
    return std::any_of(
        std::begin(kReadingFields), std::end(kReadingFields),
        [&](std::string_view field) { return !data.Field(character, field).empty(); });
}

void AppendOnce(std::vector<std::u16string>& list, std::string_view utf8) {
    auto text = DecodeUtf8(utf8);
    if (!text || text->empty()) return;
    if (std::find(list.begin(), list.end(), *text) == list.end()) list.push_back(std::move(*text));
}

bool Contains(const std::vector<std::u16string>& list, const std::u16string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

bool IsEncodable(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char16_t ch) { return cp936::CodeOf(ch) != cp936::kUnencodable; });
}

bool IsDoubleByte(char32_t character) {
    return character < 0x10000 && cp936::CodeOf(static_cast<char16_t>(character)) < 0;
}

}  // namespace

bool IsIdeograph(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

char32_t ReadingSource(const UnihanData& data, char32_t character) {
    if (HasReading(data, character)) return character;
    std::vector<char32_t> stand_ins;
    if (const char32_t unified = data.CanonicalSingleton(character)) stand_ins.push_back(unified);
    for (const auto field : {"kZVariant", "kSemanticVariant"})
        for (const char32_t variant : ParseCodePoints(data.Field(character, field)))
            stand_ins.push_back(variant);
    for (const char32_t stand_in : stand_ins)
        if (HasReading(data, stand_in)) return stand_in;
    return 0;
}

std::vector<std::u16string> CandidateReadings(const UnihanData& data, char32_t character) {
    std::vector<std::u16string> readings;
    const char32_t source = ReadingSource(data, character);
    if (!source) return readings;
    for (const auto field : kReadingFields)
        for (const auto reading : ReadingsOfField(field, data.Field(source, field)))
            AppendOnce(readings, reading);
    return readings;
}

std::vector<std::u16string> StandardReadings(const UnihanData& data, char32_t character) {
    std::vector<std::u16string> readings;
    const char32_t source = ReadingSource(data, character);
    if (!source) return readings;
    std::vector<char32_t> holders{source};
    if (data.Field(source, "kTGHZ2013").empty())
        holders = ParseCodePoints(data.Field(source, "kSimplifiedVariant"));
    for (const char32_t holder : holders)
        for (const auto reading : ReadingsAfterLocations(data.Field(holder, "kTGHZ2013")))
            AppendOnce(readings, reading);
    return readings;
}

std::optional<std::u16string> PreferredReading(const UnihanData& data, char32_t character) {
    auto candidates = CandidateReadings(data, character);
    const auto standard = StandardReadings(data, character);
    // A traditional form whose own readings the standard of its simplified form lacks (績 has
    // only jī, 绩 is jì) takes the standard's reading.
    for (const auto& reading : standard)
        if (!Contains(candidates, reading)) candidates.push_back(reading);
    std::optional<std::u16string> firstEncodable;
    for (const auto& reading : candidates) {
        if (!IsEncodable(reading)) continue;
        if (standard.empty() || Contains(standard, reading)) return reading;
        if (!firstEncodable) firstEncodable = reading;
    }
    return firstEncodable;
}

ReadingChoices ParseReadingChoices(std::string_view text) {
    ReadingChoices choices;
    int number = 0;
    for (const auto line : Split(text, '\n')) {
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const auto fields = Split(line, '\t');
        const auto character = DecodeUtf8(fields[0]);
        const auto reading = fields.size() >= 3 ? DecodeUtf8(fields[1]) : std::nullopt;
        if (!character || character->size() != 1 || !reading || reading->empty() ||
            fields[2].empty())
            throw std::runtime_error("reading choice on line " + std::to_string(number) +
                                     " is not \"character<TAB>reading<TAB>reason\"");
        choices[(*character)[0]] = *reading;
    }
    return choices;
}

DictionaryBuild BuildDictionary(const UnihanData& data, const ReadingChoices& choices) {
    for (const auto& [character, reading] : choices) {
        if (!Contains(CandidateReadings(data, character), reading))
            throw std::runtime_error(
                "the chosen reading " + EncodeUtf8(reading) + " of " +
                EncodeUtf8(std::u16string(1, static_cast<char16_t>(character))) +
                " is not one of its readings in Unihan");
    }
    DictionaryBuild build;
    std::unordered_map<char32_t, size_t> rowOf;  // 0-based row of each character's own record
    for (char32_t character = 0; character < 0x10000; ++character) {
        if (!IsIdeograph(character) || !IsDoubleByte(character)) continue;
        const auto chosen = choices.find(character);
        const auto reading =
            chosen != choices.end() ? chosen->second : PreferredReading(data, character);
        if (!reading) {
            build.withoutReading.push_back(character);
            continue;
        }
        const std::u16string key(1, static_cast<char16_t>(character));
        rowOf[character] = build.records.size();
        build.records.push_back({key, key, *reading, WithoutToneMarks(*reading)});
    }
    if (build.records.size() > static_cast<size_t>(PinyinDictionary::kRows))
        throw std::length_error("more dictionary rows than the table holds");

    for (auto& record : build.records) {
        const char32_t character = record[0][0];
        const size_t row = rowOf.at(character);
        std::vector<char32_t> counterparts;
        for (const auto field : {"kTraditionalVariant", "kSimplifiedVariant"})
            for (const char32_t variant : ParseCodePoints(data.Field(character, field)))
                counterparts.push_back(variant);
        for (const char32_t other : counterparts) {
            if (other == character || !IsDoubleByte(other)) continue;
            const auto own = rowOf.find(other);
            if (own == rowOf.end() || own->second < row ||
                build.records[own->second][2] == record[2]) {
                record[1] = std::u16string(1, static_cast<char16_t>(other));
                break;
            }
        }
    }
    return build;
}

}  // namespace sorvani
