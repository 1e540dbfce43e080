#include "path_text.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

std::string Shown(const char8_t* name) { return PathText(std::filesystem::path(name)); }

TEST(PathText, KeepsAMessageOnOneLine) {
    EXPECT_EQ(Shown(u8"汉语 notes.txt"), "汉语 notes.txt");
    EXPECT_EQ(Shown(u8"a\nb\rc\td"), "a\\nb\\rc\\td");
    EXPECT_EQ(Shown(u8"\x1B[2J\x7F"), "\\x1B[2J\\x7F");
    // C1 controls and the Unicode line and paragraph separators.
    EXPECT_EQ(Shown(u8"x\u0085y\u2028z\u2029"), "x\\u0085y\\u2028z\\u2029");
}

#ifndef _WIN32
TEST(PathText, ShowsTheBytesOfANameThatIsNoUtf8) {
    EXPECT_EQ(PathText(std::string("gb\xD6\xD0.txt")), "gb\\xD6\\xD0.txt");
    EXPECT_EQ(PathText(std::string("cut\xE4\xB8")), "cut\\xE4\\xB8");
}
#endif

}  // namespace
}  // namespace sorvani
