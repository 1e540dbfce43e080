#include "letter_case.h"

#include <cstdint>

namespace sorvani {
namespace {

// Capitals and their small letters: `count` pairs from `capital` and `small` on, `step` apart (1
// for two parallel runs, as A-Z and a-z; 2 where each small letter follows its capital). Found by
// a search of a few runs rather than in tables of the whole plane, which would cost their 256 KB
// of fresh memory at every start for the few syllables a run capitalises.
struct CaseRun {
    char16_t capital, small;
    uint16_t count, step;
};

constexpr CaseRun kCaseRuns[] = {
    {u'A', u'a', 26, 1},     {0x00C0, 0x00E0, 23, 1},  // À to Ö
    {0x00D8, 0x00F8, 7, 1},                            // Ø to Þ
    {0x0100, 0x0101, 24, 2},                           // Ā ā to Į į
    {0x0132, 0x0133, 3, 2},  {0x0139, 0x013A, 8, 2},  {0x014A, 0x014B, 23, 2},
    {0x0179, 0x017A, 3, 2},  {0x0178, 0x00FF, 1, 1},  // Ÿ ÿ
    {0x01CD, 0x01CE, 8, 2},                           // Ǎ ǎ … Ǜ ǜ, the pinyin vowels
    {0x01F8, 0x01F9, 1, 1},                           // Ǹ ǹ
    {0x2C6D, 0x0251, 1, 1},                           // ɑ, written for a in pinyin
    {0xA7AC, 0x0261, 1, 1},                           // ɡ, written for g in pinyin
    {0x0391, 0x03B1, 17, 1},                          // Α to Ρ
    {0x03A3, 0x03C3, 7, 1},                           // Σ to Ω
    {0x0410, 0x0430, 32, 1}, {0x0401, 0x0451, 1, 1},  // Ё ё
    {0x2160, 0x2170, 16, 1},                          // Roman numerals
    {0xFF21, 0xFF41, 26, 1},                          // full-width Latin
};
constexpr char16_t kFinalSigma = 0x03C2, kCapitalSigma = 0x03A3;

// The letter of the other case for `ch`, when one run holds it on side `from`.
template <char16_t CaseRun::*from, char16_t CaseRun::*to>
char16_t OtherCase(char16_t ch) {
    for (const CaseRun& run : kCaseRuns) {
        const unsigned offset = static_cast<unsigned>(ch) - run.*from;
        if (offset < static_cast<unsigned>(run.count) * run.step && offset % run.step == 0)
            return static_cast<char16_t>(run.*to + offset);
    }
    return ch;
}

}  // namespace

char16_t ToUpper(char16_t ch) {
    if (ch < 0x80) return ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - 0x20) : ch;
    if (ch == kFinalSigma) return kCapitalSigma;
    return OtherCase<&CaseRun::small, &CaseRun::capital>(ch);
}

char16_t ToLower(char16_t ch) {
    if (ch < 0x80) return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 0x20) : ch;
    return OtherCase<&CaseRun::capital, &CaseRun::small>(ch);
}

std::u16string Capitalised(std::u16string_view text) {
    std::u16string result(text);
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = i ? ToLower(result[i]) : ToUpper(result[i]);
    return result;
}

}  // namespace sorvani
