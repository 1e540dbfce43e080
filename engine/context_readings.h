#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "pinyin_dictionary.h"
#include "reading_chooser.h"
#include "word_table.h"

namespace sorvani {

// Which readings an annotate run chooses by context.
struct ReadingOptions {
    bool byWord = false;      // the syllables of the words in the word table
    bool toneChange = false;  // 一 and 不 by the tone of the next syllable
};

// The chooser for a run, as the window and the tool both make it: the word table is read from
// its file when a run first asks for words, and kept for later runs.
class ContextReadings {
  public:
    explicit ContextReadings(std::filesystem::path wordTableFile)
        : wordTableFile_(std::move(wordTableFile)) {}

    // Null when no option is on. Throws WordTableError when the word table cannot be read.
    const ReadingChooser* Chooser(const ReadingOptions& options,
                                  const PinyinDictionary& dictionary);

  private:
    std::filesystem::path wordTableFile_;
    std::optional<WordTable> words_;
    std::unique_ptr<ReadingChooser> chooser_;
};

}  // namespace sorvani
