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
#include <bzlib.h>

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
#include "utf8.h"

namespace {

using namespace sorvani;
namespace fs = std::filesystem;

std::string ReadPlain(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The decompressed content of a bzip2 file, all of its streams.
std::string ReadBzip2(const fs::path& file) {
    const std::string packed = ReadPlain(file);
    std::string text;
    bz_stream stream{};
    size_t offset = 0;
    char buffer[1 << 16];
    while (offset < packed.size()) {
        if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK)
            throw std::runtime_error("cannot decompress " + file.string());
        stream.next_in = const_cast<char*>(packed.data() + offset);
        stream.avail_in = static_cast<unsigned>(packed.size() - offset);
        int status = BZ_OK;
        while (status == BZ_OK) {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            status = BZ2_bzDecompress(&stream);
            const size_t produced = sizeof buffer - stream.avail_out;
            text.append(buffer, produced);
            if (status == BZ_OK && stream.avail_in == 0 && produced == 0) break;  // truncated
        }
        offset = packed.size() - stream.avail_in;
        BZ2_bzDecompressEnd(&stream);
        if (status != BZ_STREAM_END)
            throw std::runtime_error("corrupt bzip2 file " + file.string());
    }
    return text;
}

std::istringstream OpenDataFile(const fs::path& dir, const std::string& name) {
    const fs::path plain = dir / name;
    if (fs::exists(plain)) return std::istringstream(ReadPlain(plain));
    const fs::path packed = dir / (name + ".bz2");
    if (fs::exists(packed)) return std::istringstream(ReadBzip2(packed));
    throw std::runtime_error("neither " + plain.string() + " nor " + packed.string() + " exists");
}

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
        for (const char* name : {"Unihan_Readings.txt", "Unihan_Variants.txt"}) {
            auto in = OpenDataFile(unicodeDir, name);
            data.ReadUnihan(in);
        }
        auto unicodeData = OpenDataFile(unicodeDir, "UnicodeData.txt");
        data.ReadUnicodeData(unicodeData);

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
