// Scrambles plain dictionary rows into the format of VeRevor.dll.
//
//   encode-dictionary < rows.tsv > VeRevor.dll
//
// Each input line is UTF-8 with four tab-separated fields: the character, its counterpart, the
// syllable with tone marks and the syllable without.
#include <iostream>
#include <sstream>
#include <string>

#include "dictionary_file.h"
#include "utf8.h"

int main() {
    std::ios::sync_with_stdio(false);
    std::ostringstream out;
    std::string line;
    for (long number = 1; std::getline(std::cin, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        sorvani::DictionaryRecord record;
        std::istringstream fields(line);
        size_t column = 0;
        for (std::string field; column < record.size() && std::getline(fields, field, '\t');
             ++column) {
            const auto text = sorvani::DecodeUtf8(field);
            if (!text) {
                std::cerr << "line " << number << ": not UTF-8\n";
                return 1;
            }
            record[column] = *text;
        }
        if (column != record.size()) {
            std::cerr << "line " << number << ": expected 4 tab-separated fields\n";
            return 1;
        }
        try {
            sorvani::WriteDictionaryRecord(out, record);
        } catch (const std::exception& error) {
            std::cerr << "line " << number << ": " << error.what() << "\n";
            return 1;
        }
    }
    std::cout << out.str();
    return std::cout ? 0 : 1;
}
