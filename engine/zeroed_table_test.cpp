#include "zeroed_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace sorvani {
namespace {

// A table large enough that the allocator maps it fresh, where its own alignment falls 16 bytes
// past a line: every entry must still start a cache line, and read as zero until written.
TEST(ZeroedTableTest, EntriesStartCacheLinesAndAreZero) {
    using Entry = std::array<uint8_t, 64>;
    ZeroedTable<Entry> table(0x10000);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(table.data()) % 64, 0u);
    for (const size_t index : {size_t{0}, size_t{0x4E2D}, size_t{0xFFFF}}) {
        EXPECT_EQ(table[index], Entry{}) << index;
        table[index].fill(0xFF);
    }
    EXPECT_EQ(table[0x4E2E], Entry{});
}

}  // namespace
}  // namespace sorvani
