// Any bytes as a stored field: decoding never fails, and encoding what came out decodes to it
// again.
#include <string>

#include "dictionary_field.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string stored(reinterpret_cast<const char*>(data), size);
    const std::u16string plain = sorvani::DecodeDictionaryField(stored, sorvani::DictionaryKey);
    const std::string again = sorvani::EncodeDictionaryField(plain, sorvani::DictionaryKey);
    if (sorvani::DecodeDictionaryField(again, sorvani::DictionaryKey) != plain) __builtin_trap();
    return 0;
}
