#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "user_words.h"

namespace sorvani::shell {

// The user's own readings in the window: a plain list (see sorvani::ParseUserWords, the list
// sorvani-annotate --user-words reads) in the folder of the settings file, which the annotate
// command reads before every run and the box's context menu adds to.
QString UserWordListPath();

// The list as read from its file: none (an empty list) when there is no file.
struct UserWordList {
    std::vector<sorvani::WordTable::Word> words;
    std::vector<size_t> badLines;    // lines left out, from 1
    std::optional<QString> failure;  // why the file could not be read at all, in Chinese
};
UserWordList ReadUserWordList(const QString& path);

// Makes the list with a header that tells how to write it, unless it exists. Returns why it could
// not, in Chinese.
std::optional<QString> CreateUserWordList(const QString& path);

// Gives the word its syllables in the list: its line, "word<TAB>syllables", takes the place of the
// word's first line and its later lines go, or it is added at the end; every other line stays as
// it is. A list that cannot be read is left alone, and one that can is replaced only once the new
// one is written whole. Returns why it could not, in Chinese.
std::optional<QString> PutUserWord(const QString& path, const QString& word,
                                   const QString& syllables);

}  // namespace sorvani::shell
