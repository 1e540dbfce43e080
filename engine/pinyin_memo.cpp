#include "pinyin_memo.h"

#include "character_width.h"
#include "cp936.h"

namespace sorvani {

const CharacterPinyin& PinyinMemo::LookUpAndKeep(char16_t character, int16_t toneFlag) {
    // Looked up first: a lookup that throws leaves nothing behind.
    CharacterPinyin answer{LookupPinyin(dictionary_, cp936::CodeOf(character), toneFlag),
                           CharacterColumns(character) == 2};
    auto& page = Places(toneFlag)[character >> 8];
    if (!page) page = std::make_unique<uint32_t[]>(256);
    known_.push_back(std::move(answer));
    page[character & 0xFF] = static_cast<uint32_t>(known_.size());
    return known_.back();
}

}  // namespace sorvani
