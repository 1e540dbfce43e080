#include "reading_chooser.h"

#include <algorithm>
#include <array>

#include "letter_case.h"
#include "lexicon_runs.h"
#include "pinyin_lookup.h"
#include "pinyin_syllable.h"

namespace sorvani {
namespace {

constexpr char16_t kYi = u'一';
constexpr char16_t kBu = u'不';

// 一 keeps yī in numbers and ordinals (十一, 一九八四, 第一), after the days of the week (周一,
// 星期一) and at the end of words that end in it (统一, 唯一, 之一, 万一).
constexpr std::u16string_view kNumerals = u"〇零一二三四五六七八九十百千万亿两";
constexpr std::u16string_view kPowersOfTen = u"百千万亿";
constexpr std::u16string_view kBeforeCitationYi = u"第初周期拜统唯单专同划整逐之";

bool In(std::u16string_view set, char16_t unit) {
    return set.find(unit) != std::u16string_view::npos;
}

// The word table's words as a lexicon, for a chooser given none: each as likely as a character
// the lexicon does not hold.
Lexicon LexiconOf(const WordTable& words) {
    constexpr uint32_t kUnknownCost = 16 * Lexicon::kCostScale;
    std::vector<Lexicon::Word> list;
    for (uint32_t word = 0; word < words.size(); ++word)
        list.push_back({std::u16string(words.Text(word)), kUnknownCost, 0});
    return Lexicon::Parse(Lexicon::Serialise(list, {"x"}, kUnknownCost), "the word table");
}

}  // namespace

ReadingChooser::ReadingChooser(const WordTable* words, const PinyinDictionary& dictionary,
                               bool toneChange, const Lexicon* lexicon, const WordTable* userWords)
    : words_(words), dictionary_(dictionary), toneChange_(toneChange), userWords_(userWords) {
    if (words_) {
        syllables_ = words_->Syllables();
        lexicon_ = lexicon ? lexicon : &ownLexicon_.emplace(LexiconOf(*words_));
        particles_ = ParticleRules(*lexicon_, [this](std::u16string_view s) { return IdOf(s); });
    }
    if (userWords_)
        for (const auto& syllable : userWords_->Syllables()) userIds_.push_back(IdOf(syllable));
    yi2_ = IdOf(u"yí");
    yi4_ = IdOf(u"yì");
    bu2_ = IdOf(u"bú");
    for (const auto& syllable : syllables_) {
        // The r of erhua ends the syllable before it, so it takes no capital of its own.
        const bool erhua = syllable == u"r";
        shownWithTones_.push_back(erhua ? syllable : Capitalised(syllable));
        shownWithout_.push_back(erhua ? syllable : Capitalised(WithoutToneMarks(syllable)));
    }
    // A piece needs the unit after it; 一 and 不 need the next one.
    lookahead_ = CutsPieces() ? kLongestPiece : 2;
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

void ReadingChooser::ChangeTone(std::u16string_view window, size_t from, size_t at, SyllableId next,
                                SyllableId& chosen) const {
    const char16_t unit = window[at];
    const auto own = Reading(unit, chosen);
    const int nextTone = at + 1 < window.size() ? ToneOf(Reading(window[at + 1], next)) : 0;
    if (unit == kBu) {
        if (own == u"bù" && nextTone == 4) chosen = bu2_;
        return;
    }
    if (own != u"yī" || nextTone == 0) return;
    const char16_t before = at > 0 ? window[at - 1] : u'\0';
    // 唯一一个: the first 一 ends a word and is no numeral of the second.
    const bool endsWord = before == kYi && at >= from + 2 && In(kBeforeCitationYi, window[at - 2]);
    if (!endsWord && (In(kNumerals, before) || In(kBeforeCitationYi, before))) return;
    // 一百, 一千, 一万 count as a measure does.
    if (at + 1 < window.size() && In(kNumerals, window[at + 1]) &&
        !In(kPowersOfTen, window[at + 1]))
        return;
    chosen = nextTone == 4 ? yi2_ : yi4_;
}

void ReadingChooser::DecidePiece(std::u16string_view window, size_t from, size_t to,
                                 std::span<SyllableId> ids) const {
    const std::u16string_view piece = window.substr(from, to - from);
    if (!words_) {
        ApplyUserWords(piece, ids);
        return ChangeTones(window, from, to, ids);
    }
    if (!Decides(piece)) return ChangeTones(window, from, to, ids);
    std::array<PieceWord, kLongestPiece> path;
    const size_t count = lexicon_->Cut(piece, static_cast<uint8_t>(lexicon_->Tags().size()), path);

    // The word table's words inside each word, the longest from the left.
    for (size_t k = 0; k < count; ++k) {
        const size_t end = path[k].start + path[k].length;
        for (size_t at = path[k].start; at + 1 < end;) {
            const auto match = words_->LongestMatch(piece.substr(at, end - at));
            if (match.length == 0) {
                ++at;
                continue;
            }
            const auto readings = words_->Readings(match.word);
            std::copy(readings.begin(), readings.end(), ids.begin() + static_cast<ptrdiff_t>(at));
            at += match.length;
        }
    }
    particles_.Apply(piece, std::span<const PieceWord>(path.data(), count), ids);
    ApplyUserWords(piece, ids);
    ChangeTones(window, from, to, ids);
}

bool ReadingChooser::Decides(std::u16string_view piece) const {
    // The words themselves are looked for, not the first two units that rule most places out:
    // of the pieces where those match, half hold no word.
    for (size_t at = 0; at + 1 < piece.size(); ++at)
        if (words_->MayStartWith(piece[at], piece[at + 1]) &&
            words_->LongestMatch(piece.substr(at)).length > 0)
            return true;
    for (size_t at = 0; at < piece.size(); ++at)
        if (ParticleRules::MayDecide(piece[at]) && particles_.MayDecideAt(piece, at)) return true;
    if (userWords_)
        for (size_t at = 0; at + 1 < piece.size(); ++at)
            if (userWords_->MayStartWith(piece[at], piece[at + 1])) return true;
    return false;
}

void ReadingChooser::ApplyUserWords(std::u16string_view piece, std::span<SyllableId> ids) const {
    if (!userWords_) return;
    for (size_t at = 0; at + 1 < piece.size();) {
        const auto match = userWords_->LongestMatch(piece.substr(at));
        if (match.length == 0) {
            ++at;
            continue;
        }
        const auto readings = userWords_->Readings(match.word);
        for (size_t k = 0; k < readings.size(); ++k) ids[at + k] = userIds_[readings[k] - 1];
        at += match.length;
    }
}

void ReadingChooser::ChangeTonesIn(std::u16string_view window, size_t from, size_t to,
                                   std::span<SyllableId> ids) const {
    for (size_t at = from; at < to; ++at) {
        // The unit after the span keeps the dictionary's reading here, so that where a span
        // ends never depends on the window.
        if (window[at] == kYi || window[at] == kBu)
            ChangeTone(window, from, at, at + 1 < to ? ids[at + 1 - from] : 0, ids[at - from]);
    }
}

size_t ReadingChooser::Decide(std::u16string_view window, size_t start, bool atEnd,
                              std::vector<SyllableId>& chosen) const {
    // The caller's vector, so that its room is reused from window to window.
    std::vector<SyllableId>& ids = chosen;
    ids.assign(window.size() - start, 0);
    size_t end = start;
    if (!CutsPieces()) {
        end = window.size();
    } else {
        const LexiconUnitMap map(window);
        for (size_t at = start; at < window.size();) {
            // The units before a piece are decided: they keep their readings.
            at = end = map.Find(at, true);
            if (at == window.size()) break;
            const size_t pieceEnd = std::min(map.Find(at, false), at + kLongestPiece);
            // The piece is whole, and the unit after it, which 一 or 不 may need, is known.
            if (pieceEnd == window.size() && !atEnd) break;
            DecidePiece(window, at, pieceEnd,
                        std::span<SyllableId>(ids).subspan(at - start, pieceEnd - at));
            at = end = pieceEnd;
        }
    }
    if (!CutsPieces()) {
        // 一 or 不 at the window's end waits for the next unit.
        if (!atEnd && end > start && (window[end - 1] == kYi || window[end - 1] == kBu)) --end;
        ChangeTones(window, start, end, std::span<SyllableId>(ids).subspan(0, end - start));
    }
    ids.resize(end - start);
    return end;
}

std::vector<SyllableId> ReadingChooser::DecideAll(std::u16string_view text) const {
    std::vector<SyllableId> chosen;
    Decide(text, 0, true, chosen);
    return chosen;
}

}  // namespace sorvani
