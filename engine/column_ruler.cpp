#include "column_ruler.h"

#include "cp936.h"
#include "utf16.h"

namespace sorvani {

int64_t ColumnRuler::Width(std::u16string_view line) {
    int64_t bytes = 0;
    for (size_t i = 0; i < line.size();) {
        const size_t length = utf16::CharacterLength(line, i);
        bytes += length == 1 ? cp936::ByteLength(line[i]) : 1;
        i += length;
    }
    return bytes * kTwipsPerByte;
}

}  // namespace sorvani
