#pragma once

#include <cstddef>
#include <string_view>

namespace sorvani {

// The first place from `from` on whose unit is a lexicon unit (IsLexiconUnit) when `wanted` is
// true, or is none when it is false; text.size() when no such place follows. Prose changes
// between Han characters and other units every few units, so eight are looked at at once.
size_t FindLexiconUnit(std::u16string_view text, size_t from, bool wanted);

}  // namespace sorvani
