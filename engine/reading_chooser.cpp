#include "reading_chooser.h"

#include <algorithm>
#include <bit>

#include "letter_case.h"
#include "pinyin_lookup.h"
#include "pinyin_syllable.h"

namespace sorvani {
namespace {

constexpr char16_t kYi = u'一';
constexpr char16_t kBu = u'不';

// 一 keeps yī in numbers and ordinals (十一, 一九八四, 第一), after the days of the week (周一,
// 星期一) and at the end of words that end in it (统一, 唯一, 之一, 万一).
constexpr std::u16string_view kNumerals = u"〇零一二三四五六七八九十百千万亿两";
constexpr std::u16string_view kBeforeCitationYi = u"第初周期拜统唯单专同划整逐之";

bool In(std::u16string_view set, char16_t unit) {
    return set.find(unit) != std::u16string_view::npos;
}

}  // namespace

ReadingChooser::ReadingChooser(const WordTable* words, const PinyinDictionary& dictionary,
                               bool toneChange)
    : words_(words), dictionary_(dictionary), toneChange_(toneChange) {
    if (words_) syllables_ = words_->Syllables();
    yi2_ = IdOf(u"yí");
    yi4_ = IdOf(u"yì");
    bu2_ = IdOf(u"bú");
    for (const auto& syllable : syllables_) {
        shownWithTones_.push_back(Capitalised(syllable));
        shownWithout_.push_back(Capitalised(WithoutToneMarks(syllable)));
    }
    // A word needs its whole length; the tone change at the end of a word needs the next word.
    const size_t longest = std::max<size_t>(words_ ? words_->Longest() : 0, 1);
    lookahead_ = toneChange_ ? 2 * longest : longest;
}

SyllableId ReadingChooser::IdOf(std::u16string_view syllable) {
    const auto at = std::find(syllables_.begin(), syllables_.end(), syllable);
    if (at != syllables_.end()) return static_cast<SyllableId>(at - syllables_.begin() + 1);
    syllables_.emplace_back(syllable);
    return static_cast<SyllableId>(syllables_.size());
}

const std::u16string& ReadingChooser::Shown(SyllableId id, int16_t toneFlag) const {
    return (toneFlag == kWithTones ? shownWithTones_ : shownWithout_)[id - 1];
}

std::u16string_view ReadingChooser::Reading(char16_t unit, SyllableId chosen) const {
    if (chosen) return syllables_[chosen - 1];
    const int row = dictionary_.FindRow(unit);
    return row ? std::u16string_view(dictionary_.Cell(row, 3)) : std::u16string_view();
}

void ReadingChooser::ChangeTone(std::u16string_view window, size_t at, SyllableId next,
                                SyllableId& chosen) const {
    const char16_t unit = window[at];
    const auto own = Reading(unit, chosen);
    const int nextTone = at + 1 < window.size() ? ToneOf(Reading(window[at + 1], next)) : 0;
    if (unit == kBu) {
        if (own == u"bù" && nextTone == 4) chosen = bu2_;
        return;
    }
    if (own != u"yī" || nextTone == 0) return;
    if (at > 0 && (In(kNumerals, window[at - 1]) || In(kBeforeCitationYi, window[at - 1]))) return;
    if (at + 1 < window.size() && In(kNumerals, window[at + 1])) return;
    chosen = nextTone == 4 ? yi2_ : yi4_;
}

size_t ReadingChooser::Decide(std::u16string_view window, size_t start, bool atEnd,
                              std::vector<SyllableId>& chosen) const {
    const size_t longest = words_ ? words_->Longest() : 0;
    std::vector<SyllableId> ids(window.size() - start, 0);
    // Matching stops where a word that starts there might go on past the window.
    const size_t limit = atEnd || longest == 0      ? window.size()
                         : window.size() >= longest ? window.size() - longest + 1
                                                    : 0;
    size_t end = start;
    // Where the last word found starts and ends.
    size_t wordStart = 0, wordEnd = 0;
    // The places that may start a word are told 64 at a time without a branch: most start none,
    // but which do is hard to foresee.
    const size_t scanLimit = longest ? std::min(limit, window.size() - 1) : 0;
    for (size_t block = start; block < scanLimit; block += 64) {
        const size_t blockEnd = std::min(scanLimit, block + 64);
        uint64_t candidates = 0;
        for (size_t at = block; at < blockEnd; ++at)
            candidates |= uint64_t{words_->MayStartWith(window[at], window[at + 1])}
                          << (at - block);
        for (; candidates != 0; candidates &= candidates - 1) {
            const size_t at = block + static_cast<size_t>(std::countr_zero(candidates));
            if (at < end) continue;  // inside the word found last
            const auto match =
                words_->LongestMatch(window.substr(at, std::min(longest, window.size() - at)));
            if (match.length == 0) continue;
            const auto readings = words_->Readings(match.word);
            std::copy(readings.begin(), readings.end(), ids.begin() + (at - start));
            wordStart = at;
            end = wordEnd = at + match.length;
        }
    }
    end = std::max(end, limit);
    // Where the last word, or the last character outside words, starts.
    const size_t last = end == start ? start : end == wordEnd ? wordStart : end - 1;

    if (toneChange_) {
        for (size_t at = start; at < end; ++at) {
            if (window[at] != kYi && window[at] != kBu) continue;
            // The next syllable must be decided, or be known to be absent. Otherwise the word
            // that ends here is left whole to the next window, whose matching starts at a word.
            if (at + 1 >= end && !(atEnd && at + 1 == window.size())) {
                end = last;
                break;
            }
            ChangeTone(window, at, at + 1 < end ? ids[at + 1 - start] : 0, ids[at - start]);
        }
    }
    ids.resize(end - start);
    chosen = std::move(ids);
    return end;
}

std::vector<SyllableId> ReadingChooser::DecideAll(std::u16string_view text) const {
    std::vector<SyllableId> chosen;
    Decide(text, 0, true, chosen);
    return chosen;
}

}  // namespace sorvani
