#include "letter_case.h"

#include <array>

namespace sorvani {
namespace {

// Both directions of the mapping, built once from the letter ranges.
struct CaseTables {
    std::array<char16_t, 0x10000> upper;
    std::array<char16_t, 0x10000> lower;

    void Pair(char16_t capital, char16_t small) {
        upper[small] = capital;
        lower[capital] = small;
    }
    // Capitals and small letters in two parallel runs (A-Z and a-z).
    void Runs(char16_t firstCapital, char16_t firstSmall, int count) {
        for (int i = 0; i < count; ++i) Pair(firstCapital + i, firstSmall + i);
    }
    // Capital and small letter alternating, from first to last inclusive.
    void Alternating(char16_t first, char16_t last) {
        for (char16_t c = first; c < last; c += 2) Pair(c, c + 1);
    }

    CaseTables() {
        for (int c = 0; c < 0x10000; ++c) upper[c] = lower[c] = static_cast<char16_t>(c);
        Runs(u'A', u'a', 26);
        Runs(0x00C0, 0x00E0, 23);  // À to Ö
        Runs(0x00D8, 0x00F8, 7);   // Ø to Þ
        Alternating(0x0100, 0x012F);
        Alternating(0x0132, 0x0137);
        Alternating(0x0139, 0x0148);
        Alternating(0x014A, 0x0177);
        Alternating(0x0179, 0x017E);
        Pair(0x0178, 0x00FF);         // Ÿ ÿ
        Alternating(0x01CD, 0x01DC);  // Ǎ ǎ … Ǜ ǜ, the pinyin vowels
        Alternating(0x01F8, 0x01F9);  // Ǹ ǹ
        upper[0x0251] = 0x2C6D;       // ɑ, written for a in pinyin
        lower[0x2C6D] = 0x0251;
        upper[0x0261] = 0xA7AC;  // ɡ, written for g in pinyin
        lower[0xA7AC] = 0x0261;
        Runs(0x0391, 0x03B1, 17);  // Α to Ρ
        Runs(0x03A3, 0x03C3, 7);   // Σ to Ω
        upper[0x03C2] = 0x03A3;    // final sigma
        Runs(0x0410, 0x0430, 32);
        Pair(0x0401, 0x0451);      // Ё ё
        Runs(0x2160, 0x2170, 16);  // Roman numerals
        Runs(0xFF21, 0xFF41, 26);  // full-width Latin
    }
};

const CaseTables& Tables() {
    static const CaseTables tables;
    return tables;
}

}  // namespace

char16_t ToUpper(char16_t ch) { return Tables().upper[ch]; }
char16_t ToLower(char16_t ch) { return Tables().lower[ch]; }

std::u16string Capitalised(std::u16string_view text) {
    std::u16string result(text);
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = i ? ToLower(result[i]) : ToUpper(result[i]);
    return result;
}

}  // namespace sorvani
