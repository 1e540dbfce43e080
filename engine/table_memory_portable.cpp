#include <new>

#include "table_memory.h"

namespace sorvani {

void* AllocateTable(size_t bytes) { return ::operator new(bytes); }

void FreeTable(void* table, size_t) { ::operator delete(table); }

}  // namespace sorvani
