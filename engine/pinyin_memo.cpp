#include "pinyin_memo.h"

#include "character_width.h"
#include "cp936.h"

namespace sorvani {

const CharacterPinyin& PinyinMemo::LookUpAndKeep(char16_t character, int16_t toneFlag) {
    auto& known = Known(toneFlag);
    if (known.empty()) known.resize(0x10000);
    CharacterPinyin& entry = known[character];
    const int16_t code = cp936::CodeOf(character);
    entry.pinyin = LookupPinyin(dictionary_, code, toneFlag);
    entry.doubleByte = CharacterColumns(character) == 2;
    return entry;
}

}  // namespace sorvani
