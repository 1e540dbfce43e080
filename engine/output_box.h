#pragma once

#include <string_view>

namespace sorvani {

// The box that collects the annotated text of a run.
class OutputBox {
  public:
    virtual ~OutputBox() = default;
    virtual void Clear() = 0;
    // The box's text becomes its previous text followed by the given text.
    virtual void Append(std::u16string_view text) = 0;
};

}  // namespace sorvani
