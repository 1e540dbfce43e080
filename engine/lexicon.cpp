#include "lexicon.h"

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

}  // namespace

// Four lanes of eight bytes, which the processor mixes side by side: checking a table of
// megabytes costs well under a millisecond.
uint64_t LexiconChecksum(std::string_view bytes) {
    uint64_t lanes[4] = {0x84222325CBF29CE4ull, 1, 2, 3};
    const auto mix = [](uint64_t& lane, uint64_t word) {
        lane = (lane ^ word) * 0x9E3779B97F4A7C15ull;
        lane ^= lane >> 31;
    };
    size_t at = 0;
    for (; at + 32 <= bytes.size(); at += 32) {
        for (size_t lane = 0; lane < 4; ++lane) {
            uint64_t word;
            if constexpr (std::endian::native == std::endian::little)
                std::memcpy(&word, bytes.data() + at + 8 * lane, 8);
            else
                word = NumberAt(bytes, at + 8 * lane, 8);
            mix(lanes[lane], word);
        }
    }
    for (; at < bytes.size(); at += 8)
        mix(lanes[0], NumberAt(bytes, at, std::min<size_t>(8, bytes.size() - at)));
    uint64_t sum = bytes.size();
    for (const uint64_t lane : lanes) mix(sum, lane);
    return sum;
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
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw LexiconError(FileUnreadableMessage(file));
    return Parse(bytes, PathText(file));
}

Lexicon Lexicon::Parse(std::string_view bytes, const std::string& name) {
    const auto fail = [&](const std::string& why) {
        throw LexiconError("Damaged lexicon (" + why + "): " + name);
    };
    if (bytes.size() < kHeaderSize || bytes.substr(0, kMagic.size()) != kMagic)
        fail("not a lexicon");
    if (NumberAt(bytes, kMagic.size(), 8) != LexiconChecksum(bytes.substr(kChecksumEnd)))
        fail("wrong checksum");
    const auto field = [&](size_t n) {
        return static_cast<uint32_t>(NumberAt(bytes, kChecksumEnd + 4 * n, 4));
    };
    const uint32_t slotBits = field(0), tagCount = field(3), tagBytes = field(4);
    if (slotBits > kMostSlotBits) fail("too many slots");
    const size_t slotCount = size_t{1} << slotBits;
    if (bytes.size() != kHeaderSize + size_t{tagBytes} + 8 * slotCount) fail("wrong size");

    Lexicon lexicon;
    lexicon.longest_ = field(1);
    lexicon.unknownCost_ = field(2);
    if (lexicon.longest_ == 0 || lexicon.longest_ > 255) fail("longest word out of range");
    if (lexicon.unknownCost_ > kMostCost) fail("cost out of range");
    const std::string_view tagText = bytes.substr(kHeaderSize, tagBytes);
    for (size_t start = 0; start < tagText.size();) {
        const size_t end = tagText.find('\n', start);
        if (end == std::string_view::npos || end == start) fail("a tag without its line end");
        lexicon.tags_.emplace_back(tagText.substr(start, end - start));
        start = end + 1;
    }
    if (lexicon.tags_.size() != tagCount || tagCount > kTagMask + 1) fail("wrong tag count");

    lexicon.slots_.resize(slotCount);
    const std::string_view slotBytes = bytes.substr(kHeaderSize + tagBytes);
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(lexicon.slots_.data(), slotBytes.data(), slotBytes.size());
    } else {
        for (size_t at = 0; at < slotCount; ++at)
            lexicon.slots_[at] = NumberAt(slotBytes, 8 * at, 8);
    }
    lexicon.mask_ = slotCount - 1;
    for (const uint64_t slot : lexicon.slots_) {
        if (slot == 0) continue;
        ++lexicon.used_;
        if (!(slot & (kIsWord | kGoesOn))) fail("a slot that holds nothing");
        if (((slot >> kTagShift) & kTagMask) >= tagCount && (slot & kIsWord))
            fail("a tag out of range");
    }
    // A search ends at an empty slot.
    if (lexicon.used_ == slotCount) fail("no empty slot");
    for (char32_t unit = 0; unit < 0x10000; ++unit)
        if (IsLexiconUnit(static_cast<char16_t>(unit)))
            lexicon.NoteFirstUnit(static_cast<char16_t>(unit));
    return lexicon;
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
            return slot;
        }
        if ((slot & kCheckMask) == check) return slot;
    }
}

bool Lexicon::Insert(std::u16string_view text, uint32_t cost, uint8_t tag) {
    // Every slot the word needs, ahead, so that a full table is not left half changed.
    if (used_ + text.size() > slots_.size() / 4 * 3) return false;
    uint64_t hash = kSeed;
    for (size_t k = 0; k < text.size(); ++k) {
        hash = Step(hash, text[k]);
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

uint8_t Lexicon::TagIndex(std::string_view tag) const {
    return static_cast<uint8_t>(std::find(tags_.begin(), tags_.end(), tag) - tags_.begin());
}

std::string Lexicon::Serialise(const std::vector<Word>& words, const std::vector<std::string>& tags,
                               uint32_t unknownCost) {
    const auto build = [&](uint32_t slotBits) {
        Lexicon lexicon;
        lexicon.slots_.assign(size_t{1} << slotBits, 0);
        lexicon.mask_ = lexicon.slots_.size() - 1;
        for (const auto& word : words) lexicon.Insert(word.text, word.cost, word.tag);
        return lexicon;
    };
    const auto bitsFor = [](size_t keys) {
        uint32_t bits = 4;
        while ((size_t{1} << bits) < 2 * keys) ++bits;
        return bits;
    };
    size_t units = 0;
    for (const auto& word : words) units += word.text.size();
    // At most half full: a search that finds nothing, the commonest, stops soon. Words share
    // their beginnings, so the keys are counted in a table large enough for every unit first.
    const uint32_t slotBits = bitsFor(build(bitsFor(units)).used_);
    const Lexicon lexicon = build(slotBits);

    std::string tagText;
    for (const auto& tag : tags) tagText += tag + "\n";
    std::string body;
    for (const uint32_t number :
         {slotBits, static_cast<uint32_t>(std::max<size_t>(lexicon.longest_, 1)), unknownCost,
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
