// Any UTF-16 text through the annotation run: it never fails, never writes a lone surrogate, and
// every character of the text stands, in order, in the output.
#include <string>

#include "annotation_run.h"
#include "column_ruler.h"
#include "pinyin_memo.h"
#include "text_output_box.h"
#include "utf16.h"

namespace {

using namespace sorvani;

const PinyinDictionary& Dictionary() {
    static const PinyinDictionary dictionary = [] {
        PinyinDictionary d;
        d.Append({u"中", u"中", u"zhōng", u"zhong"});
        d.Append({u"啊", u"啊", u"a", u"a"});
        d.Append({u"绿", u"綠", u"lǜ", u"lü"});
        return d;
    }();
    return dictionary;
}

bool HasLoneSurrogate(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); i += utf16::CharacterLength(text, i))
        if (utf16::IsSurrogate(text[i]) && utf16::CharacterLength(text, i) == 1) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

    PinyinMemo pinyin(Dictionary());
    ColumnRuler ruler;
    TextOutputBox output;
    AnnotatedLinePair pair;
    RunAnnotation(text, static_cast<int16_t>(size % 2 ? kWithTones : kWithoutTones), pair,
                  {pinyin, ruler, output});
    const std::u16string& out = output.Text();
    if (HasLoneSurrogate(out)) __builtin_trap();

    size_t found = 0;
    for (size_t i = 0; i < text.size(); i += utf16::CharacterLength(text, i)) {
        std::u16string_view character(text.data() + i, utf16::CharacterLength(text, i));
        if (character == u"\r" || character == u"\n") continue;
        if (character.size() == 1 && utf16::IsSurrogate(character[0])) character = u"\uFFFD";
        found = out.find(character, found);
        if (found == std::u16string::npos) __builtin_trap();
        found += character.size();
    }
    return 0;
}
