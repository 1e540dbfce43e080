#include "annotated_line_layout.h"

#include <exception>

#include "utf16.h"

namespace sorvani {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
// The spacing is cut from this, in as many pieces as a long syllable needs.
constexpr std::u16string_view kSpaces = u"        ";

void FlushLineEnd(AnnotatedLinePair& pair, OutputBox& output) {
    output.Append(pair.PinyinBuffer);
    output.Append(kLineEnd);
    output.Append(pair.CharLine);
    pair.Clear();
}

void FlushFinal(AnnotatedLinePair& pair, OutputBox& output) {
    FlushLineEnd(pair, output);
    output.Append(kLineEnd);
}

// Pinyin and spacing for one character: a single-letter syllable over a double-byte character
// leaves the character line one column wider, which the narrower spacing takes back.
void Place(std::u16string_view character, bool doubleByte, std::u16string_view pinyin,
           AnnotatedLinePair& pair) {
    pair.PinyinBuffer.append(pinyin).append(kSpaces.substr(0, 1));
    pair.CharLine.append(character);
    size_t spacing = doubleByte && pinyin.size() != 1 ? pinyin.size() - 1 : pinyin.size();
    for (; spacing > kSpaces.size(); spacing -= kSpaces.size()) pair.CharLine.append(kSpaces);
    pair.CharLine.append(kSpaces.substr(0, spacing));
}

void Wrap(AnnotatedLinePair& pair) {
    pair.CharLine.append(kLineEnd);
    pair.PinyinBuffer.append(kLineEnd);
    pair.PinyinBuffer.append(pair.CharLine);
    pair.CharLine.clear();
}

class LineLayout {
  public:
    LineLayout(int16_t toneFlag, AnnotatedLinePair& pair, const LayoutTools& tools)
        : toneFlag_(toneFlag), pair_(pair), tools_(tools) {}

    void LayOut(std::u16string_view character) {
        if (character.size() == 1 && utf16::IsSurrogate(character[0])) character = u"\uFFFD";
        // A character outside the code page's plane is looked up as "?", as the code page
        // writes it.
        const CharacterPinyin& entry =
            tools_.pinyin.Lookup(character.size() == 1 ? character[0] : u'?', toneFlag_);
        const std::u16string& pinyin = entry.pinyin;

        if (!pinyin.empty()) {
            if (pinyin[0] == u'\r' || pinyin[0] == u'\n') {
                FlushLineEnd(pair_, tools_.output);
                measured_ = 0;
            } else {
                Place(character, entry.doubleByte, pinyin, pair_);
            }
        }
        const int64_t width = tools_.ruler.Width(pair_.CharLine, measured_);
        measured_ = pair_.CharLine.size();
        if (width > kWrapWidth) {
            Wrap(pair_);
            measured_ = 0;
        }
    }

  private:
    const int16_t toneFlag_;
    AnnotatedLinePair& pair_;
    const LayoutTools& tools_;
    // Units of the character line at its last measurement; the line has only grown since.
    size_t measured_ = 0;
};

}  // namespace

std::optional<std::string> LayoutAnnotatedText(std::u16string_view text, int64_t remaining,
                                               int16_t toneFlag, AnnotatedLinePair& pair,
                                               const LayoutTools& tools) {
    try {
        LineLayout layout(toneFlag, pair, tools);
        for (size_t i = 0; i < text.size();) {
            const size_t length = utf16::CharacterLength(text, i);
            layout.LayOut(text.substr(i, length));
            i += length;
            tools.events.Yield();
        }
        tools.events.Yield();
        if (remaining == 0) FlushFinal(pair, tools.output);
    } catch (const std::exception& failure) {
        return failure.what();
    }
    return std::nullopt;
}

}  // namespace sorvani
