#include "lexicon.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>

#include "file_messages.h"
#include "path_text.h"

namespace sorvani {
namespace {

constexpr std::string_view kMagic = "SVLEXIC1";
constexpr size_t kChecksumEnd = 16;
constexpr size_t kHeaderSize = kChecksumEnd + 5 * 4;
// Where the header tells how many bytes the tags take.
constexpr size_t kTagBytesField = kChecksumEnd + 4 * 4;
// 2^24 slots are 128 MB: a larger table is no lexicon of this program.
constexpr uint32_t kMostSlotBits = 24;
constexpr size_t kLargestFile = kHeaderSize + (size_t{8} << kMostSlotBits) + 4096;

uint64_t NumberAt(std::string_view bytes, size_t at, size_t size) {
    uint64_t value = 0;
    for (size_t b = 0; b < size; ++b)
        value |= uint64_t{static_cast<unsigned char>(bytes[at + b])} << (8 * b);
    return value;
}

template <typename T>
void PutNumber(std::string& out, T value) {
    for (size_t b = 0; b < sizeof(T); ++b)
        out.push_back(static_cast<char>((static_cast<uint64_t>(value) >> (8 * b)) & 0xFF));
}

// Four lanes of eight bytes, which the processor mixes side by side: checking a table of
// megabytes costs well under a millisecond. Bytes may come in parts: the file's slots are read
// straight into the table, apart from the bytes before them.
class LaneChecksum {
  public:
    void Add(std::string_view bytes) {
        size_ += bytes.size();
        if (held_ > 0) {
            const size_t take = std::min(kBlock - held_, bytes.size());
            std::memcpy(block_ + held_, bytes.data(), take);
            held_ += take;
            bytes.remove_prefix(take);
            if (held_ < kBlock) return;
            MixBlock(block_);
            held_ = 0;
        }
        for (; bytes.size() >= kBlock; bytes.remove_prefix(kBlock)) MixBlock(bytes.data());
        std::memcpy(block_, bytes.data(), bytes.size());
        held_ = bytes.size();
    }
    uint64_t Sum() const {
        uint64_t first = lanes_[0];
        const std::string_view rest(block_, held_);
        for (size_t at = 0; at < rest.size(); at += 8)
            Mix(first, NumberAt(rest, at, std::min<size_t>(8, rest.size() - at)));
        uint64_t sum = size_;
        Mix(sum, first);
        for (size_t lane = 1; lane < 4; ++lane) Mix(sum, lanes_[lane]);
        return sum;
    }

  private:
    static constexpr size_t kBlock = 32;
    static void Mix(uint64_t& lane, uint64_t word) {
        lane = (lane ^ word) * 0x9E3779B97F4A7C15ull;
        lane ^= lane >> 31;
    }
    void MixBlock(const char* block) {
        for (size_t lane = 0; lane < 4; ++lane) {
            uint64_t word;
            if constexpr (std::endian::native == std::endian::little)
                std::memcpy(&word, block + 8 * lane, 8);
            else
                word = NumberAt(std::string_view(block, kBlock), 8 * lane, 8);
            Mix(lanes_[lane], word);
        }
    }

    uint64_t lanes_[4] = {0x84222325CBF29CE4ull, 1, 2, 3};
    char block_[kBlock] = {};
    size_t held_ = 0;
    uint64_t size_ = 0;
};

}  // namespace

uint64_t LexiconChecksum(std::string_view bytes) {
    LaneChecksum sum;
    sum.Add(bytes);
    return sum.Sum();
}

Lexicon Lexicon::Load(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) throw LexiconError(FileNotFoundMessage(file));
    if (!std::filesystem::is_regular_file(status))
        throw LexiconError(error ? FileUnreadableMessage(file, error)
                                 : NotRegularFileMessage(file));
    const auto size = std::filesystem::file_size(file, error);
    if (error) throw LexiconError(FileUnreadableMessage(file, error));
    if (size > kLargestFile)
        throw LexiconError("Damaged lexicon (it is too large): " + PathText(file));
    std::ifstream in(file, std::ios::binary);
    const auto read = [&](char* into, size_t count) {
        if (!in || !in.read(into, static_cast<std::streamsize>(count)))
            throw LexiconError(FileUnreadableMessage(file));
    };
    // The header and the tags first, then the slots straight into the table: copying megabytes
    // and zeroing them first would cost more than the rest of the load.
    std::string head(std::min<size_t>(kHeaderSize, static_cast<size_t>(size)), '\0');
    read(head.data(), head.size());
    if (head.size() == kHeaderSize) {
        const size_t tagBytes = NumberAt(head, kTagBytesField, 4);
        head.resize(std::min<size_t>(kHeaderSize + tagBytes, static_cast<size_t>(size)));
        read(head.data() + kHeaderSize, head.size() - kHeaderSize);
    }
    Lexicon lexicon;
    lexicon.slots_.resize((static_cast<size_t>(size) - head.size()) / 8);
    read(reinterpret_cast<char*>(lexicon.slots_.data()), 8 * lexicon.slots_.size());
    if constexpr (std::endian::native != std::endian::little)
        for (uint64_t& slot : lexicon.slots_)
            slot = NumberAt(std::string_view(reinterpret_cast<const char*>(&slot), 8), 0, 8);
    lexicon.Check(head, static_cast<size_t>(size), PathText(file));
    return lexicon;
}

