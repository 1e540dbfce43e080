#include "utf8.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const std::u16string text = u"a é 中 \U0001F600 \uFFFF";
    const std::string bytes = EncodeUtf8(text);
    EXPECT_EQ(bytes, "a \xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80 \xEF\xBF\xBF");
    EXPECT_EQ(DecodeUtf8(bytes), text);
}

TEST(Utf8, RejectsWhatIsNotUtf8) {
    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xE4\xB8", "\x80", "\xFF", "\xD6\xD0"})
        EXPECT_FALSE(DecodeUtf8(bad).has_value()) << bad;
}

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(EncodeUtf8(u"\xD83D"
                         "x"),
              "\xEF\xBF\xBDx");
    EXPECT_EQ(EncodeUtf8(u"\xDE00"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace sorvani
