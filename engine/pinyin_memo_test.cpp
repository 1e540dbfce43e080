#include "pinyin_memo.h"

#include <gtest/gtest.h>

#include "annotation_failure.h"
#include "character_width.h"
#include "cp936.h"

namespace sorvani {
namespace {

TEST(PinyinMemo, AnswersAsTheLookupForEveryCharacterAndToneFlag) {
    PinyinDictionary dictionary;
    dictionary.Append({u"中", u"重", u"ZHŌNG", u"zhong"});
    dictionary.Append({u"好", u"好", u"", u"hao"});
    PinyinMemo memo(dictionary);
    const CharacterPinyin& first = memo.Lookup(u'中', kWithTones);
    for (int16_t flag : {kWithTones, kWithoutTones, int16_t{1}}) {
        for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
            const auto ch = static_cast<char16_t>(unit);
            const int16_t code = cp936::CodeOf(ch);
            std::u16string expected;
            try {
                expected = LookupPinyin(dictionary, code, flag);
            } catch (const AnnotationFailure&) {
                EXPECT_THROW(memo.Lookup(ch, flag), AnnotationFailure);
                EXPECT_THROW(memo.Lookup(ch, flag), AnnotationFailure);  // not remembered
                continue;
            }
            for (int again = 0; again < 2; ++again) {
                ASSERT_EQ(memo.Lookup(ch, flag).pinyin, expected) << unit << " " << flag;
                // Two bytes in the code page, or drawn wide outside it.
                ASSERT_EQ(memo.Lookup(ch, flag).wide,
                          cp936::ByteLength(ch) == 2 ||
                              (code == cp936::kUnencodable && CharacterColumns(ch) == 2))
                    << unit;
            }
        }
    }
    EXPECT_EQ(memo.Lookup(u'重', kWithTones).pinyin, u"Zhōng");
    // Where it was, after every other answer.
    EXPECT_EQ(&memo.Lookup(u'中', kWithTones), &first);
    EXPECT_EQ(first.pinyin, u"Zhōng");
}

}  // namespace
}  // namespace sorvani
