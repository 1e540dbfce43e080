#pragma once

#include <cstddef>

namespace sorvani {

// Memory for a table of megabytes that a run reads all over: on Linux in huge pages where the
// system allows them, so that the table costs one page fault rather than one per 4 KB (each a
// few microseconds in a virtual machine, milliseconds in all at every start). Its bytes are left
// as they come. Throws std::bad_alloc.
void* AllocateTable(size_t bytes);
void FreeTable(void* table, size_t bytes);

}  // namespace sorvani
