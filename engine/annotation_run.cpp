#include "annotation_run.h"

#include <algorithm>

#include "character_width.h"
#include "utf16.h"

namespace sorvani {

size_t ChunkLength(std::u16string_view text, size_t position) {
    const size_t length = std::min(kChunkLength, text.size() - position);
    const size_t end = position + length;
    if (end == text.size()) return length;
    // A chunk that would end between the halves of a pair ends before the pair instead.
    size_t cut = end;
    if (utf16::IsHighSurrogate(text[cut - 1]) && utf16::IsLowSurrogate(text[cut])) --cut;
    // Nor does it part a character from the marks that join it, unless they fill the chunk.
    if (IsJoiningMark(utf16::CharacterAt(text, cut))) {
        size_t base = cut;
        do {
            --base;
            if (base > position && utf16::IsLowSurrogate(text[base]) &&
                utf16::IsHighSurrogate(text[base - 1]))
                --base;
        } while (base > position && IsJoiningMark(utf16::CharacterAt(text, base)));
        if (base > position) cut = base;
    }
    return cut - position;
}

namespace {

// The units the chooser decides between two looks at the stop token.
constexpr size_t kDecideWindow = size_t{1} << 16;

// The chooser's syllables for the whole text, decided a window at a time (equal to deciding it
// at once), so that a stop is heeded soon in a long text; nothing once a stop is requested.
std::vector<SyllableId> DecideUnlessStopped(const ReadingChooser& chooser, std::u16string_view text,
                                            std::stop_token stop) {
    std::vector<SyllableId> all;
    all.reserve(text.size());
    std::vector<SyllableId> decided;
    while (all.size() < text.size()) {
        if (stop.stop_requested()) return {};
        // One unit before the undecided ones is their context.
        const size_t begin = all.empty() ? 0 : all.size() - 1;
        const std::u16string_view window = text.substr(begin, kDecideWindow);
        chooser.Decide(window, all.size() - begin, begin + window.size() == text.size(), decided);
        all.insert(all.end(), decided.begin(), decided.end());
    }
    return all;
}

}  // namespace

bool RunAnnotation(std::u16string_view text, int16_t toneFlag, AnnotatedLinePair& pair,
                   const LayoutTools& tools, const AnnotationProgress& progress,
                   std::stop_token stop) {
    tools.output.Clear();
    pair.Clear();
    const auto total = static_cast<int64_t>(text.size());
    const std::vector<SyllableId> chosen =
        tools.chooser ? DecideUnlessStopped(*tools.chooser, text, stop) : std::vector<SyllableId>();
    size_t position = 0;
    while (position < text.size()) {
        if (progress) progress(static_cast<int64_t>(position), total);
        if (stop.stop_requested()) return false;
        const size_t length = ChunkLength(text, position);
        const std::u16string_view chunk = text.substr(position, length);
        const auto chunkChosen =
            chosen.empty() ? std::span<const SyllableId>()
                           : std::span<const SyllableId>(chosen).subspan(position, length);
        position += length;
        LayoutAnnotatedText(chunk, total - static_cast<int64_t>(position), toneFlag, pair, tools,
                            chunkChosen);
    }
    return true;
}

}  // namespace sorvani
