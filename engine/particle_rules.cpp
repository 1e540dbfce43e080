#include "particle_rules.h"

#include <algorithm>
#include <iterator>

#include "unit_set.h"

namespace sorvani {
namespace {

bool In(std::u16string_view set, char16_t unit) {
    return set.find(unit) != std::u16string_view::npos;
}

constexpr std::u16string_view kNumerals = u"〇零一二三四五六七八九十百千万亿两几";
// Every word of a cut text is asked whether it starts with a numeral.
constexpr UnitSet kNumeralSet(kNumerals);
// Verbs whose result 干 is dry (擦干, 吹干).
constexpr std::u16string_view kDryingVerbs = u"擦晒烤吹烘喝吸流榨晾舔烧蒸哭熬抽排";
// Verbs 重 modifies by weight, not as "again" (重达十吨, 重在参与).
constexpr std::u16string_view kNotAgain = u"达在于是";
// Words of degree that make 干 an adjective (很干, 太干了).
constexpr std::u16string_view kDegrees[] = {u"很",   u"太",   u"挺",     u"非常", u"特别", u"比较",
                                            u"十分", u"有点", u"有点儿", u"有些", u"更",   u"最"};
// What makes 了 and 着 verbs of ability after a verb (受不了, 摸不着).
constexpr std::u16string_view kAble = u"不得";
// Verbs after which 着 at the end of a clause is found or lit (找着了, 点着了).
constexpr std::u16string_view kReaching = u"找点猜打";
// Words before a 还 that ends a clause (借了不还, 一定要还).
constexpr std::u16string_view kBeforeGivingBack = u"不没要得会能再";
// Words after 种 the verb (种下, 种了三棵树).
constexpr std::u16string_view kAfterPlanting = u"了着过下出满";

// 慢慢地, 高高兴兴地, 一步一步地: a repeated syllable before `at` makes an adverb.
bool AfterRepetition(std::u16string_view piece, size_t at) {
    const auto before = [&](size_t back) { return piece[at - back]; };
    return (at >= 2 && before(1) == before(2)) ||
           (at >= 4 && before(4) == u'一' && before(2) == u'一' && before(3) == before(1));
}

// Whether a word of degree ends at `end`.
bool DegreeEndsAt(std::u16string_view piece, size_t end) {
    return std::any_of(std::begin(kDegrees), std::end(kDegrees), [&](std::u16string_view degree) {
        return end >= degree.size() && piece.substr(end - degree.size(), degree.size()) == degree;
    });
}

}  // namespace

ParticleRules::ParticleRules(const Lexicon& lexicon, const IdOf& idOf)
    : lexicon_(&lexicon),
      de_(idOf(u"de")),
      dei3_(idOf(u"děi")),
      liao3_(idOf(u"liǎo")),
      wei2_(idOf(u"wéi")),
      zhi1_(idOf(u"zhī")),
      zhang3_(idOf(u"zhǎng")),
      zhao2_(idOf(u"zháo")),
      huan2_(idOf(u"huán")),
      hang2_(idOf(u"háng")),
      chong2_(idOf(u"chóng")),
      gan1_(idOf(u"gān")),
      zhong4_(idOf(u"zhòng")),
      er_(idOf(u"er")),
      r_(idOf(u"r")) {
    const auto& tags = lexicon.Tags();
    for (size_t tag = 0; tag < tags.size() && tag < classes_.size(); ++tag) {
        const std::string_view name = tags[tag];
        const char first = name.empty() ? ' ' : name[0];
        classes_[tag] = first == 'v'                                   ? kVerb
                        : first == 'a'                                 ? kAdjective
                        : first == 'd'                                 ? kAdverb
                        : first == 'i' || first == 'l' || first == 'z' ? kIdiom
                        : first == 'r'                                 ? kPronoun
                        : first == 'n'                                 ? kNoun
                        : first == 'm'                                 ? kNumeral
                                                                       : 0;
    }
}

SyllableId ParticleRules::Particle(std::u16string_view piece, std::span<const PieceWord> words,
                                   size_t k) const {
    const PieceWord& word = words[k];
    const PieceWord* before = k > 0 ? &words[k - 1] : nullptr;
    const PieceWord* after = k + 1 < words.size() ? &words[k + 1] : nullptr;
    const size_t at = word.start;
    const auto unitBefore = [&](size_t back) { return at >= back ? piece[at - back] : u'\0'; };
    const auto single = [&](const PieceWord* other, std::u16string_view units) {
        return other && other->length == 1 && In(units, piece[other->start]);
    };
    const auto textOf = [&](const PieceWord* other) {
        return other ? piece.substr(other->start, other->length) : std::u16string_view();
    };
    const bool afterNumeral = before && (ClassOf(*before) & kNumeral);
    switch (piece[at]) {
        case u'地': {
            if (!before || !after) return 0;
            const bool repeated = AfterRepetition(piece, at);
            const bool modifier = ClassOf(*before) & (kAdjective | kAdverb | kIdiom);
            // A verb of one character takes 地 as its object (种地, 扫地); 小心地 does not.
            const bool longVerb = before->length >= 2 && (ClassOf(*before) & kVerb);
            return repeated || modifier || longVerb ? de_ : 0;
        }
        case u'得':
            if (before && (ClassOf(*before) & (kVerb | kAdjective))) return de_;
            // 我得走了, 还得去: must.
            if ((!before || (ClassOf(*before) & (kPronoun | kAdverb))) && after &&
                (ClassOf(*after) & kVerb) && piece[after->start] != u'了')
                return dei3_;
            return 0;
        case u'了':
            // 受不了, 做得了: to be able to.
            return single(before, kAble) && k >= 2 && (ClassOf(words[k - 2]) & kVerb) ? liao3_ : 0;
        case u'着':
            // 摸不着, 睡得着: to reach, to manage.
            if (single(before, kAble) && k >= 2 && (ClassOf(words[k - 2]) & kVerb)) return zhao2_;
            // 找着了, 点着了 at the end of a clause: found, lit.
            return single(before, kReaching) && single(after, u"了") && k + 2 == words.size()
                       ? zhao2_
                       : 0;
        case u'还':
            // An adverb cannot end a clause: 借了不还, 一定要还 give back.
            return k + 1 == words.size() && single(before, kBeforeGivingBack) ? huan2_ : 0;
        case u'行':
            // 两行, 第四行: lines; but 一行人 is a party.
            return afterNumeral && !(textOf(before) == u"一" && single(after, u"人")) ? hang2_ : 0;
        case u'重':
            // 九重天: layers; 重写, 重回: again.
            if (afterNumeral) return chong2_;
            return after && after->length == 1 && (ClassOf(*after) & kVerb) &&
                           !In(kNotAgain, piece[after->start]) &&
                           !(before && (ClassOf(*before) & kAdverb))
                       ? chong2_
                       : 0;
        case u'干':
            // 擦干, 吹干: dry as a result; 很干, 太干了: dry.
            if (single(before, kDryingVerbs)) return gan1_;
            return before && std::find(std::begin(kDegrees), std::end(kDegrees), textOf(before)) !=
                                 std::end(kDegrees)
                       ? gan1_
                       : 0;
        case u'种':
            // 种下, 种了三棵树: to plant; 这种, 三种了 keep the kind.
            return single(after, kAfterPlanting) && !afterNumeral &&
                           !(before && (ClassOf(*before) & kPronoun))
                       ? zhong4_
                       : 0;
        case u'为':
            return before && before->length == 1 && unitBefore(1) == u'之' ? wei2_ : 0;  // 称之为
        case u'只':
            // 两只猫, 三只食人魔: after a numeral the measure word; after 这 or 那 only before a
            // noun (那只猫, but 这只会).
            if (!before || !after) return 0;
            if (ClassOf(*before) & kNumeral) return zhi1_;
            return (ClassOf(*before) & kPronoun) && (ClassOf(*after) & kNoun) ? zhi1_ : 0;
        case u'长': {
            // 长得高, 长得像: how one has grown; but 时间长得很 is long.
            if (!after || after->length != 1 || piece[after->start] != u'得') return 0;
            const bool lastIsVery =
                k + 3 == words.size() && words[k + 2].length == 1 &&
                (piece[words[k + 2].start] == u'很' || piece[words[k + 2].start] == u'多');
            return lastIsVery ? 0 : zhang3_;
        }
        default:
            return 0;
    }
}

uint16_t ParticleRules::ClassesEndingAt(std::u16string_view piece, size_t end,
                                        size_t shortest) const {
    uint16_t classes = 0;
    Lexicon::Found word;
    for (size_t start = end - std::min(end, lexicon_->Longest()); start + shortest <= end; ++start)
        if (lexicon_->MayHold(piece.substr(start, end - start), word))
            classes |= classes_[word.tag];
    return classes;
}

uint16_t ParticleRules::ClassesStartingAt(std::u16string_view piece, size_t start) const {
    uint16_t classes = 0;
    lexicon_->WordsAt(piece.substr(start),
                      [&](const Lexicon::Found& word) { classes |= classes_[word.tag]; });
    return classes;
}

// Each case asks for no more than what the rule of its unit needs, in Particle or InWord, of
// the words around the unit in any cut: a word before it is one of the lexicon's words that end
// there, or a unit it lacks, of no class.
bool ParticleRules::MayDecideAt(std::u16string_view piece, size_t at) const {
    const char16_t before = at > 0 ? piece[at - 1] : u'\0';
    const bool hasAfter = at + 1 < piece.size();
    const char16_t after = hasAfter ? piece[at + 1] : u'\0';
    const auto classesBefore = [&] { return at > 0 ? ClassesEndingAt(piece, at) : 0; };
    // A verb before 不 or 得 before the unit.
    const auto able = [&] {
        return at >= 2 && In(kAble, before) && (ClassesEndingAt(piece, at - 1) & kVerb);
    };
    const auto afterNumeral = [&] {
        return at > 0 && (kNumeralSet.Has(before) || (classesBefore() & kNumeral));
    };
    switch (piece[at]) {
        case u'地':
            return at > 0 && hasAfter &&
                   (AfterRepetition(piece, at) ||
                    (classesBefore() & (kAdjective | kAdverb | kIdiom)) ||
                    (ClassesEndingAt(piece, at, 2) & kVerb));
        case u'得':
            if (before == u'长' || (classesBefore() & (kVerb | kAdjective))) return true;
            return (at == 0 || (classesBefore() & (kPronoun | kAdverb))) && hasAfter &&
                   after != u'了' && (ClassesStartingAt(piece, at + 1) & kVerb);
        case u'了':
            return able();
        case u'着':
            return able() || (In(kReaching, before) && after == u'了' && at + 2 == piece.size());
        case u'还':
            return !hasAfter && In(kBeforeGivingBack, before);
        case u'行':
            return afterNumeral();
        case u'重':
            if (afterNumeral()) return true;
            // Before a verb of one character.
            return hasAfter && !In(kNotAgain, after) &&
                   (ClassesStartingAt(piece.substr(0, at + 2), at + 1) & kVerb);
        case u'干':
            return In(kDryingVerbs, before) || DegreeEndsAt(piece, at);
        case u'种':
            return In(kAfterPlanting, after);
        case u'为':
            return before == u'之' || (ClassesEndingAt(piece, at + 1, 2) & (kVerb | kAdverb));
        case u'只':
            return at > 0 && hasAfter && (classesBefore() & (kNumeral | kPronoun));
        default:
            return false;
    }
}

void ParticleRules::InWord(std::u16string_view piece, std::span<const PieceWord> words, size_t k,
                           std::span<SyllableId> ids) const {
    const PieceWord& word = words[k];
    const size_t last = word.start + word.length - 1;
    // The word table writes the 儿 of erhua without a tone; it is the r that ends the syllable
    // before it (一点儿 yīdiǎnr), kept over its own character.
    for (size_t at = word.start + 1; at <= last; ++at)
        if (piece[at] == u'儿' && ids[at] == er_) ids[at] = r_;
    if (piece[last] == u'为' && ids[last] == 0 && (ClassOf(word) & (kVerb | kAdverb)))
        ids[last] = wei2_;  // 变为, 称为, 尤为, 极为
    // 三行, 两行诗: lines; 九重天: layers. 五行 (the five elements) is a word of its own, and
    // 一行 is a party unless a noun follows (一行字), or a character that ends the run (一行树,
    // which the lexicon tags a verb: a party's verb comes with more), or 这 or 那 comes before
    // (这一行, a trade).
    size_t numerals = 0;
    while (numerals < word.length - 1 && kNumeralSet.Has(piece[word.start + numerals])) ++numerals;
    const size_t at = word.start + numerals;
    if (numerals == 0 || ids[at] != 0) return;
    const std::u16string_view head = piece.substr(word.start, numerals);
    const bool followedByNoun =
        k + 1 < words.size() && piece[words[k + 1].start] != u'人' &&
        ((ClassOf(words[k + 1]) & kNoun) || (k + 2 == words.size() && words[k + 1].length == 1));
    const bool afterThis =
        k > 0 && words[k - 1].length == 1 && In(u"这那", piece[words[k - 1].start]);
    if (piece[at] == u'行' && head != u"五" && (head != u"一" || followedByNoun || afterThis))
        ids[at] = hang2_;
    else if (piece[at] == u'重')
        ids[at] = chong2_;
}

void ParticleRules::Apply(std::u16string_view piece, std::span<const PieceWord> words,
                          std::span<SyllableId> ids) const {
    for (size_t k = 0; k < words.size(); ++k) {
        const size_t start = words[k].start, last = start + words[k].length - 1;
        if (last > start) {
            // What InWord reads: a numeral first, 为 last, or 儿 after the first unit.
            bool reads = kNumeralSet.Has(piece[start]) || piece[last] == u'为';
            for (size_t at = start + 1; at <= last && !reads; ++at) reads = piece[at] == u'儿';
            if (reads) InWord(piece, words, k, ids);
        } else if (MayDecide(piece[start]) || piece[start] == u'长') {
            // 长 alone does not make a piece worth cutting: it is read only before 得, which does.
            if (const SyllableId id = Particle(piece, words, k)) ids[start] = id;
        }
    }
}

}  // namespace sorvani
