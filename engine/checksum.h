#pragma once

#include <cstdint>
#include <string_view>

namespace sorvani {

// CRC-32 (the one of zip and PNG): it finds every change of one bit and every burst of changes
// within 32 bits, which is what a data file meets on a disk or in a copy.
uint32_t Crc32(std::string_view bytes);

}  // namespace sorvani
