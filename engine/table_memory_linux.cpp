#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "table_memory.h"

namespace sorvani {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

void* AllocateTable(size_t bytes) {
    if (bytes < kHugePage) return ::operator new(bytes);
    // The size a whole number of huge pages, as aligned_alloc asks.
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* table = std::aligned_alloc(kHugePage, rounded);
    if (!table) throw std::bad_alloc();
    // Only advice: without huge pages the table is in small ones.
    madvise(table, rounded, MADV_HUGEPAGE);
    return table;
}

void FreeTable(void* table, size_t bytes) {
    if (bytes < kHugePage)
        ::operator delete(table);
    else
        std::free(table);
}

}  // namespace sorvani
