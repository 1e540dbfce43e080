#include "word_list.h"

#include <algorithm>
#include <stdexcept>

#include "dictionary_builder.h"
#include "pinyin_syllable.h"
#include "utf8.h"

namespace sorvani {

std::vector<WordTable::Word> ParseWordList(std::string_view text) {
    std::vector<WordTable::Word> words;
    int number = 0;
    for (const auto line : Split(text, '\n')) {
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const auto fields = Split(line, '\t');
        const auto word = DecodeUtf8(fields[0]);
        WordTable::Word entry;
        if (word && fields.size() == 2) {
            entry.text = *word;
            for (const auto syllable : Split(fields[1], ' '))
                if (auto decoded = DecodeUtf8(syllable); decoded && !decoded->empty())
                    entry.syllables.push_back(std::move(*decoded));
        }
        if (entry.text.size() < 2 || entry.syllables.size() != entry.text.size())
            throw std::runtime_error("word list line " + std::to_string(number) +
                                     " is not a word of two or more characters, a tab and one "
                                     "syllable per character");
        words.push_back(std::move(entry));
    }
    return words;
}

std::optional<std::string> ProblemOf(const WordTable::Word& word, const UnihanData& data,
                                     const PinyinDictionary& dictionary) {
    bool differs = false;
    for (size_t i = 0; i < word.text.size(); ++i) {
        const char16_t character = word.text[i];
        const std::u16string& syllable = word.syllables[i];
        const auto readings = CandidateReadings(data, character);
        const bool known = std::any_of(readings.begin(), readings.end(), [&](const auto& r) {
            return r == syllable || (ToneOf(syllable) == 0 && WithoutToneMarks(r) == syllable);
        });
        if (!known)
            return EncodeUtf8(syllable) + " is not a reading of " +
                   EncodeUtf8(std::u16string(1, character));
        const int row = dictionary.FindRow(character);
        if (row == 0 || dictionary.Cell(row, 3) != syllable) differs = true;
    }
    if (!differs) return "the dictionary reads every character so";
    return std::nullopt;
}

}  // namespace sorvani
