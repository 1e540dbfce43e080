#include "context_readings.h"

namespace sorvani {

const ReadingChooser* ContextReadings::Chooser(const ReadingOptions& options,
                                               const PinyinDictionary& dictionary) {
    if (!options.byWord && !options.toneChange) return nullptr;
    if (options.byWord && !words_) words_ = WordTable::Load(wordTableFile_);
    chooser_ = std::make_unique<ReadingChooser>(options.byWord ? &*words_ : nullptr, dictionary,
                                                options.toneChange);
    return chooser_.get();
}

}  // namespace sorvani
