// Prints the reading that the annotate command gives each character, one line of output per
// line of input, for measuring the readings against other converters.
//
//   choose-readings --dictionary VeRevor.dll [--words VeRevorWords.dat] [--sandhi] < text
//
// Input UTF-8; each output line holds one entry per UTF-16 unit of its input line, separated by
// spaces: the syllable with tone marks of a character that the dictionary or a word reads, "-"
// for any other unit.
#include <iostream>
#include <string>

#include "context_readings.h"
#include "dictionary_file.h"
#include "utf8.h"

int main(int argc, char* argv[]) {
    using namespace sorvani;
    std::filesystem::path dictionaryFile, wordsFile;
    ReadingOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--dictionary" && i + 1 < argc) {
            dictionaryFile = argv[++i];
        } else if (option == "--words" && i + 1 < argc) {
            wordsFile = argv[++i];
            options.byWord = true;
        } else if (option == "--sandhi") {
            options.toneChange = true;
        } else {
            std::cerr << "usage: choose-readings --dictionary FILE [--words FILE] [--sandhi]\n";
            return 2;
        }
    }
    try {
        PinyinDictionary dictionary;
        LoadPinyinDictionary(dictionary, dictionaryFile);
        ContextReadings readings(wordsFile);
        const ReadingChooser* chooser = readings.RebuildChooser(options, dictionary);
        std::string line;
        while (std::getline(std::cin, line)) {
            const std::u16string text = DecodeUtf8(line).value_or(u"");
            const auto chosen = chooser ? chooser->DecideAll(text) : std::vector<SyllableId>();
            std::string out;
            for (size_t i = 0; i < text.size(); ++i) {
                if (i) out += ' ';
                const int row = dictionary.FindRow(text[i]);
                if (!chosen.empty() && chosen[i])
                    out += EncodeUtf8(chooser->Syllable(chosen[i]));
                else
                    out += row ? EncodeUtf8(dictionary.Cell(row, 3)) : "-";
            }
            std::cout << out << '\n';
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "choose-readings: " << error.what() << "\n";
        return 1;
    }
}
