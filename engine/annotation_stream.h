#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pinyin_memo.h"
#include "ruler.h"

namespace sorvani {

// The annotation of a text that arrives in pieces, written as UTF-8 as it goes: the bytes are
// those of RunAnnotation's output box, encoded, for the whole text. It looks ahead no further than
// the run's chunks do and holds only the open pair of lines (a wrapped pair is passed on at once),
// so that memory does not grow with the text.
//
// Each character is placed as the layout places it (PlacingOf); what that gives for a character
// on its own is kept as bytes with its width, so that a long text costs a table access and two
// short copies per character. The ruler must measure a line as the sum of its parts.
class AnnotationStream {
  public:
    using Writer = std::function<void(std::string_view bytes)>;

    // `write` gets the output in pieces of some tens of kilobytes.
    AnnotationStream(PinyinMemo& pinyin, Ruler& ruler, int16_t toneFlag, Writer write);

    // The next piece of the text (CR LF line ends, as the document box holds them); a piece may
    // end anywhere. Throws as the lookup does (an empty pinyin cell).
    void Add(std::u16string_view text);
    // The text has ended: lays out the rest and passes on the last pair, unless the text was
    // empty.
    void Finish();

  private:
    struct Known {
        bool placed = false, lineEnd = false;
        uint8_t joins = 0;  // 0 not known yet, 1 no, 2 a mark that joins the character before it
        uint16_t pinyinLength = 0, spellingLength = 0;
        uint32_t pinyin = 0, spelling = 0;  // offsets in bytes_
        int64_t width = 0;
    };

    bool Joins(char16_t unit);
    const Known& PlacedAlone(char16_t unit);
    void LayOutChunks(bool last);
    void LayOutChunk(std::u16string_view chunk);
    void LayOutCluster(std::u16string_view cluster);
    void Place(bool lineEnd, std::string_view pinyin, std::string_view spelling, int64_t width);
    void PassOn();

    PinyinMemo& pinyin_;
    Ruler& ruler_;
    const int16_t toneFlag_;
    Writer write_;
    std::vector<Known> known_;
    std::string bytes_;
    std::u16string text_;
    std::string pinyinLine_, characterLine_;
    int64_t lineWidth_ = 0;
    bool any_ = false;
    std::string out_;
};

}  // namespace sorvani
