#pragma once

#include <QString>
#include <cstdint>

namespace sorvani::shell {

// The progress caption of the annotate command: position / total to two decimal places (a tie
// goes to the even digit), as a whole percentage followed by "%". Exact, without floating point,
// so that 1/8 reads 12% and 3/8 reads 38%.
QString PercentCaption(int64_t position, int64_t total);

}  // namespace sorvani::shell
