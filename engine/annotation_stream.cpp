#include "annotation_stream.h"

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

AnnotationStream::AnnotationStream(PinyinMemo& pinyin, Ruler& ruler, int16_t toneFlag, Writer write)
    : pinyin_(pinyin),
      ruler_(ruler),
      toneFlag_(toneFlag),
      write_(std::move(write)),
      known_(0x10000) {
    out_.reserve(2 * kOutputPiece);
}

bool AnnotationStream::Joins(char16_t unit) {
    Known& known = known_[unit];
    if (known.joins == 0) known.joins = IsJoiningMark(unit) ? 2 : 1;
    return known.joins == 2;
}

const AnnotationStream::Known& AnnotationStream::PlacedAlone(char16_t unit) {
    Known& known = known_[unit];
    if (known.placed) return known;
    const Placing placing = PlacingOf(std::u16string_view(&unit, 1), pinyin_, toneFlag_);
    known.placed = true;
    known.lineEnd = placing.lineEnd;
    known.width = placing.lineEnd ? 0 : ruler_.Width(placing.spelling);
    known.pinyin = static_cast<uint32_t>(bytes_.size());
    bytes_ += EncodeUtf8(placing.pinyin);
    known.pinyinLength = static_cast<uint16_t>(bytes_.size() - known.pinyin);
    known.spelling = static_cast<uint32_t>(bytes_.size());
    bytes_ += EncodeUtf8(placing.spelling);
    known.spellingLength = static_cast<uint16_t>(bytes_.size() - known.spelling);
    return known;
}

void AnnotationStream::Add(std::u16string_view text) {
    if (text.empty()) return;
    any_ = true;
    text_.append(text);
    LayOutChunks(false);
}

void AnnotationStream::Finish() {
    LayOutChunks(true);
    if (any_) {
        out_.append(pinyinLine_).append(kLineEnd).append(characterLine_).append(kLineEnd);
        pinyinLine_.clear();
        characterLine_.clear();
        lineWidth_ = 0;
        any_ = false;
    }
    PassOn();
}

// In the run's chunks: the layout does not join a mark to a character of an earlier chunk.
void AnnotationStream::LayOutChunks(bool last) {
    const std::u16string_view text = text_;
    size_t start = 0;
    while (start < text.size() && (last || text.size() - start >= kChunkLookahead)) {
        const size_t length = ChunkLength(text, start);
        LayOutChunk(text.substr(start, length));
        start += length;
    }
    text_.erase(0, start);
}

void AnnotationStream::LayOutChunk(std::u16string_view chunk) {
    for (size_t i = 0; i < chunk.size();) {
        const char16_t unit = chunk[i];
        // Most characters stand alone: no surrogate, no joining mark after them.
        if (!utf16::IsSurrogate(unit) &&
            (i + 1 == chunk.size() ||
             (!utf16::IsSurrogate(chunk[i + 1]) && !Joins(chunk[i + 1])))) {
            const Known& known = PlacedAlone(unit);
            const std::string_view bytes = bytes_;
            Place(known.lineEnd, bytes.substr(known.pinyin, known.pinyinLength),
                  bytes.substr(known.spelling, known.spellingLength), known.width);
            ++i;
            continue;
        }
        const size_t length = ClusterLength(chunk, i);
        LayOutCluster(chunk.substr(i, length));
        i += length;
    }
}

void AnnotationStream::LayOutCluster(std::u16string_view cluster) {
    const Placing placing = PlacingOf(cluster, pinyin_, toneFlag_);
    const int64_t width = placing.lineEnd ? 0 : ruler_.Width(placing.spelling);
    Place(placing.lineEnd, EncodeUtf8(placing.pinyin), EncodeUtf8(placing.spelling), width);
}

void AnnotationStream::Place(bool lineEnd, std::string_view pinyin, std::string_view spelling,
                             int64_t width) {
    if (lineEnd) {
        out_.append(pinyinLine_).append(kLineEnd).append(characterLine_);
        pinyinLine_.clear();
        characterLine_.clear();
        lineWidth_ = 0;
    } else {
        pinyinLine_.append(pinyin);
        characterLine_.append(spelling);
        lineWidth_ += width;
        if (lineWidth_ > kWrapWidth) {
            // The wrapped pair is final: the layout keeps it at the start of the pinyin line
            // until the line ends, and passes it on first.
            out_.append(pinyinLine_).append(kLineEnd).append(characterLine_).append(kLineEnd);
            pinyinLine_.clear();
            characterLine_.clear();
            lineWidth_ = 0;
        }
    }
    if (out_.size() >= kOutputPiece) PassOn();
}

void AnnotationStream::PassOn() {
    if (out_.empty()) return;
    write_(out_);
    out_.clear();
}

}  // namespace sorvani
