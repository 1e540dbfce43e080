#include "pinyin_syllable.h"

#include <array>

namespace sorvani {
namespace {

// Each toned letter with its plain letter and its tone.
struct ToneMark {
    char16_t toned;
    char16_t plain;
    int tone;
};

constexpr std::u16string_view kToned = u"āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜḿńňǹếề";
constexpr std::u16string_view kPlain = u"aaaaeeeeiiiioooouuuuüüüümnnnêê";
constexpr std::array<int, kToned.size()> kTones = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3,
                                                   4, 1, 2, 3, 4, 1, 2, 3, 4, 2, 2, 3, 4, 2, 4};

// Combining marks that carry tones; the diaeresis and circumflex belong to the vowel.
int CombiningTone(char16_t ch) {
    switch (ch) {
        case 0x0304:
            return 1;
        case 0x0301:
            return 2;
        case 0x030C:
            return 3;
        case 0x0300:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

std::u16string WithoutToneMarks(std::u16string_view syllable) {
    std::u16string result;
    for (const char16_t ch : syllable) {
        if (CombiningTone(ch)) continue;
        const size_t at = kToned.find(ch);
        result.push_back(at == std::u16string_view::npos ? ch : kPlain[at]);
    }
    return result;
}

int ToneOf(std::u16string_view syllable) {
    for (const char16_t ch : syllable) {
        if (const int tone = CombiningTone(ch)) return tone;
        const size_t at = kToned.find(ch);
        if (at != std::u16string_view::npos) return kTones[at];
    }
    return 0;
}

}  // namespace sorvani
