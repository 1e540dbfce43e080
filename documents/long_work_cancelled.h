#pragma once

namespace sorvani {

// Thrown to end a long piece of work at once (an import, an export, the building of a document),
// for instance when the window closes during it. It is no std::exception, so that handlers of
// the work's own failures let it through to the caller.
struct LongWorkCancelled {};

}  // namespace sorvani
