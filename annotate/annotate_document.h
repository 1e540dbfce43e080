#pragma once

#include "options.h"

namespace sorvani::annotate {

// Reads the input, annotates it as the annotate command of the desktop program does and writes
// the result. Throws ToolError, or DictionaryError for a dictionary that cannot be loaded.
void AnnotateDocument(const Options& options);

}  // namespace sorvani::annotate
