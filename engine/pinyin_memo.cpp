#include "pinyin_memo.h"

#include "character_width.h"
#include "cp936.h"

namespace sorvani {

const CharacterPinyin& PinyinMemo::LookUpAndKeep(char16_t character, int16_t toneFlag) {
    auto& page = Known(toneFlag)[character >> 8];
    if (!page) page = std::make_unique<CharacterPinyin[]>(256);
    CharacterPinyin& entry = page[character & 0xFF];
    const int16_t code = cp936::CodeOf(character);
    entry.pinyin = LookupPinyin(dictionary_, code, toneFlag);
    entry.wide = CharacterColumns(character) == 2;
    return entry;
}

}  // namespace sorvani
