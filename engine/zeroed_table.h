#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace sorvani {

// A table of zeroed entries that the system gives page by page as they are first touched (calloc
// maps a large block fresh), each entry starting on a cache line: calloc's own alignment, 16 bytes
// past a page's start for a mapped block, would part every entry of 64 bytes between two lines,
// two misses of the nearest cache where one would do. For types whose zero bytes are a valid value.
template <typename Entry>
class ZeroedTable {
  public:
    explicit ZeroedTable(size_t size) : memory_(std::calloc(size * sizeof(Entry) + kCacheLine, 1)) {
        if (!memory_) throw std::bad_alloc();
        const auto address = reinterpret_cast<uintptr_t>(memory_.get());
        entries_ = reinterpret_cast<Entry*>((address + kCacheLine - 1) & ~(kCacheLine - 1));
    }

    Entry& operator[](size_t index) { return entries_[index]; }
    const Entry* data() const { return entries_; }

  private:
    static constexpr uintptr_t kCacheLine = 64;
    struct Free {
        void operator()(void* memory) const { std::free(memory); }
    };

    std::unique_ptr<void, Free> memory_;
    Entry* entries_;
};

}  // namespace sorvani
