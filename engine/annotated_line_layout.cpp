#include "annotated_line_layout.h"

#include "character_width.h"
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

}  // namespace

// The character line gets exactly the columns that the entry takes on the pinyin line, so that
// every later syllable stays over its character: a syllable counts a column for each letter, a
// character that stands for itself its own columns, and the space after either one more.
Placing Spelled(std::u16string_view character, bool wide, std::u16string_view pinyin) {
    Placing placing;
    placing.pinyin.append(pinyin).append(kSpaces.substr(0, 1));
    placing.spelling.append(character);
    const size_t characterColumns = wide ? 2 : 1;
    const bool itself = pinyin.size() == 1 && !character.empty() && character[0] == pinyin[0];
    const size_t entryColumns = (itself ? characterColumns : pinyin.size()) + 1;
    placing.spelling.append(entryColumns - characterColumns, u' ');
    return placing;
}

Placing PlacingOf(std::u16string_view character, PinyinMemo& memo, int16_t toneFlag,
                  const std::u16string* chosen) {
    std::u16string replaced;
    if (utf16::CharacterLength(character, 0) == 1 && utf16::IsSurrogate(character[0])) {
        // A lone surrogate half is placed as U+FFFD.
        replaced = u"\uFFFD";
        character = replaced.append(character.substr(1));
    }
    const char32_t base = utf16::CharacterAt(character, 0);
    // Marks with no character before them on the line stand alone, in no column.
    if (IsJoiningMark(base)) return {false, {}, std::u16string(character)};
    if (base > 0xFFFF) {
        // Looked up as "?", as the code page writes it, in the columns the font draws it in.
        return Spelled(character, CharacterColumns(base) == 2, memo.Lookup(u'?', toneFlag).pinyin);
    }
    const CharacterPinyin& entry = memo.Lookup(static_cast<char16_t>(base), toneFlag);
    if (entry.pinyin.empty()) return {};
    if (entry.pinyin[0] == u'\r' || entry.pinyin[0] == u'\n') return {true, {}, {}};
    return Spelled(character, entry.wide, chosen && entry.wide ? *chosen : entry.pinyin);
}

namespace {

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

    // A character with the marks that join it.
    void LayOut(std::u16string_view character, SyllableId chosen) {
        const Placing placing =
            PlacingOf(character, tools_.pinyin, toneFlag_,
                      chosen ? &tools_.chooser->Shown(chosen, toneFlag_) : nullptr);
        if (placing.lineEnd) {
            FlushLineEnd(pair_, tools_.output);
        } else {
            pair_.PinyinBuffer.append(placing.pinyin);
            pair_.CharLine.append(placing.spelling);
        }
        if (tools_.ruler.Width(pair_.CharLine) > kWrapWidth) Wrap(pair_);
    }

  private:
    const int16_t toneFlag_;
    AnnotatedLinePair& pair_;
    const LayoutTools& tools_;
};

}  // namespace

void LayoutAnnotatedText(std::u16string_view text, int64_t remaining, int16_t toneFlag,
                         AnnotatedLinePair& pair, const LayoutTools& tools,
                         std::span<const SyllableId> chosen) {
    LineLayout layout(toneFlag, pair, tools);
    for (size_t i = 0; i < text.size();) {
        const size_t length = ClusterLength(text, i);
        layout.LayOut(text.substr(i, length), chosen.empty() ? 0 : chosen[i]);
        i += length;
    }
    if (remaining == 0) FlushFinal(pair, tools.output);
}

}  // namespace sorvani
