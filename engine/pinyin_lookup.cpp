#include "pinyin_lookup.h"

#include "annotation_failure.h"
#include "cp936.h"
#include "letter_case.h"

namespace sorvani {

std::u16string LookupPinyin(const PinyinDictionary& dictionary, int32_t code, int16_t toneFlag) {
    const auto character = cp936::CharacterOf(code);
    if (!character) return u"?";
    if (code >= 0) return std::u16string(1, *character);

    const int row = dictionary.FindRow(*character);
    if (row == 0) return std::u16string(1, *character);

    const std::u16string_view syllable = dictionary.Cell(row, toneFlag == kWithTones ? 3 : 4);
    if (syllable.empty())
        throw AnnotationFailure("empty pinyin in dictionary row " + std::to_string(row));
    return Capitalised(syllable);
}

}  // namespace sorvani
