#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table_memory.h"
#include "unit_hash.h"

// The lexicon: the ordinary words of the language with how often each occurs and its part of
// speech, for cutting a run of Han characters into its likeliest words. It holds no readings.
//
// It is an open-addressing hash table of every word and every beginning of a word, kept in the
// file as it is used, so that loading it is reading it and checking it.
//
// File layout (integers little-endian, no padding):
//   "SVLEXIC1"                      magic
//   u64 checksum of every byte after this field (see Checksum in lexicon.cpp)
//   u32 slot bits B (the table has 2^B slots), u32 longest word in units,
//   u32 cost of a character the lexicon does not hold, u32 tag count T, u32 tag bytes N
//   N bytes: T part-of-speech tags in ASCII, each ended by LF
//   u64 slots[2^B]: 0 for an empty slot, else (see the k* masks below) a key check, whether a
//            word ends here and whether longer words go on, the word's cost and tag
namespace sorvani {

inline constexpr const char* kLexiconFileName = "VeRevorLexicon.dat";

// The units the lexicon's words are made of: the ideographs of the basic plane, which the
// dictionary holds.
inline bool IsLexiconUnit(char16_t unit) {
    // Without a branch per range: prose changes between Han and other units every few units.
    return (static_cast<uint16_t>(unit - 0x3400) <= 0x9FFF - 0x3400) |
           (static_cast<uint16_t>(unit - 0xF900) <= 0xFAFF - 0xF900) | (unit == u'〇');
}

// A word of a piece of text as the lexicon cut it. Left uninitialised where it is made by the
// hundred: clearing arrays of them cost a fifth of the cutting.
struct PieceWord {
    uint32_t start, length;
    uint8_t tag;  // the lexicon's tag; Tags().size() for a character it does not hold
};

class LexiconError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Lexicon {
  public:
    struct Word {
        std::u16string text;
        uint32_t cost = 0;  // -ln(probability) * kCostScale, at most kMostCost
        uint8_t tag = 0;    // index into the tags
    };
    static constexpr uint32_t kCostScale = 256;
    // The fewest times a word of the file was seen; rarer words are left out.
    static constexpr double kLeastFrequency = 5;
    static constexpr uint32_t kMostCost = (1u << 14) - 1;

    Lexicon() = default;

    // Throws LexiconError naming the file when it cannot be read or is damaged.
    static Lexicon Load(const std::filesystem::path& file);
    static Lexicon Parse(std::string_view bytes, const std::string& name);
    // The file's bytes for these words (unique texts of 1 to 255 units) and tags.
    static std::string Serialise(const std::vector<Word>& words,
                                 const std::vector<std::string>& tags, uint32_t unknownCost);
    // The cost of a word seen `frequency` times, given the cost of one seen once.
    static uint32_t CostOf(double frequency, uint32_t unknownCost);

    // Adds a word the file lacks, or leaves it be when it holds it; false when the table has no
    // room left for it.
    bool Add(std::u16string_view text, uint32_t cost, uint8_t tag);

    // One found word: its length in units, cost and tag.
    struct Found {
        uint32_t length, cost;
        uint8_t tag;
    };
    // Calls found(Found) for every word that the text starts with, shortest first.
    template <typename F>
    void WordsAt(std::u16string_view text, F&& found) const {
        if (text.empty()) return;
        // The first unit from a plain array: every place of a text asks for it.
        uint64_t slot = firstUnits_[text[0]];
        uint64_t hash = HashStep(kUnitHashSeed, text[0]);
        const size_t most = std::min<size_t>(text.size(), longest_);
        for (size_t k = 0;;) {
            if (slot & kIsWord) found(FoundIn(slot, k + 1));
            if (!(slot & kGoesOn) || ++k == most) return;
            hash = HashStep(hash, text[k]);
            slot = Look(hash);
        }
    }
    // The most units Cut takes at once.
    static constexpr size_t kLongestCut = 128;
    // Cuts the text, of at most kLongestCut units, into its likeliest words: the path of least
    // cost through every word it holds, a unit it lacks costing UnknownCost() as a word of tag
    // noTag; of equally likely paths, the one with the longer first word. Writes the words, in
    // order, to the start of `words` and returns how many there are.
    size_t Cut(std::u16string_view text, uint8_t noTag,
               std::array<PieceWord, kLongestCut>& words) const;
    // Asks ahead for the slots that Add or Holds will read for the text, so that the misses of
    // several words overlap.
    void Prefetch(std::u16string_view text) const {
        uint64_t hash = kUnitHashSeed;
        for (const char16_t unit : text) PrefetchSlot(hash = HashStep(hash, unit));
    }
    // The word's entry, or nothing.
    bool Holds(std::u16string_view text, Found& entry) const;
    // As Holds, reading the slot of the word alone and of its beginnings only their key bits,
    // which stay in the cache: a word the table holds is always found, and a hash that passes
    // every bit by chance may find one it lacks.
    bool MayHold(std::u16string_view text, Found& entry) const;

