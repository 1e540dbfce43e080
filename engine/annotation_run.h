#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string_view>

#include "annotated_line_layout.h"

namespace sorvani {

// Chunks handed to the layout are at most this many UTF-16 units long.
inline constexpr size_t kChunkLength = 80;

// Units of the chunk that starts at the position: the run hands the text to the layout in such
// chunks. Looks at no more than kChunkLength + 2 units from the position.
size_t ChunkLength(std::u16string_view text, size_t position);

// Told before each chunk how many UTF-16 units of the text were already laid out, and of how many.
using AnnotationProgress = std::function<void(int64_t position, int64_t total)>;

// Annotates a whole text: empties the output box and the open lines, then hands the text to the
// layout in chunks of at most kChunkLength units (never splitting a surrogate pair, nor a
// character from the marks that join it) together with the number of units after each chunk.
// Afterwards the output box holds the annotated text; a box may also pass it on as it grows.
// Before each chunk it reports the progress; positions count UTF-16 units, as the document box
// does. Throws AnnotationFailure when the layout fails, so that no text is lost silently.
//
// Returns false when a stop was requested: the run ends before the next chunk, the box holding
// what was laid out so far.
//
// With tools.chooser the readings are chosen for the whole text before it is cut into chunks,
// so a chunk border or a wrapped line never splits a word.
bool RunAnnotation(std::u16string_view text, int16_t toneFlag, AnnotatedLinePair& pair,
                   const LayoutTools& tools, const AnnotationProgress& progress = {},
                   std::stop_token stop = {});

}  // namespace sorvani
