#include "particle_rules.h"

namespace sorvani {

ParticleRules::ParticleRules(const Lexicon& lexicon, const IdOf& idOf)
    : de_(idOf(u"de")),
      dei3_(idOf(u"děi")),
      liao3_(idOf(u"liǎo")),
      wei2_(idOf(u"wéi")),
      zhi1_(idOf(u"zhī")),
      zhang3_(idOf(u"zhǎng")) {
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
    switch (piece[at]) {
        case u'地': {
            if (!before || !after) return 0;
            // 慢慢地, 高高兴兴地, 一步一步地: a repeated syllable makes an adverb.
            const bool repeated = (at >= 2 && unitBefore(1) == unitBefore(2)) ||
                                  (at >= 4 && unitBefore(4) == u'一' && unitBefore(2) == u'一' &&
                                   unitBefore(3) == unitBefore(1));
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
            if (before && before->length == 1 &&
                (unitBefore(1) == u'不' || unitBefore(1) == u'得') && k >= 2 &&
                (ClassOf(words[k - 2]) & kVerb))
                return liao3_;
            return 0;
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

void ParticleRules::Apply(std::u16string_view piece, std::span<const PieceWord> words,
                          std::span<SyllableId> ids) const {
    for (size_t k = 0; k < words.size(); ++k) {
        const PieceWord& word = words[k];
        const size_t last = word.start + word.length - 1;
        if (word.length == 1) {
            if (const SyllableId id = Particle(piece, words, k)) ids[last] = id;
        } else if (piece[last] == u'为' && ids[last] == 0 && (ClassOf(word) & (kVerb | kAdverb))) {
            ids[last] = wei2_;  // 变为, 称为, 尤为, 极为
        }
    }
}

}  // namespace sorvani
