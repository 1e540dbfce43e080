#include "annotation_stream.h"

#include <algorithm>
#include <cstddef>

#include "annotated_line_layout.h"
#include "annotation_run.h"
#include "character_width.h"
#include "utf16.h"
#include "utf8.h"

namespace sorvani {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Output gathered before it is passed on.
constexpr size_t kOutputPiece = 1 << 16;
// Units after a chunk's start that decide where the chunk ends (see ChunkLength).
constexpr size_t kChunkLookahead = kChunkLength + 2;

}  // namespace

AnnotationStream::AnnotationStream(PinyinMemo& pinyin, Ruler& ruler, int16_t toneFlag, Writer write,
                                   const ReadingChooser* chooser)
    : pinyin_(pinyin),
      ruler_(ruler),
      toneFlag_(toneFlag),
      write_(std::move(write)),
      chooser_(chooser),
      bytes_(kPadding, '\0') {}

bool AnnotationStream::LearnJoins(char16_t unit) {
    Known& known = EntryOf(unit);
    known.joins = IsJoiningMark(unit) ? 2 : 1;
    if (known.joins == 1 && !utf16::IsSurrogate(unit)) places_[unit] |= kFollows;
    return known.joins == 2;
}

uint32_t AnnotationStream::Keep(std::u16string_view text, uint16_t& length) {
    bytes_.resize(bytes_.size() - kPadding);
    const auto offset = static_cast<uint32_t>(bytes_.size());
    bytes_ += EncodeUtf8(text);
    length = static_cast<uint16_t>(bytes_.size() - offset);
    bytes_.append(kPadding, '\0');
    return offset;
}

const AnnotationStream::Known& AnnotationStream::LearnPlacing(char16_t unit) {
    Known& known = EntryOf(unit);
    const std::u16string_view character(&unit, 1);
    const Placing placing = PlacingOf(character, pinyin_, toneFlag_);
    known.placed = true;
    known.lineEnd = placing.lineEnd;
    known.width = placing.lineEnd ? 0 : static_cast<int32_t>(ruler_.Width(placing.spelling));
    known.pinyin = Keep(placing.pinyin, known.pinyinLength);
    known.spelling = Keep(placing.spelling, known.spellingLength);
    if (!placing.lineEnd && known.pinyinLength <= kPadding && known.spellingLength <= kPadding) {
        places_[unit] |= kCopied;
        std::memcpy(known.pinyinBlock, bytes_.data() + known.pinyin, kPadding);
        std::memcpy(known.spellingBlock, bytes_.data() + known.spelling, kPadding);
    }
    // Where PlacingOf would show a chosen syllable: a looked-up wide character, which
    // starts its spelling.
    known.takesChosen = chooser_ && !placing.lineEnd && !placing.pinyin.empty() &&
                        pinyin_.Lookup(unit, toneFlag_).wide;
    if (known.takesChosen) {
        known.characterLength = static_cast<uint8_t>(EncodeUtf8(character).size());
        known.characterWidth = static_cast<int32_t>(ruler_.Width(character));
    }
    return known;
}

const AnnotationStream::KnownSyllable& AnnotationStream::Chosen(SyllableId id) {
    if (id >= knownSyllables_.size()) knownSyllables_.resize(id + 1);
    KnownSyllable& known = knownSyllables_[id];
    if (known.placed) return known;
    const Placing placing = Spelled({}, true, chooser_->Shown(id, toneFlag_));
    known.placed = true;
    known.spacingWidth = static_cast<int32_t>(ruler_.Width(placing.spelling));
    known.pinyin = Keep(placing.pinyin, known.pinyinLength);
    known.spacing = Keep(placing.spelling, known.spacingLength);
    known.copied = known.pinyinLength <= kPadding && known.spacingLength <= kPadding;
    return known;
}

void AnnotationStream::Add(std::u16string_view text) {
    AddBy([text](std::u16string& pending) { pending.append(text); });
}

void AnnotationStream::Added(size_t before) {
    if (text_.size() == before) return;
    any_ = true;
    if (chooser_) Choose(false);
    LayOutChunks(false);
}

