#pragma once

#include <cstdint>

namespace sorvani {

// A hash of a text built a unit at a time, so that each beginning of a word has its own hash on
// the way to the word's: the lexicon file and the word table's index of beginnings are keyed by
// it. The lexicon file holds bits of these hashes, so they must never change.
inline constexpr uint64_t kUnitHashSeed = 0xCBF29CE484222325ull;

inline uint64_t HashStep(uint64_t hash, char16_t unit) {
    hash = (hash ^ unit) * 0x100000001B3ull;
    // A strong mix, so that both a table's slot (low bits) and its check (high bits) spread.
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 29);
}

}  // namespace sorvani
