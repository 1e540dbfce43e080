#pragma once

#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "annotated_line_pair.h"
#include "annotation_failure.h"
#include "annotation_run.h"
#include "annotation_stream.h"
#include "column_ruler.h"
#include "context_readings.h"
#include "output_box.h"
#include "pinyin_memo.h"

namespace sorvani {

// Whether the syllables carry tone marks.
enum class ToneMarks { Without, With };

// The annotation as the window and the tool both run it: the dictionary's answers, kept for
// every run, the ruler, the readings chosen by context and the open lines carried from chunk to
// chunk. Every run throws AnnotationFailure when the dictionary lacks a syllable. One run at a
// time: the annotator is no more thread-safe than its parts.
class Annotator {
  public:
    // The dictionary must outlive the annotator. The word table and the lexicon beside it are read
    // from wordTableFile when a run first asks for readings by word.
    Annotator(const PinyinDictionary& dictionary, std::filesystem::path wordTableFile);
    Annotator(const Annotator&) = delete;
    Annotator& operator=(const Annotator&) = delete;

    // From the next run that asks for words, the word table is read from this file instead; the
    // user's words are to be given again.
    void ReadWordsFrom(std::filesystem::path wordTableFile);
    // The user's words, which win over the tables in every later run, with words or without.
    void SetUserWords(const std::vector<WordTable::Word>& words);
    // The readings the later runs choose by context. Throws WordTableError or LexiconError when
    // the word table or the lexicon cannot be read; the runs then choose as they did before.
    void ChooseReadings(const ReadingOptions& options);
    // What chooses the readings by context; null when the runs choose none.
    const ReadingChooser* Chooser() const { return chooser_; }

    // Annotates a whole text (CR LF line ends, as the document box holds them) into the output
    // box, emptied first, telling the progress before each chunk. False when stopped before the
    // end, the box holding part of the annotation.
    bool Annotate(std::u16string_view text, ToneMarks tones, OutputBox& output,
                  const AnnotationProgress& progress = {}, std::stop_token stop = {});
    // The whole annotation of the text.
    std::u16string Annotated(std::u16string_view text, ToneMarks tones);
    // The annotation of a text that arrives in pieces, written as UTF-8 as it goes, equal to
    // Annotate's. The annotator must outlive the stream and make no other run meanwhile.
    AnnotationStream Stream(ToneMarks tones, AnnotationStream::Writer write);

  private:
    const PinyinDictionary& dictionary_;
    ContextReadings readings_;
    const ReadingChooser* chooser_ = nullptr;
    PinyinMemo pinyin_;
    ColumnRuler ruler_;
    AnnotatedLinePair lines_;
};

}  // namespace sorvani
