// Encodes the lexicon, resources/VeRevorLexicon.dat, from the word list of jieba (dict.txt:
// "word frequency tag" lines, as Debian's python3-jieba installs it).
//
//   encode-lexicon --jieba dict.txt --output FILE
//   encode-lexicon --jieba dict.txt --check FILE
//
// Every line is checked; one that is not a word, a positive count and a tag stops the run. Words
// of Han characters alone seen at least Lexicon::kLeastFrequency times are kept (rarer words are
// mostly names and rare compounds; leaving them out halves the table); their costs are counted
// against every word of the list. --check compares the encoding with a file byte for byte.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "lexicon.h"
#include "utf8.h"

namespace {

using namespace sorvani;
namespace fs = std::filesystem;

// Longer entries are phrases, not words to cut a text by.
constexpr size_t kLongestWord = 16;

int Usage() {
    std::cerr << "usage: encode-lexicon --jieba FILE (--output FILE | --check FILE)\n";
    return 2;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Entry {
    std::u16string text;
    double frequency;
    std::string tag;
};

std::vector<Entry> ParseJieba(const std::string& text, const fs::path& file, double& total) {
    std::vector<Entry> entries;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream fields(line);
        std::string word, tag, rest;
        double frequency = 0;
        const auto fail = [&](const std::string& why) {
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " + why);
        };
        if (!(fields >> word >> frequency >> tag) || (fields >> rest)) fail("not word, count, tag");
        if (!(frequency >= 1) || std::floor(frequency) != frequency) fail("not a count");
        if (!std::all_of(tag.begin(), tag.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            fail("not a tag");
        const auto decoded = DecodeUtf8(word);
        if (!decoded) fail("not UTF-8");
        total += frequency;
        if (decoded->size() > kLongestWord || frequency < Lexicon::kLeastFrequency ||
            !std::all_of(decoded->begin(), decoded->end(), IsLexiconUnit))
            continue;
        entries.push_back({*decoded, frequency, tag});
    }
    return entries;
}

}  // namespace

int main(int argc, char* argv[]) {
    fs::path jieba, output, check;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        fs::path* target = option == "--jieba"    ? &jieba
                           : option == "--output" ? &output
                           : option == "--check"  ? &check
                                                  : nullptr;
        if (!target) return Usage();
        *target = argv[i + 1];
    }
    if (argc % 2 == 0 || jieba.empty() || output.empty() == check.empty()) return Usage();

    try {
        double total = 0;
        const auto entries = ParseJieba(ReadFile(jieba), jieba, total);
        std::set<std::string> tagSet;
        for (const auto& entry : entries) tagSet.insert(entry.tag);
        const std::vector<std::string> tags(tagSet.begin(), tagSet.end());
        const auto unknownCost =
            static_cast<uint32_t>(std::lround(std::log(total) * Lexicon::kCostScale));
        std::map<std::u16string, Lexicon::Word> words;
        for (const auto& entry : entries) {
            const auto tag = std::lower_bound(tags.begin(), tags.end(), entry.tag) - tags.begin();
            // The first entry of a word that the list holds twice.
            words.try_emplace(
                entry.text, Lexicon::Word{entry.text, Lexicon::CostOf(entry.frequency, unknownCost),
                                          static_cast<uint8_t>(tag)});
        }
        std::vector<Lexicon::Word> list;
        for (auto& [text, word] : words) list.push_back(std::move(word));
        const std::string lexicon = Lexicon::Serialise(list, tags, unknownCost);
        Lexicon::Parse(lexicon, "the encoded lexicon");
        std::cerr << list.size() << " words, " << tags.size() << " tags\n";

        if (!check.empty()) {
            if (ReadFile(check) != lexicon) {
                std::cerr << check.string() << " differs from the lexicon encoded from "
                          << jieba.string() << "; run encode-lexicon --output\n";
                return 1;
            }
            std::cerr << check.string() << " is what the encoder writes\n";
            return 0;
        }
        std::ofstream out(output, std::ios::binary);
        out << lexicon;
        if (!out.flush()) throw std::runtime_error("cannot write " + output.string());
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "encode-lexicon: " << error.what() << "\n";
        return 1;
    }
}
