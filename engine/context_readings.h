#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "lexicon.h"
#include "pinyin_dictionary.h"
#include "reading_chooser.h"
#include "word_table.h"

namespace sorvani {

// Which readings an annotate run chooses by context.
struct ReadingOptions {
    bool byWord = false;      // the syllables of the words in the word table
    bool toneChange = false;  // 一 and 不 by the tone of the next syllable
};

// The chooser for a run, as the window and the tool both make it: the word table and the lexicon
// beside it are read from their files when a run first asks for words, and kept for later runs.
class ContextReadings {
  public:
    explicit ContextReadings(std::filesystem::path wordTableFile)
        : wordTableFile_(std::move(wordTableFile)) {}

    // The user's words, which win over the tables in every later run, with words or without.
    void SetUserWords(const std::vector<WordTable::Word>& words);

    // Makes a new chooser for the options and the user's words as they stand now; the one
    // returned before is destroyed. Null when no option is on and there are no user's words. Throws
    // WordTableError or LexiconError when the word table or the lexicon cannot be read.
    const ReadingChooser* RebuildChooser(const ReadingOptions& options,
                                         const PinyinDictionary& dictionary);

  private:
    std::filesystem::path wordTableFile_;
    std::optional<WordTable> words_;
    // Read with the word table: an empty lexicon's tables cost a start that reads no words.
    std::optional<Lexicon> lexicon_;
    std::optional<WordTable> userWords_;
    std::unique_ptr<ReadingChooser> chooser_;
};

}  // namespace sorvani
