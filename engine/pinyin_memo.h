#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "pinyin_dictionary.h"
#include "pinyin_lookup.h"

namespace sorvani {

// What the layout needs to know of a character of the Basic Multilingual Plane.
struct CharacterPinyin {
    // LookupPinyin's answer for the character's code page 936 code.
    std::u16string pinyin;
    // The character takes two columns: two bytes in the code page, or drawn wide.
    bool wide = false;
};

// The pinyin of each character, looked up once and then kept, so that a long text costs a table
// access per character. The dictionary must not change once a character has been looked up.
class PinyinMemo {
  public:
    explicit PinyinMemo(const PinyinDictionary& dictionary) : dictionary_(dictionary) {}

    // Throws as LookupPinyin does.
    const CharacterPinyin& Lookup(char16_t character, int16_t toneFlag) {
        const auto& page = Known(toneFlag)[character >> 8];
        if (page && !page[character & 0xFF].pinyin.empty()) return page[character & 0xFF];
        return LookUpAndKeep(character, toneFlag);
    }

  private:
    using Page = std::unique_ptr<CharacterPinyin[]>;

    std::array<Page, 256>& Known(int16_t toneFlag) {
        return toneFlag == kWithTones ? withTones_ : withoutTones_;
    }
    const CharacterPinyin& LookUpAndKeep(char16_t character, int16_t toneFlag);

    const PinyinDictionary& dictionary_;
    // By character, one table for each answer to the tone question, in pages of 256 characters
    // made when first needed (a text touches few, and fresh memory is slow to touch). An entry
    // without pinyin is not looked up yet, since a lookup never gives an empty text.
    std::array<Page, 256> withTones_, withoutTones_;
};

}  // namespace sorvani
