#include "lexicon_runs.h"

#include <bit>
#include <cstdint>

#include "lexicon.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sorvani {

size_t FindLexiconUnit(std::u16string_view text, size_t from, bool wanted) {
    size_t at = from;
#if defined(__SSE2__)
    // A unit u is in [low, high] when the saturated (u - low) - (high - low) is 0.
    const __m128i zero = _mm_setzero_si128();
    const __m128i cjkLow = _mm_set1_epi16(0x3400), cjkSpan = _mm_set1_epi16(0x9FFF - 0x3400);
    const __m128i compatibleLow = _mm_set1_epi16(static_cast<int16_t>(0xF900));
    const __m128i compatibleSpan = _mm_set1_epi16(0xFAFF - 0xF900);
    const __m128i ling = _mm_set1_epi16(static_cast<int16_t>(u'〇'));
    const unsigned flip = wanted ? 0 : 0xFFFF;
    for (; at + 8 <= text.size(); at += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const __m128i cjk =
            _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(units, cjkLow), cjkSpan), zero);
        const __m128i compatible = _mm_cmpeq_epi16(
            _mm_subs_epu16(_mm_sub_epi16(units, compatibleLow), compatibleSpan), zero);
        const __m128i lexicon =
            _mm_or_si128(_mm_or_si128(cjk, compatible), _mm_cmpeq_epi16(units, ling));
        // Two bits a unit.
        const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(lexicon)) ^ flip;
        if (found != 0) return at + static_cast<size_t>(std::countr_zero(found)) / 2;
    }
#endif
    while (at < text.size() && IsLexiconUnit(text[at]) != wanted) ++at;
    return at;
}

}  // namespace sorvani
