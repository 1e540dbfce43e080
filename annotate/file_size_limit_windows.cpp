#include "file_size_limit.h"

namespace sorvani::annotate {

// Windows has no limit on file sizes that ends a program: a write past the disk's room fails.
void TreatFileSizeLimitAsWriteError() {}

}  // namespace sorvani::annotate
