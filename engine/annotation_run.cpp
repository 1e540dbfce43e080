#include "annotation_run.h"

#include <algorithm>

#include "utf16.h"

namespace sorvani {
namespace {

size_t ChunkLength(std::u16string_view text, size_t position) {
    const size_t length = std::min(kChunkLength, text.size() - position);
    const size_t end = position + length;
    // A chunk that would end between the halves of a pair ends before the pair instead.
    if (end < text.size() && utf16::IsHighSurrogate(text[end - 1]) &&
        utf16::IsLowSurrogate(text[end]))
        return length - 1;
    return length;
}

}  // namespace

void RunAnnotation(std::u16string_view text, int16_t toneFlag, AnnotatedLinePair& pair,
                   const LayoutTools& tools, const AnnotationProgress& progress) {
    tools.output.Clear();
    pair.Clear();
    const auto total = static_cast<int64_t>(text.size());
    size_t position = 0;
    while (position < text.size()) {
        if (progress) progress(static_cast<int64_t>(position), total);
        tools.events.Yield();
        const size_t length = ChunkLength(text, position);
        const std::u16string_view chunk = text.substr(position, length);
        position += length;
        if (auto failure = LayoutAnnotatedText(chunk, total - static_cast<int64_t>(position),
                                               toneFlag, pair, tools))
            throw AnnotationError(*failure);
    }
}

}  // namespace sorvani
