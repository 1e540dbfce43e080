#include "annotated_line_layout.h"

#include <exception>

#include "cp936.h"
#include "pinyin_lookup.h"
#include "utf16.h"

namespace sorvani {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

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
    pair.PinyinBuffer.append(pinyin);
    pair.PinyinBuffer.push_back(u' ');
    pair.CharLine.append(character);
    const size_t spacing = doubleByte && pinyin.size() != 1 ? pinyin.size() - 1 : pinyin.size();
    pair.CharLine.append(spacing, u' ');
}

void Wrap(AnnotatedLinePair& pair) {
    pair.CharLine.append(kLineEnd);
    pair.PinyinBuffer.append(kLineEnd);
    pair.PinyinBuffer.append(pair.CharLine);
    pair.CharLine.clear();
}

void LayOutCharacter(std::u16string_view character, int16_t toneFlag, AnnotatedLinePair& pair,
                     const LayoutTools& tools) {
    if (character.size() == 1 && utf16::IsSurrogate(character[0])) character = u"\uFFFD";
    const bool single = character.size() == 1;
    const int16_t code = single ? cp936::CodeOf(character[0]) : cp936::kUnencodable;
    const std::u16string pinyin = LookupPinyin(tools.dictionary, code, toneFlag);

    if (!pinyin.empty()) {
        if (pinyin[0] == u'\r' || pinyin[0] == u'\n')
            FlushLineEnd(pair, tools.output);
        else
            Place(character, single && cp936::ByteLength(character[0]) == 2, pinyin, pair);
    }
    if (tools.ruler.Width(pair.CharLine) > kWrapWidth) Wrap(pair);
}

}  // namespace

std::optional<std::string> LayoutAnnotatedText(std::u16string_view text, int64_t remaining,
                                               int16_t toneFlag, AnnotatedLinePair& pair,
                                               const LayoutTools& tools) {
    try {
        for (size_t i = 0; i < text.size();) {
            const size_t length = utf16::CharacterLength(text, i);
            LayOutCharacter(text.substr(i, length), toneFlag, pair, tools);
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
