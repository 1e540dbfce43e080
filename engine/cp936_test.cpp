#include "cp936.h"

#include <gtest/gtest.h>

#include <memory>

#include "icu_reference.h"

#ifdef SORVANI_HAVE_ICU
#include <unicode/ucnv.h>
#endif

namespace sorvani::cp936 {
namespace {

#ifdef SORVANI_HAVE_ICU
// Windows' code page 936 as ICU knows it, the reference for the engine's own tables.
class Windows936 {
  public:
    Windows936() {
        UErrorCode status = U_ZERO_ERROR;
        converter_.reset(ucnv_open("windows-936", &status));
        EXPECT_TRUE(U_SUCCESS(status));
    }

    // Signed code of one unit as Windows gives it, 63 when unencodable.
    int16_t Code(char16_t unit) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter_.get());
        ucnv_setFromUCallBack(converter_.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr,
                              nullptr, &status);
        char out[4];
        const UChar in[1] = {unit};
        const int n = ucnv_fromUChars(converter_.get(), out, 4, in, 1, &status);
        // ICU drops default-ignorable characters (n == 0); Windows writes "?" for them.
        if (U_FAILURE(status) || n == 0) return 63;
        const auto b0 = static_cast<unsigned char>(out[0]);
        if (n == 1) return b0;
        return static_cast<int16_t>(b0 << 8 | static_cast<unsigned char>(out[1]));
    }

    std::u16string Decode(const std::string& bytes) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter_.get());
        std::u16string out(bytes.size() + 1, u'\0');
        const int n = ucnv_toUChars(converter_.get(), reinterpret_cast<UChar*>(out.data()),
                                    static_cast<int32_t>(out.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &status);
        out.resize(U_SUCCESS(status) ? n : 0);
        return out;
    }

  private:
    struct Closer {
        void operator()(UConverter* c) const { ucnv_close(c); }
    };
    std::unique_ptr<UConverter, Closer> converter_;
};

// The table that stands in for ICU where it is missing holds what ICU says.
TEST(Cp936, ReferenceTableIsWhatIcuGives) {
    Windows936 icu;
    const icu_reference::Table table;
    for (int u = 0; u <= 0xFFFF; ++u)
        ASSERT_EQ(table.Code(static_cast<char16_t>(u)), icu.Code(static_cast<char16_t>(u))) << u;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string expected = icu.Decode(bytes);
            ASSERT_EQ(table.Decode(bytes), expected.size() == 1 ? expected : u"") << lead << trail;
        }
    }
}
#else
using Windows936 = icu_reference::Table;
#endif

TEST(Cp936, AgreesWithWindowsOverTheWholeBasicPlane) {
    Windows936 windows;
    int mismatches = 0;
    for (int u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<char16_t>(u);
        const int16_t expected = windows.Code(unit);
        if (CodeOf(unit) != expected && ++mismatches <= 10)
            ADD_FAILURE() << "U+" << std::hex << u << " gives " << CodeOf(unit) << ", Windows "
                          << expected;
        EXPECT_EQ(ByteLength(unit), expected < 0 ? 2 : 1);
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Cp936, CharacterOfEveryDoubleByteCodeMatchesWindows) {
    Windows936 windows;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string expected = windows.Decode(bytes);
            const auto ch = CharacterOf(lead << 8 | trail);
            if (expected.size() == 1 && CodeOf(expected[0]) != 63) {
                ASSERT_TRUE(ch.has_value()) << std::hex << lead << trail;
                EXPECT_EQ(*ch, expected[0]);
                // The signed form names the same character.
                EXPECT_EQ(CharacterOf(static_cast<int16_t>(lead << 8 | trail)), ch);
            }
        }
    }
}

TEST(Cp936, KnownCodes) {
    EXPECT_EQ(CodeOf(u'A'), 65);
    EXPECT_EQ(CodeOf(u'\r'), 13);
    EXPECT_EQ(CodeOf(u'\u20AC'), 0x80);             // euro sign, the one single high byte
    EXPECT_EQ(CodeOf(u'\u554A'), int16_t(0xB0A1));  // 啊, the first GB2312 hanzi
    EXPECT_EQ(CodeOf(u'\uFF0C'), int16_t(0xA3AC));  // full-width comma
    EXPECT_EQ(CodeOf(u'\u00E9'), int16_t(0xA8A6));  // é
    EXPECT_EQ(CodeOf(u'\u0E01'), 63);               // Thai: not in the code page
    EXPECT_EQ(CodeOf(u'\xD83D'), 63);               // a surrogate half
}

TEST(Cp936, CharacterOfRejectsWhatHasNoCharacter) {
    EXPECT_EQ(CharacterOf(0), u'\0');
    EXPECT_EQ(CharacterOf(0x41), u'A');
    EXPECT_FALSE(CharacterOf(0x81).has_value());  // a lone lead byte
    EXPECT_FALSE(CharacterOf(0x1234).has_value());
    EXPECT_FALSE(CharacterOf(65536).has_value());
    EXPECT_FALSE(CharacterOf(-32769).has_value());
    EXPECT_EQ(CharacterOf(-20319), u'\u554A');
}

TEST(Cp936, EncodeAndDecodeTexts) {
    const std::u16string text = u"中文 text，\u20AC\r\n";
    const std::string bytes = Encode(text);
    EXPECT_EQ(bytes, "\xD6\xD0\xCE\xC4 text\xA3\xAC\x80\r\n");
    EXPECT_EQ(Decode(bytes), text);
    EXPECT_EQ(Encode(u"\u0E01"), "?");
    // A lead byte with no valid trail, and one at the very end, do not swallow what follows.
    EXPECT_EQ(Decode("\xD6 A\xD6"), u"\uFFFD A\uFFFD");
}

}  // namespace
}  // namespace sorvani::cp936