void AnnotationStream::Finish() {
    if (chooser_) Choose(true);
    LayOutChunks(true);
    if (any_) {
        EndPair(kLineEnd);
        any_ = false;
    }
    PassOn();
}

// Decides the units that the chooser can decide with the text so far, with the unit before them
// as context.
void AnnotationStream::Choose(bool atEnd) {
    const size_t from = chosen_.empty() ? 0 : chosen_.size() - 1;
    chooser_->Decide(std::u16string_view(text_).substr(from), chosen_.size() - from, atEnd,
                     decision_);
    chosen_.insert(chosen_.end(), decision_.begin(), decision_.end());
}

// In the run's chunks: the layout does not join a mark to a character of an earlier chunk. With
// a chooser, only chunks whose units are all decided.
void AnnotationStream::LayOutChunks(bool last) {
    const std::u16string_view text = text_;
    const size_t ready = chooser_ ? chosen_.size() : text.size();
    size_t start = kept_;
    while (start < text.size() && (last || text.size() - start >= kChunkLookahead)) {
        const size_t length = ChunkLength(text, start);
        if (start + length > ready) break;
        LayOutChunk(text.substr(start, length),
                    chooser_ ? std::span<const SyllableId>(chosen_).subspan(start, length)
                             : std::span<const SyllableId>());
        start += length;
    }
    // The chooser reads the unit before those it decides.
    kept_ = chooser_ && start > 0 ? 1 : 0;
    const size_t done = start - kept_;
    text_.erase(0, done);
    if (chooser_) chosen_.erase(chosen_.begin(), chosen_.begin() + static_cast<ptrdiff_t>(done));
}

// Called for every character: the line's end and its wrapping, which are rare, go elsewhere.
inline void AnnotationStream::Place(bool lineEnd, std::string_view pinyin,
                                    std::string_view spelling, int64_t width,
                                    std::string_view spacing) {
    if (lineEnd) return EndPair({});
    out_.Append(pinyin);
    characterLine_.Append(spelling);
    if (!spacing.empty()) characterLine_.Append(spacing);
    lineWidth_ += width;
    // The wrapped pair is final: the layout keeps it at the start of the pinyin line until the
    // line ends, and passes it on first.
    if (lineWidth_ > kWrapWidth) EndPair(kLineEnd);
}

void AnnotationStream::EndPair(std::string_view after) {
    const std::string_view characters = characterLine_.text();
    char* end = out_.Room(kLineEnd.size() + characters.size() + after.size());
    end = std::copy(kLineEnd.begin(), kLineEnd.end(), end);
    end = std::copy(characters.begin(), characters.end(), end);
    out_.EndAt(std::copy(after.begin(), after.end(), end));
    characterLine_.clear();
    lineWidth_ = 0;
    if (out_.text().size() >= kOutputPiece) PassOn();
}

// The chunk is a view of text_, so that the unit after it can be read (the next chunk's first, or
// the string's terminating NUL).
void AnnotationStream::LayOutChunk(std::u16string_view chunk, std::span<const SyllableId> chosen) {
    for (size_t at = 0;; at = LayOutUnit(chunk, chosen.empty() ? 0 : chosen[at], at)) {
        at =
            chosen.empty() ? PlaceRun<false>(chunk, chosen, at) : PlaceRun<true>(chunk, chosen, at);
        if (at == chunk.size()) return;
    }
}

