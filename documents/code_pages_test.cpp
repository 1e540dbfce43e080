#include "code_pages.h"

#include <gtest/gtest.h>

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

TEST(CodePages, FontCharacterSets) {
    EXPECT_EQ(CodePageOfCharset(134), 936);
    EXPECT_EQ(CodePageOfCharset(0), 1252);
    EXPECT_EQ(CodePageOfCharset(128), 932);
    EXPECT_EQ(CodePageOfCharset(204), 1251);
    // DEFAULT_CHARSET and unknown sets leave the document's code page in force.
    EXPECT_EQ(CodePageOfCharset(1), 0);
    EXPECT_EQ(CodePageOfCharset(99), 0);
}

TEST(CodePages, DecodesTheCommonCodePages) {
    EXPECT_EQ(DecodeCodePage(936, "\xD6\xD0\xCE\xC4"), u"中文"_s);
    EXPECT_EQ(DecodeCodePage(65001, "\xE4\xB8\xAD"), u"中"_s);
    EXPECT_EQ(DecodeCodePage(1252, "caf\xE9 \x80\x93"), u"café €“"_s);
    EXPECT_EQ(DecodeCodePage(1251, "\xC0\xE1"), u"Аб"_s);
    EXPECT_EQ(DecodeCodePage(932, "\x91\x76\x91\xCC"), u"宋体"_s);
    EXPECT_EQ(DecodeCodePage(950, "\xA4\xA4\xA4\xE5"), u"中文"_s);
    EXPECT_EQ(DecodeCodePage(949, "\xC7\xD1"), u"한"_s);
}

TEST(CodePages, BytesThatAreNoCharacterBecomeReplacementsAndTheRestIsKept) {
    // A lead byte at the end, or before a byte that cannot follow it.
    EXPECT_EQ(DecodeCodePage(950, "a\xA4"), u"a\uFFFD"_s);
    EXPECT_EQ(DecodeCodePage(950, "\xA4 b\xA4\xA4"), u"\uFFFD b中"_s);
    // Each piece stands alone: what one leaves unfinished is not finished by the next.
    CodePageDecoders decoders;
    EXPECT_EQ(decoders.Decode(949, "\xC7"), u"\uFFFD"_s);
    EXPECT_EQ(decoders.Decode(949, "\xD1 a"), u"\uFFFD a"_s);
    EXPECT_EQ(decoders.Decode(949, "\xC7\xD1"), u"한"_s);
}

TEST(CodePages, UnknownCodePagesReadAsWestern) {
    EXPECT_EQ(DecodeCodePage(12345, "caf\xE9"), u"café"_s);
    EXPECT_EQ(DecodeCodePage(-1, "a"), u"a"_s);
}

}  // namespace
}  // namespace sorvani::documents
