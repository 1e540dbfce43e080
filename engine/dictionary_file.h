#pragma once

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

#include "pinyin_dictionary.h"

namespace sorvani {

inline constexpr const char* kDictionaryFileName = "VeRevor.dll";
// Far more than 25000 records take: a larger file (an endless device, say) is no dictionary.
inline constexpr size_t kDictionaryByteLimit = 16 << 20;

// Why the dictionary file could not be loaded; what() names the file and, where it applies,
// the record.
class DictionaryError : public std::runtime_error {
  public:
    enum class Kind { FileMissing, FileUnreadable, InputPastEnd, TooManyRecords, TooLarge };

    DictionaryError(Kind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

// The dictionary file in the given program directory.
std::filesystem::path DictionaryFilePath(const std::filesystem::path& programDirectory);

// Reads every record of the file into the next rows of the table, unscrambling each field with
// DictionaryKey. Throws DictionaryError; the rows stored before a failure stay.
void LoadPinyinDictionary(PinyinDictionary& table, const std::filesystem::path& file);

// Reads records from a stream, as LoadPinyinDictionary does from a file; name is the file's
// name for messages.
void ReadDictionaryRecords(PinyinDictionary& table, std::streambuf& input, const std::string& name);

// Writes one record in the file's format: four scrambled, quoted fields and CR LF.
void WriteDictionaryRecord(std::ostream& out, const DictionaryRecord& record);

}  // namespace sorvani
