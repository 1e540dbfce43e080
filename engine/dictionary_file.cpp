#include "dictionary_file.h"

#include <fstream>
#include <system_error>

#include "dictionary_field.h"
#include "dictionary_field_reader.h"
#include "path_text.h"

namespace sorvani {
namespace {

void ThrowOpenFailure(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw DictionaryError(DictionaryError::Kind::FileMissing,
                              "File not found: " + PathText(file));
    throw DictionaryError(DictionaryError::Kind::FileUnreadable,
                          "File cannot be read: " + PathText(file));
}

[[noreturn]] void ThrowTooLarge(const std::string& name) {
    throw DictionaryError(DictionaryError::Kind::TooLarge,
                          "More than " + std::to_string(kDictionaryByteLimit >> 20) +
                              " MB, too large for a dictionary: " + name);
}

}  // namespace

std::filesystem::path DictionaryFilePath(const std::filesystem::path& programDirectory) {
    return programDirectory / kDictionaryFileName;
}

void ReadDictionaryRecords(PinyinDictionary& table, std::streambuf& input,
                           const std::string& name) {
    DictionaryFieldReader reader(input, kDictionaryByteLimit);
    for (long record = 1; !reader.AtEnd(); ++record) {
        DictionaryRecord plain;
        for (auto& field : plain) {
            const auto stored = reader.Next();
            if (reader.exhausted()) ThrowTooLarge(name);
            if (!stored)
                throw DictionaryError(
                    DictionaryError::Kind::InputPastEnd,
                    "Input past end of file in record " + std::to_string(record) + ": " + name);
            field = DecodeDictionaryField(*stored, DictionaryKey);
        }
        if (table.full())
            throw DictionaryError(
                DictionaryError::Kind::TooManyRecords,
                "More than " + std::to_string(PinyinDictionary::kRows) + " records: " + name);
        table.Append(std::move(plain));
    }
    if (reader.exhausted()) ThrowTooLarge(name);
}

void LoadPinyinDictionary(PinyinDictionary& table, const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) ThrowOpenFailure(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) ThrowOpenFailure(file);
    ReadDictionaryRecords(table, *in.rdbuf(), PathText(file));
}

void WriteDictionaryRecord(std::ostream& out, const DictionaryRecord& record) {
    for (size_t column = 0; column < record.size(); ++column) {
        if (column) out << ',';
        out << '"' << EncodeDictionaryField(record[column], DictionaryKey) << '"';
    }
    out << "\r\n";
}

}  // namespace sorvani
