// Builds the pinyin dictionary VeRevor.dll from the Unicode Han database.
//
//   generate-dictionary [--unicode-dir DIR] [--choices FILE] --output FILE
//   generate-dictionary [--unicode-dir DIR] [--choices FILE] --check FILE
//
// Reads Unihan_Readings.txt, Unihan_Variants.txt and UnicodeData.txt from DIR (default
// /usr/share/unicode, where Debian's unicode-data package puts them), each plain or compressed
// with bzip2 (name.bz2). --output writes the scrambled dictionary; --check compares it with an
// existing file byte for byte and fails when they differ. --choices names the list of readings
// chosen by hand (reading_choices.txt beside this source). A summary goes to standard error.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "dictionary_builder.h"
#include "dictionary_file.h"
#include "unicode_files.h"
#include "utf8.h"

namespace {

using namespace sorvani;
namespace fs = std::filesystem;

std::string Describe(char32_t character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X ", static_cast<unsigned>(character));
    return code + EncodeUtf8(std::u16string(1, static_cast<char16_t>(character)));
}

int Usage() {
    std::cerr << "usage: generate-dictionary [--unicode-dir DIR] [--choices FILE] "
                 "(--output FILE | --check FILE)\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    fs::path unicodeDir = "/usr/share/unicode";
    fs::path output;
    fs::path check;
    fs::path choicesFile;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 == argc) return Usage();
        if (option == "--unicode-dir")
            unicodeDir = argv[++i];
        else if (option == "--output")
            output = argv[++i];
        else if (option == "--check")
            check = argv[++i];
        else if (option == "--choices")
            choicesFile = argv[++i];
        else
            return Usage();
    }
    if (output.empty() == check.empty()) return Usage();

    try {
        UnihanData data;
        ReadUnicodeFolder(data, unicodeDir);

        const ReadingChoices choices =
            choicesFile.empty() ? ReadingChoices{} : ParseReadingChoices(ReadPlain(choicesFile));
        const DictionaryBuild build = BuildDictionary(data, choices);
        std::ostringstream file;
        for (const auto& record : build.records) WriteDictionaryRecord(file, record);

        std::cerr << build.records.size() << " rows; code page 936 ideographs without a reading:";
        for (const char32_t character : build.withoutReading)
            std::cerr << ' ' << Describe(character);
        std::cerr << "\n";

        if (!check.empty()) {
            if (ReadPlain(check) != file.str()) {
                std::cerr << check.string() << " differs from the dictionary built from "
                          << unicodeDir.string() << "; run generate-dictionary --output\n";
                return 1;
            }
            std::cerr << check.string() << " is what the generator writes\n";
            return 0;
        }
        std::ofstream out(output, std::ios::binary);
        out << file.str();
        if (!out.flush()) throw std::runtime_error("cannot write " + output.string());
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "generate-dictionary: " << error.what() << "\n";
        return 1;
    }
}
