#pragma once

#include <array>
#include <cstdint>
#include <deque>
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

    // Throws as LookupPinyin does. The answer stays where it is as long as the memo.
    const CharacterPinyin& Lookup(char16_t character, int16_t toneFlag) {
        if (const auto& page = Places(toneFlag)[character >> 8])
            if (const uint32_t place = page[character & 0xFF]) return known_[place - 1];
        return LookUpAndKeep(character, toneFlag);
    }

  private:
    using Page = std::unique_ptr<uint32_t[]>;

    std::array<Page, 256>& Places(int16_t toneFlag) {
        return toneFlag == kWithTones ? withTones_ : withoutTones_;
    }
    const CharacterPinyin& LookUpAndKeep(char16_t character, int16_t toneFlag);

    const PinyinDictionary& dictionary_;
    // The answers in the order they were first asked for, each where it was put.
    std::deque<CharacterPinyin> known_;
    // By character, one table for each answer to the tone question, in pages of 256 characters
    // made when first needed: the place of the answer in known_, counted from 1 (0 when not
    // looked up yet). A page of places is small, where a page of answers would take kilobytes
    // of fresh memory, slow to touch, for each 256 characters of the ideographs a text meets.
    std::array<Page, 256> withTones_, withoutTones_;
};

}  // namespace sorvani
