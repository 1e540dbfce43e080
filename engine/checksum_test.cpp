#include "checksum.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(Crc32, GivesTheStandardCheckValues) {
    EXPECT_EQ(Crc32(""), 0u);
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
}

}  // namespace
}  // namespace sorvani
