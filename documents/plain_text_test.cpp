#include "plain_text.h"

#include <gtest/gtest.h>

namespace sorvani::documents {
namespace {

// A text that starts with U+FFFE or U+FEFF is kept as it is (U+FFFE, a noncharacter, as U+FFFD):
// Qt's own conversion would take that character for a byte-order mark and swap or drop what
// follows.
TEST(DecodePlainText, KeepsAByteOrderCharacterAtTheStartOfTheText) {
    const QString swapped = DecodePlainText(QByteArrayView("\xFE\xFF\xFF\xFE\xD3\x47", 6));
    ASSERT_EQ(swapped.size(), 2);
    EXPECT_EQ(swapped[0].unicode(), 0xFFFD);
    EXPECT_EQ(swapped[1].unicode(), 0xD347);
    const QString kept = DecodePlainText(QByteArrayView("\xFF\xFE\xFF\xFE\x2D\x4E", 6));
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].unicode(), 0xFEFF);
    EXPECT_EQ(kept[1].unicode(), 0x4E2D);
}

}  // namespace
}  // namespace sorvani::documents
