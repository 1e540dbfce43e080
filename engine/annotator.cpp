#include "annotator.h"

#include <utility>

#include "pinyin_lookup.h"
#include "text_output_box.h"

namespace sorvani {
namespace {

int16_t ToneFlag(ToneMarks tones) { return tones == ToneMarks::With ? kWithTones : kWithoutTones; }

}  // namespace

Annotator::Annotator(const PinyinDictionary& dictionary, std::filesystem::path wordTableFile)
    : dictionary_(dictionary), readings_(std::move(wordTableFile)), pinyin_(dictionary) {}

void Annotator::ReadWordsFrom(std::filesystem::path wordTableFile) {
    chooser_ = nullptr;
    readings_ = ContextReadings(std::move(wordTableFile));
}

void Annotator::SetUserWords(const std::vector<WordTable::Word>& words) {
    readings_.SetUserWords(words);
}

void Annotator::ChooseReadings(const ReadingOptions& options) {
    chooser_ = readings_.RebuildChooser(options, dictionary_);
}

bool Annotator::Annotate(std::u16string_view text, ToneMarks tones, OutputBox& output,
                         const AnnotationProgress& progress, std::stop_token stop) {
    return RunAnnotation(text, ToneFlag(tones), lines_, {pinyin_, ruler_, output, chooser_},
                         progress, std::move(stop));
}

std::u16string Annotator::Annotated(std::u16string_view text, ToneMarks tones) {
    TextOutputBox output;
    Annotate(text, tones, output);
    return output.TakeText();
}

AnnotationStream Annotator::Stream(ToneMarks tones, AnnotationStream::Writer write) {
    return AnnotationStream(pinyin_, ruler_, ToneFlag(tones), std::move(write), chooser_);
}

}  // namespace sorvani
