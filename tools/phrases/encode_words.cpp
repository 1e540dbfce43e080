// Encodes the word table, resources/VeRevorWords.dat, from its source list words.txt.
//
//   encode-words --words FILE --dictionary VeRevor.dll [--unicode-dir DIR] --output FILE
//   encode-words --words FILE --dictionary VeRevor.dll [--unicode-dir DIR] --check FILE
//
// Every entry is checked against Unihan (from DIR, default /usr/share/unicode) and the
// dictionary first; one that fails stops the run. --check compares the encoded table with an
// existing file byte for byte.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "dictionary_file.h"
#include "unicode_files.h"
#include "unihan_data.h"
#include "utf8.h"
#include "word_list.h"

namespace {

using namespace sorvani;
namespace fs = std::filesystem;

int Usage() {
    std::cerr << "usage: encode-words --words FILE --dictionary FILE [--unicode-dir DIR] "
                 "(--output FILE | --check FILE)\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    fs::path wordsFile, dictionaryFile, unicodeDir = "/usr/share/unicode", output, check;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        fs::path* target = option == "--words"         ? &wordsFile
                           : option == "--dictionary"  ? &dictionaryFile
                           : option == "--unicode-dir" ? &unicodeDir
                           : option == "--output"      ? &output
                           : option == "--check"       ? &check
                                                       : nullptr;
        if (!target) return Usage();
        *target = argv[i + 1];
    }
    if (argc % 2 == 0 || wordsFile.empty() || dictionaryFile.empty() ||
        output.empty() == check.empty())
        return Usage();

    try {
        UnihanData data;
        ReadUnicodeFolder(data, unicodeDir);
        PinyinDictionary dictionary;
        LoadPinyinDictionary(dictionary, dictionaryFile);
        const auto words = ParseWordList(ReadPlain(wordsFile));
        int problems = 0;
        for (const auto& word : words) {
            if (const auto problem = ProblemOf(word, data, dictionary)) {
                std::cerr << EncodeUtf8(word.text) << ": " << *problem << "\n";
                ++problems;
            }
        }
        if (problems) {
            std::cerr << problems << " entries of " << wordsFile.string() << " fail the checks\n";
            return 1;
        }
        const std::string table = WordTable::Serialise(words);
        WordTable::Parse(table, "the encoded table");  // sorted, unique, in range
        std::cerr << words.size() << " words\n";

        if (!check.empty()) {
            if (ReadPlain(check) != table) {
                std::cerr << check.string() << " differs from the table encoded from "
                          << wordsFile.string() << "; run encode-words --output\n";
                return 1;
            }
            std::cerr << check.string() << " is what the encoder writes\n";
            return 0;
        }
        std::ofstream out(output, std::ios::binary);
        out << table;
        if (!out.flush()) throw std::runtime_error("cannot write " + output.string());
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "encode-words: " << error.what() << "\n";
        return 1;
    }
}
