#include "user_words.h"

#include <algorithm>
#include <map>

#include "lexicon.h"
#include "pinyin_syllable.h"
#include "utf8.h"

namespace sorvani {
namespace {

constexpr std::u16string_view kVowels = u"aeiouü";
// Each vowel with the marks of tones 1 to 4.
constexpr std::u16string_view kMarked[] = {u"āáǎà", u"ēéěè", u"īíǐì", u"ōóǒò", u"ūúǔù", u"ǖǘǚǜ"};

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\r')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\r')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::u16string ToneMarked(std::u16string_view syllable) {
    std::u16string text;
    for (char16_t unit : syllable) {
        if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
        text += unit == u'v' ? u'ü' : unit;
    }
    int tone = 0;
    if (!text.empty() && text.back() >= u'1' && text.back() <= u'5') {
        tone = text.back() - u'0';
        text.pop_back();
        if (tone == 5) tone = 0;
    }
    const std::u16string plain = WithoutToneMarks(text);
    if (plain.empty() || plain.size() > 6 ||
        !std::all_of(plain.begin(), plain.end(),
                     [](char16_t unit) { return (unit >= u'a' && unit <= u'z') || unit == u'ü'; }))
        return {};
    if (tone == 0 || plain != text) return tone == 0 ? text : std::u16string();  // marked already
    // The mark goes on a or e, on the o of ou, else on the last vowel.
    size_t at = plain.find_first_of(u"ae");
    if (at == std::u16string::npos) at = plain.find(u"ou");
    if (at == std::u16string::npos) at = plain.find_last_of(kVowels);
    if (at == std::u16string::npos) return {};
    text[at] = kMarked[kVowels.find(plain[at])][tone - 1];
    return text;
}

std::string UserWords::Problem::Text() const {
    std::string why;
    switch (kind) {
        case Kind::NotUtf8:
            why = "not UTF-8";
            break;
        case Kind::NoTab:
            why = "not a word, a tab and its syllables";
            break;
        case Kind::NotAWord:
            why = "the word must be two or more Chinese characters";
            break;
        case Kind::NotPinyin:
            why = "a syllable that is no pinyin";
            break;
        case Kind::SyllableCount:
            why = std::to_string(characters) + " characters but " + std::to_string(syllables) +
                  " syllables";
            break;
    }
    return "line " + std::to_string(line) + ": " + why;
}

UserWords ParseUserWords(std::string_view text) {
    using Kind = UserWords::Problem::Kind;
    UserWords result;
    std::map<std::u16string, std::vector<std::u16string>> words;
    size_t number = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view bytes = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const auto problem = [&](UserWords::Problem::Kind kind) {
            result.problems.push_back({number, kind});
        };
        const auto decoded = DecodeUtf8(bytes);
        if (!decoded) {
            problem(Kind::NotUtf8);
            continue;
        }
        std::u16string_view line = Trimmed(*decoded);
        if (number == 1 && !line.empty() && line.front() == u'\uFEFF') line.remove_prefix(1);
        if (line.empty() || line.front() == u'#') continue;
        const size_t tab = line.find(u'\t');
        if (tab == std::u16string_view::npos) {
            problem(Kind::NoTab);
            continue;
        }
        const std::u16string_view word = Trimmed(line.substr(0, tab));
        if (word.size() < 2 || !std::all_of(word.begin(), word.end(), IsLexiconUnit)) {
            problem(Kind::NotAWord);
            continue;
        }
        std::vector<std::u16string> syllables;
        bool good = true;
        for (std::u16string_view rest = Trimmed(line.substr(tab + 1)); good && !rest.empty();) {
            const size_t space = std::min(rest.find(u' '), rest.size());
            if (space > 0) {
                syllables.push_back(ToneMarked(rest.substr(0, space)));
                good = !syllables.back().empty();
            }
            rest.remove_prefix(std::min(space + 1, rest.size()));
            rest = Trimmed(rest);
        }
        if (!good) {
            problem(Kind::NotPinyin);
        } else if (syllables.size() != word.size()) {
            result.problems.push_back({number, Kind::SyllableCount, word.size(), syllables.size()});
        } else {
            words[std::u16string(word)] = std::move(syllables);
        }
    }
    for (auto& [word, syllables] : words) result.words.push_back({word, std::move(syllables)});
    return result;
}

}  // namespace sorvani
