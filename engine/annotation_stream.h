#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pinyin_memo.h"
#include "reading_chooser.h"
#include "ruler.h"
#include "zeroed_table.h"

namespace sorvani {

// The annotation of a text that arrives in pieces, written as UTF-8 as it goes: the bytes are
// those of RunAnnotation's output box, encoded, for the whole text, with the same chooser. It
// looks ahead no further than the run's chunks and the chooser's words do and holds only the open
// pair of lines (a wrapped pair is passed on at once), so that memory does not grow with the text.
//
// Each character is placed as the layout places it (PlacingOf); what that gives for a character
// on its own is kept as bytes with its width, and so is each syllable the chooser gives, so that
// a long text costs a table access and two short copies per character. The ruler must measure a
// line as the sum of its parts.
class AnnotationStream {
  public:
    using Writer = std::function<void(std::string_view bytes)>;

    // `write` gets the output in pieces of some tens of kilobytes. `chooser`, when given, chooses
    // readings by context as it does for the run; it must outlive the stream.
    AnnotationStream(PinyinMemo& pinyin, Ruler& ruler, int16_t toneFlag, Writer write,
                     const ReadingChooser* chooser = nullptr);

    // The next piece of the text (CR LF line ends, as the document box holds them); a piece may
    // end anywhere. Throws AnnotationFailure, as the lookup does (an empty pinyin cell).
    void Add(std::u16string_view text);
    // As Add, for a piece that `append` writes straight onto the text not laid out yet (it is
    // called with the std::u16string to append to), which spares a copy of every piece.
    template <typename Append>
    void AddBy(Append&& append) {
        const size_t before = text_.size();
        append(text_);
        Added(before);
    }
    // The text has ended: lays out the rest and passes on the last pair, unless the text was
    // empty.
    void Finish();

  private:
    // Bytes readable past the end of every piece that goes into a line (see Line).
    static constexpr size_t kPadding = 16;

    // 64 bytes, a cache line, so that a unit's entry is found by a shift and read in one line.
    struct alignas(16) Known {
        bool placed = false, lineEnd = false;
        // The layout shows a chosen syllable over it instead of the dictionary's.
        bool takesChosen = false;
        uint8_t joins = 0;  // 0 not known yet, 1 no, 2 a mark that joins the character before it
        uint8_t characterLength = 0;  // bytes of the character, at the start of its spelling
        uint16_t pinyinLength = 0, spellingLength = 0;
        uint32_t pinyin = 0, spelling = 0;  // offsets in bytes_
        int32_t width = 0, characterWidth = 0;
        // When kCopied: the pinyin and the spelling again, at hand for the copy.
        char pinyinBlock[kPadding], spellingBlock[kPadding];
    };
    static_assert(sizeof(Known) == 64);
    // A chosen syllable over a double-byte character: the pinyin and the spacing after the
    // character.
    struct KnownSyllable {
        bool placed = false;
        // Pinyin and spacing at most kPadding bytes each, copied as blocks.
        bool copied = false;
        uint16_t pinyinLength = 0, spacingLength = 0;
        uint32_t pinyin = 0, spacing = 0;  // offsets in bytes_
        int32_t spacingWidth = 0;
    };

    // A line being built from pieces of a few bytes each. A piece that is at most kPadding bytes
    // long, from a source with kPadding bytes readable from its start, is copied as a block of
    // that size into room kept ahead, which costs far less than a copy of its own length.
    class Line {
      public:
        void Append(std::string_view piece) {
            char* end = Room(piece.size());
            if (piece.size() <= kPadding)
                std::memcpy(end, piece.data(), kPadding);
            else
                std::memcpy(end, piece.data(), piece.size());
            size_ += piece.size();
        }
        // Where the line ends, with room for `bytes` more and kPadding past them.
        char* Room(size_t bytes) {
            if (size_ + bytes + kPadding > room_.size())
                room_.resize(2 * room_.size() + bytes + kPadding);
            return room_.data() + size_;
        }
        // The line now ends here, within the room asked for last.
        void EndAt(const char* end) { size_ = static_cast<size_t>(end - room_.data()); }
        std::string_view text() const { return std::string_view(room_).substr(0, size_); }
        void clear() { size_ = 0; }

