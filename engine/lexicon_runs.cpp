#include "lexicon_runs.h"

#include "lexicon.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sorvani {

LexiconUnitMap::LexiconUnitMap(std::u16string_view text)
    : bits_((text.size() + 63) / 64, 0), size_(text.size()) {
    size_t at = 0;
#if defined(__SSE2__)
    // A unit u is in [low, high] when the saturated (u - low) - (high - low) is 0.
    const __m128i zero = _mm_setzero_si128();
    const __m128i cjkLow = _mm_set1_epi16(0x3400), cjkSpan = _mm_set1_epi16(0x9FFF - 0x3400);
    const __m128i compatibleLow = _mm_set1_epi16(static_cast<int16_t>(0xF900));
    const __m128i compatibleSpan = _mm_set1_epi16(0xFAFF - 0xF900);
    const __m128i ling = _mm_set1_epi16(static_cast<int16_t>(u'〇'));
    const auto lexiconUnits = [&](size_t from) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
        const __m128i cjk =
            _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(units, cjkLow), cjkSpan), zero);
        const __m128i compatible = _mm_cmpeq_epi16(
            _mm_subs_epu16(_mm_sub_epi16(units, compatibleLow), compatibleSpan), zero);
        return _mm_or_si128(_mm_or_si128(cjk, compatible), _mm_cmpeq_epi16(units, ling));
    };
    for (; at + 16 <= text.size(); at += 16) {
        // Each unit's all-ones or zero, packed to a byte, then a bit.
        const auto found = static_cast<uint64_t>(
            _mm_movemask_epi8(_mm_packs_epi16(lexiconUnits(at), lexiconUnits(at + 8))));
        bits_[at / 64] |= found << (at % 64);
    }
#endif
    for (; at < text.size(); ++at) bits_[at / 64] |= uint64_t{IsLexiconUnit(text[at])} << (at % 64);
}

}  // namespace sorvani
