#pragma once

#include <stdexcept>

namespace sorvani {

// An annotation that cannot go on: the dictionary has no syllable for a character it holds. Both
// ways of laying out a text throw it, so that no caller reports a run with lost text as a success.
class AnnotationFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace sorvani