      private:
        std::string room_;
        size_t size_ = 0;
    };

    // Keeps the text as UTF-8 in bytes_: its offset there, and its length in `length`.
    uint32_t Keep(std::u16string_view text, uint16_t& length);
    // Bytes kept: valid offsets, so they are not checked again for every character.
    std::string_view Kept(uint32_t offset, uint16_t length) const {
        return std::string_view(bytes_.data() + offset, length);
    }
    // Both are asked for every unit: the answers already known come inline.
    bool Joins(char16_t unit) {
        const Known& known = known_[places_[unit] & kPlace];
        return known.joins ? known.joins == 2 : LearnJoins(unit);
    }
    const Known& PlacedAlone(char16_t unit) {
        const Known& known = known_[places_[unit] & kPlace];
        return known.placed ? known : LearnPlacing(unit);
    }
    // The unit's entry, made when it has none.
    Known& EntryOf(char16_t unit) {
        uint32_t& place = places_[unit];
        if (!(place & kPlace)) place |= ++entries_;
        return known_[place & kPlace];
    }
    bool LearnJoins(char16_t unit);
    const Known& LearnPlacing(char16_t unit);
    const KnownSyllable& Chosen(SyllableId id);
    // Lays out what it can of the text, of which the units from `before` on are new.
    void Added(size_t before);
    void Choose(bool atEnd);
    void LayOutChunks(bool last);
    void LayOutChunk(std::u16string_view chunk, std::span<const SyllableId> chosen);
    template <bool kChosen>
    size_t PlaceRun(std::u16string_view chunk, std::span<const SyllableId> chosen, size_t at);
    size_t LayOutUnit(std::u16string_view chunk, SyllableId id, size_t at);
    void LayOutCluster(std::u16string_view cluster, SyllableId chosen);
    void Place(bool lineEnd, std::string_view pinyin, std::string_view spelling, int64_t width,
               std::string_view spacing = {});
    // The open pair ends: at a line end (the line end's own spelling follows), or wrapped or at
    // the text's end (`after` is then a line end).
    void EndPair(std::string_view after);
    void PassOn();

    PinyinMemo& pinyin_;
    Ruler& ruler_;
    const int16_t toneFlag_;
    Writer write_;
    const ReadingChooser* chooser_;
    // The entries in the order the units are first met, after a blank one, and by unit the place
    // of its entry (0, the blank one, for a unit not met yet) with what the commonest case asks of
    // a unit and the one after it, in zeroed memory that the system gives page by page as it is
    // first touched: a unit costs two accesses with no test whether their pages exist, and a text
    // touches only the pages of the entries it makes. By unit, a text of thousands of ideographs
    // would touch most pages of the entries, each at a cost.
    ZeroedTable<Known> known_{0x10000 + 1};
    enum Place : uint32_t {
        kPlace = 0x1FFFF,
        // Placed alone, it is copied as two blocks (see PlaceRun): placed, no line end, pinyin
        // and spelling at most kPadding bytes each.
        kCopied = 1u << 30,
        // It may follow one placed alone: neither a surrogate half nor a joining mark.
        kFollows = 1u << 31,
    };
    ZeroedTable<uint32_t> places_{0x10000};
    uint32_t entries_ = 0;
    std::vector<KnownSyllable> knownSyllables_;
    // The kept bytes, followed by kPadding zero bytes.
    std::string bytes_;
    // A cluster's pinyin and spelling, each followed by kPadding bytes.
    std::string cluster_;
    // The text not laid out yet; with a chooser, after the last unit laid out, which the chooser
    // reads as context (kept_ is then 1).
    std::u16string text_;
    size_t kept_ = 0;
    // With a chooser: the syllable of each unit of text_ decided so far (the first units), and
    // the chooser's latest decision.
    std::vector<SyllableId> chosen_, decision_;
    Line characterLine_;
    int64_t lineWidth_ = 0;
    bool any_ = false;
    // The output gathered to be passed on, which ends with the open pair's pinyin line: a pair is
    // written with one copy of its character line.
    Line out_;
};

}  // namespace sorvani
