#include "word_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#include "checksum.h"
#include "file_messages.h"
#include "path_text.h"
#include "utf8.h"

namespace sorvani {
namespace {

constexpr std::string_view kMagic = "SVWORDS2";
// The checksum covers the bytes from here to the end.
constexpr size_t kChecksumEnd = 16;

// Reads the file's fields in order; every read past the end or of a value out of range is a
// damaged file.
class Reader {
  public:
    Reader(std::string_view bytes, const std::string& name) : bytes_(bytes), name_(name) {}

    [[noreturn]] void Fail(const std::string& why) const {
        throw WordTableError(WordTableError::Kind::Damaged,
                             "Damaged word table (" + why + "): " + name_, name_);
    }
    std::string_view Bytes(size_t count) {
        if (count > bytes_.size() - at_) Fail("it ends early");
        const auto part = bytes_.substr(at_, count);
        at_ += count;
        return part;
    }
    template <typename T>
    std::vector<T> Numbers(size_t count) {
        if (count > (bytes_.size() - at_) / sizeof(T)) Fail("it ends early");
        std::vector<T> numbers(count);
        const auto* byte = reinterpret_cast<const unsigned char*>(bytes_.data() + at_);
        if constexpr (std::endian::native == std::endian::little) {
            // The file's order: the numbers are its bytes.
            if (count > 0) std::memcpy(numbers.data(), byte, count * sizeof(T));
        } else {
            for (auto& number : numbers) {
                uint64_t value = 0;
                for (size_t b = 0; b < sizeof(T); ++b) value |= uint64_t{*byte++} << (8 * b);
                number = static_cast<T>(value);
            }
        }
        at_ += count * sizeof(T);
        return numbers;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

  private:
    std::string_view bytes_;
    const std::string& name_;
    size_t at_ = 0;
};

template <typename T>
void PutNumber(std::string& out, T value) {
    for (size_t b = 0; b < sizeof(T); ++b)
        out.push_back(static_cast<char>((static_cast<uint64_t>(value) >> (8 * b)) & 0xFF));
}

// Checks the magic and the size the header declares, and returns that size.
size_t DeclaredSize(Reader& reader) {
    if (reader.Bytes(kMagic.size()) != kMagic) reader.Fail("not a word table");
    const size_t size = reader.Numbers<uint32_t>(1)[0];
    if (size < kWordTableHeaderBytes || size > kLargestWordTable)
        reader.Fail("a size no word table has");
    return size;
}

}  // namespace

WordTable WordTable::Load(const std::filesystem::path& file) {
    const std::string name = PathText(file);
    std::error_code error;
    const auto unreadable = [&] {
        return WordTableError(WordTableError::Kind::Unreadable, FileUnreadableMessage(file, error),
                              name);
    };
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw WordTableError(WordTableError::Kind::Missing, FileNotFoundMessage(file), name);
    // Only a regular file surely ends, and opening a pipe waits for its writer.
    if (status.type() != std::filesystem::file_type::regular)
        throw error ? unreadable()
                    : WordTableError(WordTableError::Kind::NotRegularFile,
                                     NotRegularFileMessage(file), name);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw unreadable();
    const auto readMore = [&](std::string& bytes, size_t upTo) {
        const size_t had = bytes.size();
        bytes.resize(upTo);
        in.read(bytes.data() + had, static_cast<std::streamsize>(upTo - had));
        bytes.resize(had + static_cast<size_t>(in.gcount()));
        if (in.bad()) throw unreadable();
    };
    // The header tells the size, so that no more than the table is read, whatever the file holds.
    std::string bytes;
    readMore(bytes, kWordTableHeaderBytes);
    if (bytes.size() == kWordTableHeaderBytes) {
        Reader header(bytes, name);
        readMore(bytes, DeclaredSize(header) + 1);  // one more byte tells a longer file
    }
    return Parse(bytes, name);
}

WordTable WordTable::Parse(std::string_view bytes, const std::string& name) {
    Reader reader(bytes, name);
    const size_t size = DeclaredSize(reader);
    if (size != bytes.size())
        reader.Fail(size > bytes.size() ? "it ends early" : "bytes after its end");
    if (reader.Numbers<uint32_t>(1)[0] != Crc32(bytes.substr(kChecksumEnd)))
        reader.Fail("its checksum does not match its contents");
    const auto counts = reader.Numbers<uint32_t>(4);
    const uint32_t syllableCount = counts[0], wordCount = counts[2], unitCount = counts[3];
    if (syllableCount > std::numeric_limits<SyllableId>::max()) reader.Fail("too many syllables");
    if (kWordTableHeaderBytes + uint64_t{counts[1]} + 4 * (uint64_t{wordCount} + 1) +
            4 * uint64_t{unitCount} !=
        size)
        reader.Fail("counts that do not fit its size");

    WordTable table;
    const auto syllableText = reader.Bytes(counts[1]);
    size_t start = 0;
    while (start < syllableText.size()) {
        const size_t end = syllableText.find('\n', start);
        if (end == std::string_view::npos) reader.Fail("a syllable without its line end");
        auto syllable = DecodeUtf8(syllableText.substr(start, end - start));
        if (!syllable || syllable->empty()) reader.Fail("a syllable that is no text");
        table.syllables_.push_back(std::move(*syllable));
        start = end + 1;
    }
    if (table.syllables_.size() != syllableCount) reader.Fail("wrong syllable count");

    table.offsets_ = reader.Numbers<uint32_t>(size_t{wordCount} + 1);
    table.units_ = reader.Numbers<char16_t>(unitCount);
    table.readings_ = reader.Numbers<SyllableId>(unitCount);
    if (!reader.AtEnd()) reader.Fail("bytes after its end");
    // Every word within the units before any is looked at.
    if (table.offsets_.front() != 0 || table.offsets_.back() != unitCount)
        reader.Fail("word offsets out of range");
    for (uint32_t word = 0; word < wordCount; ++word) {
        const uint32_t from = table.offsets_[word], to = table.offsets_[word + 1];
        if (to < from || to - from < 2) reader.Fail("a word too short");
    }
    for (uint32_t word = 0; word < wordCount; ++word) {
        if (word > 0 && !(table.Text(word - 1) < table.Text(word)))
            reader.Fail("words out of order");
        table.longest_ = std::max(table.longest_, table.WordLength(word));
    }
    for (const SyllableId id : table.readings_)
        if (id == 0 || id > syllableCount) reader.Fail("a syllable number out of range");

    if (wordCount > kWordMask) reader.Fail("too many words");
    table.IndexPrefixes();
    for (uint32_t word = 0; word < wordCount; ++word) {
        const char16_t first = table.units_[table.offsets_[word]];
        const size_t bit = PairBit(first, table.units_[table.offsets_[word] + 1]);
        table.firstUnits_[first / 64] |= uint64_t{1} << (first % 64);
        table.firstPairs_[bit / 64] |= uint64_t{1} << (bit % 64);
    }
    return table;
}

std::string WordTable::Serialise(const std::vector<Word>& words) {
    std::vector<std::u16string> syllables;
    for (const auto& word : words)
        syllables.insert(syllables.end(), word.syllables.begin(), word.syllables.end());
    std::sort(syllables.begin(), syllables.end());
    syllables.erase(std::unique(syllables.begin(), syllables.end()), syllables.end());

    std::string syllableText;
    for (const auto& syllable : syllables) syllableText += EncodeUtf8(syllable) + "\n";
    size_t unitCount = 0;
    for (const auto& word : words) unitCount += word.text.size();

    std::string out(kMagic);
    out.append(8, '\0');  // size and checksum, written by Seal
    for (const size_t count : {syllables.size(), syllableText.size(), words.size(), unitCount})
        PutNumber(out, static_cast<uint32_t>(count));
    out += syllableText;
    uint32_t offset = 0;
    PutNumber(out, offset);
    for (const auto& word : words)
        PutNumber(out, offset += static_cast<uint32_t>(word.text.size()));
    for (const auto& word : words)
        for (const char16_t unit : word.text) PutNumber(out, static_cast<uint16_t>(unit));
    for (const auto& word : words) {
        for (const auto& syllable : word.syllables) {
            const auto at = std::lower_bound(syllables.begin(), syllables.end(), syllable);
            PutNumber(out, static_cast<SyllableId>(at - syllables.begin() + 1));
        }
    }
    Seal(out);
    return out;
}

void WordTable::Seal(std::string& bytes) {
    std::string fields;
    PutNumber(fields, static_cast<uint32_t>(bytes.size()));
    bytes.replace(kMagic.size(), 4, fields);
    fields.clear();
    PutNumber(fields, Crc32(std::string_view(bytes).substr(kChecksumEnd)));
    bytes.replace(kChecksumEnd - 4, 4, fields);
}

void WordTable::IndexPrefixes() {
    size_t keys = 0;
    for (uint32_t word = 0; word < size(); ++word) keys += WordLength(word) - 1;
    // At most half full, so that a search that finds nothing, the commonest, reads a slot or two.
    size_t slots = 4;
    while (slots < 2 * keys) slots *= 2;
    prefixes_.assign(slots, 0);
    prefixMask_ = slots - 1;
    for (uint32_t word = 0; word < size(); ++word) {
        const std::u16string_view text = Text(word);
        uint64_t hash = HashStep(kUnitHashSeed, text[0]);
        for (size_t k = 1; k < text.size(); ++k) {
            hash = HashStep(hash, text[k]);
            const bool ends = k + 1 == text.size();
            const uint64_t check = hash >> 32 << 32;
            size_t at = hash & prefixMask_;
            while (prefixes_[at] != 0 &&
                   ((prefixes_[at] >> 32 << 32) != check || (ends && (prefixes_[at] & kEndsWord))))
                at = (at + 1) & prefixMask_;
            prefixes_[at] |= check | (ends ? kEndsWord | word : kGoesOn);
        }
    }
}

WordTable::Match WordTable::SearchLongest(std::u16string_view text) const {
    Match best;
    uint64_t hash = HashStep(HashStep(kUnitHashSeed, text[0]), text[1]);
    for (size_t length = 2;; ++length) {
        bool goesOn = false;
        for (size_t at = hash & prefixMask_; prefixes_[at] != 0; at = (at + 1) & prefixMask_) {
            const uint64_t slot = prefixes_[at];
            if ((slot >> 32) != (hash >> 32)) continue;
            goesOn = goesOn || (slot & kGoesOn);
            const auto word = static_cast<uint32_t>(slot & kWordMask);
            if ((slot & kEndsWord) && Text(word) == text.substr(0, length)) best = {length, word};
        }
        if (!goesOn || length == text.size()) return best;
        hash = HashStep(hash, text[length]);
    }
}

std::u16string_view WordTable::Text(uint32_t word) const {
    return {units_.data() + offsets_[word], WordLength(word)};
}

std::span<const SyllableId> WordTable::Readings(uint32_t word) const {
    return {readings_.data() + offsets_[word], WordLength(word)};
}

std::filesystem::path WordTableFilePath(const std::filesystem::path& programDirectory) {
    return programDirectory / kWordTableFileName;
}

}  // namespace sorvani
