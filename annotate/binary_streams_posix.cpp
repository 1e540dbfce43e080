#include "binary_streams.h"

namespace sorvani::annotate {

// The streams never translate line ends here.
void UseBinaryStandardStreams() {}

}  // namespace sorvani::annotate