    size_t Longest() const { return longest_; }
    uint32_t UnknownCost() const { return unknownCost_; }
    const std::vector<std::string>& Tags() const { return tags_; }
    // The tag's index, or Tags().size() when it has none.
    uint8_t TagIndex(std::string_view tag) const;

  private:
    static constexpr uint64_t kCostMask = kMostCost;
    static constexpr unsigned kTagShift = 14;
    static constexpr uint64_t kTagMask = 0x3F;
    static constexpr uint64_t kIsWord = uint64_t{1} << 20;
    static constexpr uint64_t kGoesOn = uint64_t{1} << 21;
    static constexpr uint64_t kCheckMask = ~((uint64_t{1} << 22) - 1);

    static Found FoundIn(uint64_t slot, size_t length) {
        return Found{static_cast<uint32_t>(length), static_cast<uint32_t>(slot & kCostMask),
                     static_cast<uint8_t>((slot >> kTagShift) & kTagMask)};
    }
    // The slot holding the key, 0 when none does.
    uint64_t Find(uint64_t hash) const {
        const uint64_t check = hash & kCheckMask;
        for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
            const uint64_t slot = slots_[at];
            // One branch, nearly always taken: two would each be mispredicted at random.
            if ((slot == 0) | ((slot & kCheckMask) == check)) return slot;
        }
    }
    // False when no key has the hash: its slot need not be read.
    bool MayHold(uint64_t hash) const {
        const uint64_t bit = KeyBit(hash);
        return (keyBits_[bit / 64] >> (bit % 64)) & 1;
    }
    // The slot holding the key, 0 when none does, read only when the key's bit is set.
    uint64_t Look(uint64_t hash) const { return MayHold(hash) ? Find(hash) : 0; }
    // The key bit of a hash, or of a slot, which holds the hash's check.
    static uint64_t KeyBit(uint64_t hashOrSlot) {
        return (hashOrSlot >> kKeyBitShift) & (kKeyBits - 1);
    }
    void NoteKey(uint64_t slot) {
        const uint64_t bit = KeyBit(slot);
        keyBits_[bit / 64] |= uint64_t{slot != 0} << (bit % 64);
    }
    void PrefetchSlot(uint64_t hash) const {
#if defined(__GNUC__) && defined(__x86_64__)
        // GCC drops __builtin_prefetch in a loop that does nothing else.
        asm volatile("prefetcht0 %0" : : "m"(slots_[hash & mask_]));
#elif defined(__GNUC__)
        __builtin_prefetch(&slots_[hash & mask_]);
#else
        (void)hash;
#endif
    }
    uint64_t& SlotFor(uint64_t hash);
    void NoteFirstUnit(char16_t unit) {
        firstUnits_[unit] =
            static_cast<uint32_t>(Find(HashStep(kUnitHashSeed, unit)) & ~kCheckMask);
    }
    // Checks the file's header and tags (`head`), its size and the slots read from it, and takes
    // its fields. Throws LexiconError.
    void Check(std::string_view head, size_t size, const std::string& name);
    // Puts the word in; false when the table is full.
    bool Insert(std::u16string_view text, uint32_t cost, uint8_t tag);

    // Table memory (AllocateTable), left uninitialised: the slots are read over at once.
    template <typename T>
    struct TableAllocator {
        using value_type = T;
        TableAllocator() = default;
        template <typename U>
        TableAllocator(const TableAllocator<U>&) {}
        T* allocate(size_t count) { return static_cast<T*>(AllocateTable(count * sizeof(T))); }
        void deallocate(T* table, size_t count) { FreeTable(table, count * sizeof(T)); }
        template <typename U>
        void construct(U* at) {
            ::new (static_cast<void*>(at)) U;
        }
        template <typename U, typename V>
        void construct(U* at, V&& value) {
            ::new (static_cast<void*>(at)) U(std::forward<V>(value));
        }
        bool operator==(const TableAllocator&) const = default;
    };
    std::vector<uint64_t, TableAllocator<uint64_t>> slots_ =
        std::vector<uint64_t, TableAllocator<uint64_t>>(1, 0);
    // The slot of each one-unit key, without its check.
    std::vector<uint32_t> firstUnits_ = std::vector<uint32_t>(0x10000, 0);
    // A bit for each key by 20 bits of its check: a clear bit rules a key out without reading
    // the table of megabytes, which half the words looked for in prose are not in. 128 KB,
    // which stays in the cache, where a search that finds nothing reads six slots of the table
    // on average. The check's lowest bits, as the slot's place is taken from the hash's.
    static constexpr unsigned kKeyBitShift = 22;
    static constexpr uint64_t kKeyBits = uint64_t{1} << 20;
    std::vector<uint64_t> keyBits_ = std::vector<uint64_t>(kKeyBits / 64, 0);
    uint64_t mask_ = 0;
    size_t used_ = 0;
    size_t longest_ = 0;
    uint32_t unknownCost_ = 0;
    std::vector<std::string> tags_;
};

// The checksum the file carries of every byte after it.
uint64_t LexiconChecksum(std::string_view bytes);

// The lexicon file in the given program directory.
std::filesystem::path LexiconFilePath(const std::filesystem::path& programDirectory);

}  // namespace sorvani
