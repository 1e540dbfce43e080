// Any dictionary a file can hold with any UTF-16 text: the window's annotate command and
// sorvani-annotate, which lays the text out as a stream in pieces of sizes chosen from the input,
// give the same bytes, or both stop (an empty syllable); neither writes a lone surrogate.
//
// The input: a count of records, the records' fields and then the text. A field is a length and
// that many code page 936 codes, one byte below 0x80 and two from there on, as the dictionary file
// stores them: codes without a character are dropped, as the file's reader drops them.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "annotation_run.h"
#include "annotation_stream.h"
#include "column_ruler.h"
#include "cp936.h"
#include "pinyin_memo.h"
#include "text_output_box.h"
#include "utf16.h"
#include "utf8.h"

namespace {

using namespace sorvani;

class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    std::u16string Field() {
        std::u16string field;
        for (int length = Byte() % 16; length > 0; --length) {
            int32_t code = Byte();
            if (code >= 0x80) code = code << 8 | Byte();
            if (const auto character = cp936::CharacterOf(code)) field += *character;
        }
        return field;
    }

    std::u16string Rest() {
        std::u16string text;
        for (; at_ + 1 < size_; at_ += 2)
            text += static_cast<char16_t>(data_[at_] | data_[at_ + 1] << 8);
        return text;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// The window's bytes, or nothing when the run stops.
std::optional<std::string> RunText(PinyinMemo& pinyin, std::u16string_view text, int16_t toneFlag) {
    ColumnRuler ruler;
    TextOutputBox output;
    AnnotatedLinePair pair;
    try {
        RunAnnotation(text, toneFlag, pair, {pinyin, ruler, output});
    } catch (const AnnotationFailure&) {
        return std::nullopt;
    }
    const std::u16string& out = output.Text();
    for (size_t i = 0; i < out.size(); i += utf16::CharacterLength(out, i))
        if (utf16::IsSurrogate(out[i]) && utf16::CharacterLength(out, i) == 1) __builtin_trap();
    return EncodeUtf8(out);
}

// The tool's bytes, or nothing when the stream stops.
std::optional<std::string> StreamedText(PinyinMemo& pinyin, std::u16string_view text,
                                        int16_t toneFlag, uint32_t seed) {
    ColumnRuler ruler;
    std::string out;
    AnnotationStream stream(pinyin, ruler, toneFlag,
                            [&out](std::string_view bytes) { out += bytes; });
    try {
        while (!text.empty()) {
            seed = seed * 1103515245 + 12345;
            const size_t size = std::min<size_t>(1 + (seed >> 16) % 200, text.size());
            stream.Add(text.substr(0, size));
            text.remove_prefix(size);
        }
        stream.Finish();
    } catch (const AnnotationFailure&) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const uint8_t first = input.Byte();
    PinyinDictionary dictionary;
    for (int records = first % 8; records > 0; --records)
        dictionary.Append({input.Field(), input.Field(), input.Field(), input.Field()});
    const std::u16string text = input.Rest();
    const int16_t toneFlag = first & 0x80 ? kWithTones : kWithoutTones;
    // One memo for both, as the tool has: it holds what the dictionary gives, not the layout.
    PinyinMemo pinyin(dictionary);
    if (RunText(pinyin, text, toneFlag) != StreamedText(pinyin, text, toneFlag, size))
        __builtin_trap();
    return 0;
}
