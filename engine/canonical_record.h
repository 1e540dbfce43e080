#pragma once

#include <cstddef>
#include <string_view>

#include "pinyin_dictionary.h"

namespace sorvani {

// Reads the record at the start of the bytes when it has the form the dictionary tools write
// (WriteDictionaryRecord): four quoted fields of numbers parted by single spaces, commas between
// them, CR LF after. Such a record is read in one pass, where the general reading of fields costs
// most of a start of the program. Returns the bytes the record takes, its plain fields in
// `record`; 0 for any other form (`record` is then left in no particular state), which the
// general reading reads as it always has, to the same record.
size_t ReadCanonicalRecord(std::string_view bytes, std::string_view key, DictionaryRecord& record);

}  // namespace sorvani
