#include "binary_streams.h"

namespace sorvani::annotate {

// The streams never translate line ends here.
void UseBinaryStandardStreams() {}

// Terminals take UTF-8 as it is.
bool WriteText(std::FILE* stream, std::string_view utf8) {
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

}  // namespace sorvani::annotate