Lexicon Lexicon::Parse(std::string_view bytes, const std::string& name) {
    Lexicon lexicon;
    const size_t tagBytes = bytes.size() < kHeaderSize ? 0 : NumberAt(bytes, kTagBytesField, 4);
    const std::string_view head = bytes.substr(0, kHeaderSize + tagBytes);
    const std::string_view slotBytes = bytes.substr(head.size());
    lexicon.slots_.resize(slotBytes.size() / 8);
    for (size_t at = 0; at < lexicon.slots_.size(); ++at)
        lexicon.slots_[at] = NumberAt(slotBytes, 8 * at, 8);
    lexicon.Check(head, bytes.size(), name);
    return lexicon;
}

void Lexicon::Check(std::string_view head, size_t size, const std::string& name) {
    const auto fail = [&](const std::string& why) {
        throw LexiconError("Damaged lexicon (" + why + "): " + name);
    };
    if (head.size() < kHeaderSize || head.substr(0, kMagic.size()) != kMagic) fail("not a lexicon");
    const auto field = [&](size_t n) {
        return static_cast<uint32_t>(NumberAt(head, kChecksumEnd + 4 * n, 4));
    };
    const uint32_t slotBits = field(0), tagCount = field(3), tagBytes = field(4);
    // The slots are summed and looked at a stretch at a time, while the stretch is in the cache:
    // the table is larger than the cache, and a second pass would read it from memory again.
    constexpr size_t kStretch = 4096;
    LaneChecksum sum;
    sum.Add(head.substr(kChecksumEnd));
    // What is wrong with a slot in use, by its bits from the tag on (tag, word end, goes on):
    // one look-up a slot, without a branch, where half the slots are empty at random.
    constexpr uint8_t kHoldsNothing = 1, kTagOutOfRange = 2;
    std::array<uint8_t, 256> wrongWith{};
    for (size_t bits = 0; bits < wrongWith.size(); ++bits) {
        const bool word = bits & (kIsWord >> kTagShift), goesOn = bits & (kGoesOn >> kTagShift);
        wrongWith[bits] =
            static_cast<uint8_t>((!word && !goesOn ? kHoldsNothing : 0) |
                                 (word && (bits & kTagMask) >= tagCount ? kTagOutOfRange : 0));
    }
    size_t used = 0;
    uint8_t wrong = 0;
    for (size_t from = 0; from < slots_.size(); from += kStretch) {
        const size_t to = std::min(slots_.size(), from + kStretch);
        if constexpr (std::endian::native == std::endian::little) {
            sum.Add(std::string_view(reinterpret_cast<const char*>(slots_.data() + from),
                                     8 * (to - from)));
        } else {
            for (size_t at = from; at < to; ++at) {
                std::string bytes;
                PutNumber(bytes, slots_[at]);
                sum.Add(bytes);
            }
        }
        for (size_t at = from; at < to; ++at) {
            const uint64_t slot = slots_[at];
            const bool full = slot != 0;
            used += full;
            NoteKey(slot);
            wrong |= static_cast<uint8_t>(wrongWith[(slot >> kTagShift) & 0xFF] * full);
        }
    }
    if (NumberAt(head, kMagic.size(), 8) != sum.Sum()) fail("wrong checksum");
    if (slotBits > kMostSlotBits) fail("too many slots");
    const size_t slotCount = size_t{1} << slotBits;
    if (size != kHeaderSize + size_t{tagBytes} + 8 * slotCount || slots_.size() != slotCount)
        fail("wrong size");

    longest_ = field(1);
    unknownCost_ = field(2);
    if (longest_ == 0 || longest_ > 255) fail("longest word out of range");
    if (unknownCost_ > kMostCost) fail("cost out of range");
    const std::string_view tagText = head.substr(kHeaderSize, tagBytes);
    for (size_t start = 0; start < tagText.size();) {
        const size_t end = tagText.find('\n', start);
        if (end == std::string_view::npos || end == start) fail("a tag without its line end");
        tags_.emplace_back(tagText.substr(start, end - start));
        start = end + 1;
    }
    if (tags_.size() != tagCount || tagCount > kTagMask + 1) fail("wrong tag count");

    mask_ = slotCount - 1;
    used_ = used;
    if (wrong & kHoldsNothing) fail("a slot that holds nothing");
    if (wrong & kTagOutOfRange) fail("a tag out of range");
    // A search ends at an empty slot.
    if (used_ == slotCount) fail("no empty slot");
    // The slot of a unit further on is asked for ahead of each search, so that their misses
    // overlap instead of following one another.
    constexpr char32_t kAhead = 16;
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
        const auto ahead = static_cast<char16_t>(unit + kAhead);
        if (unit + kAhead < 0x10000 && IsLexiconUnit(ahead))
            PrefetchSlot(HashStep(kUnitHashSeed, ahead));
        if (IsLexiconUnit(static_cast<char16_t>(unit))) NoteFirstUnit(static_cast<char16_t>(unit));
    }
}

