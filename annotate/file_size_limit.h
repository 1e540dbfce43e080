#pragma once

namespace sorvani::annotate {

// Makes a write past the user's limit on file sizes (ulimit -f) fail as any failed write does,
// with a message and the old file kept, instead of ending the program with a signal. Call once
// at the start.
void TreatFileSizeLimitAsWriteError();

}  // namespace sorvani::annotate
