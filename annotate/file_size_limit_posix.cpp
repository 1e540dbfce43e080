#include <csignal>

#include "file_size_limit.h"

namespace sorvani::annotate {

// Ignored, SIGXFSZ leaves the write that passes the limit failing with EFBIG.
void TreatFileSizeLimitAsWriteError() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace sorvani::annotate