uint32_t Lexicon::CostOf(double frequency, uint32_t unknownCost) {
    const double cost = unknownCost - std::log(std::max(frequency, 1.0)) * kCostScale;
    return static_cast<uint32_t>(std::clamp(std::lround(cost), 0l, long{kMostCost}));
}

uint64_t& Lexicon::SlotFor(uint64_t hash) {
    const uint64_t check = hash & kCheckMask;
    for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
        uint64_t& slot = slots_[at];
        if (slot == 0) {
            slot = check;
            NoteKey(slot | kIsWord);  // a check of 0 still names a key
            return slot;
        }
        if ((slot & kCheckMask) == check) return slot;
    }
}

bool Lexicon::Insert(std::u16string_view text, uint32_t cost, uint8_t tag) {
    // Every slot the word needs, ahead, so that a full table is not left half changed.
    if (used_ + text.size() > slots_.size() / 4 * 3) return false;
    uint64_t hash = kUnitHashSeed;
    for (size_t k = 0; k < text.size(); ++k) {
        hash = HashStep(hash, text[k]);
        uint64_t& slot = SlotFor(hash);
        if (!(slot & (kIsWord | kGoesOn))) ++used_;
        if (k + 1 < text.size()) {
            slot |= kGoesOn;
        } else {
            slot = (slot & (kCheckMask | kGoesOn)) | kIsWord | (uint64_t{tag} << kTagShift) |
                   std::min(cost, kMostCost);
        }
    }
    longest_ = std::max(longest_, text.size());
    NoteFirstUnit(text[0]);
    return true;
}

bool Lexicon::Add(std::u16string_view text, uint32_t cost, uint8_t tag) {
    Found entry;
    if (text.empty() || text.size() > 255 || Holds(text, entry)) return true;
    return Insert(text, cost, tag);
}

bool Lexicon::Holds(std::u16string_view text, Found& entry) const {
    bool held = false;
    WordsAt(text, [&](const Found& found) {
        if (found.length == text.size()) {
            entry = found;
            held = true;
        }
    });
    return held;
}

bool Lexicon::MayHold(std::u16string_view text, Found& entry) const {
    if (text.empty() || text.size() > longest_) return false;
    uint64_t slot = firstUnits_[text[0]];
    if (text.size() > 1) {
        if (!(slot & kGoesOn)) return false;
        uint64_t hash = HashStep(kUnitHashSeed, text[0]);
        for (size_t k = 1; k < text.size(); ++k)
            if (!MayHold(hash = HashStep(hash, text[k]))) return false;
        slot = Find(hash);
    }
    if (!(slot & kIsWord)) return false;
    entry = FoundIn(slot, text.size());
    return true;
}

