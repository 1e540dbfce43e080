#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "binary_streams.h"

namespace sorvani::annotate {

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace sorvani::annotate