// The commonest case, a character that stands alone (no surrogate, no joining mark after it) and
// whose pieces are copied as blocks, for as many units from `at` on as there are: the ends of the
// lines stay in registers, which the bytes written would otherwise make the compiler reload after
// every copy. The unit after the chunk is looked at as if it were in it: when it may not follow,
// the chunk's last unit is left to LayOutUnit, which places it alike. Returns where it stopped.
template <bool kChosen>
size_t AnnotationStream::PlaceRun(std::u16string_view chunk, std::span<const SyllableId> chosen,
                                  size_t at) {
    const size_t size = chunk.size();
    const Known* known = known_.data();
    const uint32_t* places = places_.data();
    const char* kept = bytes_.data();
    // Room for the rest of the chunk: a block of pinyin a unit, and a character and its spacing.
    char* pinyin = out_.Room((size - at) * kPadding);
    char* characters = characterLine_.Room((size - at) * 2 * kPadding);
    int64_t width = lineWidth_;
    for (; at < size; ++at) {
        const uint32_t place = places[chunk[at]];
        if (!(place & kCopied) || !(places[chunk.data()[at + 1]] & kFollows)) break;
        const Known& unit = known[place & kPlace];
        const SyllableId id = kChosen ? chosen[at] : 0;
        if (kChosen && id && unit.takesChosen) {
            if (id >= knownSyllables_.size() || !knownSyllables_[id].copied) break;
            const KnownSyllable& syllable = knownSyllables_[id];
            std::memcpy(pinyin, kept + syllable.pinyin, kPadding);
            pinyin += syllable.pinyinLength;
            std::memcpy(characters, unit.spellingBlock, kPadding);
            characters += unit.characterLength;
            std::memcpy(characters, kept + syllable.spacing, kPadding);
            characters += syllable.spacingLength;
            width += unit.characterWidth + syllable.spacingWidth;
        } else {
            std::memcpy(pinyin, unit.pinyinBlock, kPadding);
            pinyin += unit.pinyinLength;
            std::memcpy(characters, unit.spellingBlock, kPadding);
            characters += unit.spellingLength;
            width += unit.width;
        }
        if (width > kWrapWidth) {
            out_.EndAt(pinyin);
            characterLine_.EndAt(characters);
            EndPair(kLineEnd);
            // The character line is empty now, with the room it had; the output has grown.
            pinyin = out_.Room((size - at) * kPadding);
            characters = characterLine_.Room(0);
            width = 0;
        }
    }
    out_.EndAt(pinyin);
    characterLine_.EndAt(characters);
    lineWidth_ = width;
    return at;
}

// Any other unit: a character placed alone for the first time, at a line end or with pieces too
// long for blocks, or a cluster. Returns where the next one starts.
size_t AnnotationStream::LayOutUnit(std::u16string_view chunk, SyllableId id, size_t at) {
    const char16_t unit = chunk[at];
    if (!utf16::IsSurrogate(unit) &&
        (at + 1 == chunk.size() || (!utf16::IsSurrogate(chunk[at + 1]) && !Joins(chunk[at + 1])))) {
        const Known& known = PlacedAlone(unit);
        if (id && known.takesChosen) {
            const KnownSyllable& syllable = Chosen(id);
            Place(false, Kept(syllable.pinyin, syllable.pinyinLength),
                  Kept(known.spelling, known.characterLength),
                  known.characterWidth + syllable.spacingWidth,
                  Kept(syllable.spacing, syllable.spacingLength));
        } else {
            Place(known.lineEnd, Kept(known.pinyin, known.pinyinLength),
                  Kept(known.spelling, known.spellingLength), known.width);
        }
        return at + 1;
    }
    const size_t length = ClusterLength(chunk, at);
    LayOutCluster(chunk.substr(at, length), id);
    return at + length;
}

void AnnotationStream::LayOutCluster(std::u16string_view cluster, SyllableId chosen) {
    const Placing placing = PlacingOf(cluster, pinyin_, toneFlag_,
                                      chosen ? &chooser_->Shown(chosen, toneFlag_) : nullptr);
    const int64_t width = placing.lineEnd ? 0 : ruler_.Width(placing.spelling);
    const std::string pinyin = EncodeUtf8(placing.pinyin), spelling = EncodeUtf8(placing.spelling);
    cluster_.assign(pinyin).append(kPadding, '\0').append(spelling).append(kPadding, '\0');
    const std::string_view pieces = cluster_;
    Place(placing.lineEnd, pieces.substr(0, pinyin.size()),
          pieces.substr(pinyin.size() + kPadding, spelling.size()), width);
}

void AnnotationStream::PassOn() {
    if (out_.text().empty()) return;
    write_(out_.text());
    out_.clear();
}

}  // namespace sorvani