size_t Lexicon::Cut(std::u16string_view text, uint8_t noTag,
                    std::array<PieceWord, kLongestCut>& words) const {
    const size_t size = std::min(text.size(), kLongestCut);
    // The slot of each place's first unit, and the hash of its first two units, whose slot is
    // asked for ahead: the table is megabytes, so each slot read is a miss, and asked for all at
    // once the misses of the places overlap.
    std::array<uint32_t, kLongestCut> firstSlots;
    std::array<uint64_t, kLongestCut> pairHashes;
    for (size_t at = 0; at < size; ++at) {
        firstSlots[at] = firstUnits_[text[at]];
        if ((firstSlots[at] & kGoesOn) && at + 1 < size) {
            pairHashes[at] = HashStep(HashStep(kUnitHashSeed, text[at]), text[at + 1]);
            // No word goes on from here when no key has the first two units.
            if (MayHold(pairHashes[at]))
                PrefetchSlot(pairHashes[at]);
            else
                firstSlots[at] &= ~static_cast<uint32_t>(kGoesOn);
        }
    }
    // The least cost from each place to the end, and the first word of that path, from the last
    // place to the first; the words at a place come shortest first, so a tie goes to the longer.
    std::array<uint32_t, kLongestCut + 1> cost;
    std::array<PieceWord, kLongestCut> first;
    cost[size] = 0;
    for (size_t at = size; at-- > 0;) {
        const uint64_t one = firstSlots[at];
        const bool isWord = one & kIsWord;
        uint32_t best = (isWord ? FoundIn(one, 1).cost : unknownCost_) + cost[at + 1];
        PieceWord chosen{static_cast<uint32_t>(at), 1, isWord ? FoundIn(one, 1).tag : noTag};
        const size_t most = std::min(size - at, longest_);
        if ((one & kGoesOn) && most > 1) {
            uint64_t hash = pairHashes[at];
            for (size_t length = 2;; ++length) {
                const uint64_t slot = length == 2 ? Find(hash) : Look(hash);
                if (slot & kIsWord) {
                    const Found word = FoundIn(slot, length);
                    const uint32_t total = word.cost + cost[at + length];
                    if (total <= best) {
                        best = total;
                        chosen = {static_cast<uint32_t>(at), word.length, word.tag};
                    }
                }
                if (!(slot & kGoesOn) || length == most) break;
                hash = HashStep(hash, text[at + length]);
            }
        }
        cost[at] = best;
        first[at] = chosen;
    }
    size_t count = 0;
    for (size_t at = 0; at < size; at += first[at].length) words[count++] = first[at];
    return count;
}

uint8_t Lexicon::TagIndex(std::string_view tag) const {
    return static_cast<uint8_t>(std::find(tags_.begin(), tags_.end(), tag) - tags_.begin());
}

std::string Lexicon::Serialise(const std::vector<Word>& words, const std::vector<std::string>& tags,
                               uint32_t unknownCost) {
    // A table of at least 2^slotBits slots that holds every word. Insert counts every unit of a
    // word against the room left, those it shares too, so a small table may refuse a word that
    // would fit: then the table grows.
    const auto build = [&](uint32_t slotBits) {
        for (;; ++slotBits) {
            Lexicon lexicon;
            lexicon.slots_.assign(size_t{1} << slotBits, 0);
            lexicon.mask_ = lexicon.slots_.size() - 1;
            bool whole = true;
            for (const auto& word : words)
                whole = whole && lexicon.Insert(word.text, word.cost, word.tag);
            if (whole) return lexicon;
        }
    };
    // At most 70% full: 8 slots to a line of the cache, a search that finds nothing, the
    // commonest, still ends in the line it starts in most often, and the table is half the
    // size it is at half full, so that loading, checking and searching it read half the memory.
    // The words the program adds at its start (Add refuses past 75%) have room left.
    const auto bitsFor = [](size_t keys) {
        uint32_t bits = 4;
        while (10 * (size_t{1} << bits) < 14 * keys) ++bits;
        return bits;
    };
    size_t units = 0;
    for (const auto& word : words) units += word.text.size();
    // Words share their beginnings, so the keys are counted in a table large enough for every
    // unit first.
    const Lexicon lexicon = build(bitsFor(build(bitsFor(units)).used_));

    std::string tagText;
    for (const auto& tag : tags) tagText += tag + "\n";
    std::string body;
    for (const uint32_t number :
         {static_cast<uint32_t>(std::countr_zero(lexicon.slots_.size())),
          static_cast<uint32_t>(std::max<size_t>(lexicon.longest_, 1)), unknownCost,
          static_cast<uint32_t>(tags.size()), static_cast<uint32_t>(tagText.size())})
        PutNumber(body, number);
    body += tagText;
    for (const uint64_t slot : lexicon.slots_) PutNumber(body, slot);
    std::string out(kMagic);
    PutNumber(out, LexiconChecksum(body));
    return out + body;
}

std::filesystem::path LexiconFilePath(const std::filesystem::path& programDirectory) {
    return programDirectory / kLexiconFileName;
}

}  // namespace sorvani
