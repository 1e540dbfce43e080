#include "context_readings.h"

namespace sorvani {

void ContextReadings::SetUserWords(const std::vector<WordTable::Word>& words) {
    if (words.empty())
        userWords_.reset();
    else
        userWords_ = WordTable::Parse(WordTable::Serialise(words), "the user's words");
}

const ReadingChooser* ContextReadings::RebuildChooser(const ReadingOptions& options,
                                                      const PinyinDictionary& dictionary) {
    if (!options.byWord && !options.toneChange && !userWords_) return nullptr;
    if (options.byWord && !words_) {
        WordTable words = WordTable::Load(wordTableFile_);
        lexicon_ = Lexicon::Load(LexiconFilePath(wordTableFile_.parent_path()));
        words_ = std::move(words);
        // A word of the table that the lexicon lacks is as likely as the rarest word it holds:
        // a verb and its result (砍倒) then wins over its two characters.
        const uint32_t cost = Lexicon::CostOf(Lexicon::kLeastFrequency, lexicon_->UnknownCost());
        constexpr uint32_t kAhead = 8;
        for (uint32_t word = 0; word < words_->size(); ++word) {
            if (word + kAhead < words_->size()) lexicon_->Prefetch(words_->Text(word + kAhead));
            lexicon_->Add(words_->Text(word), cost, static_cast<uint8_t>(lexicon_->Tags().size()));
        }
    }
    chooser_ = std::make_unique<ReadingChooser>(options.byWord ? &*words_ : nullptr, dictionary,
                                                options.toneChange, lexicon_ ? &*lexicon_ : nullptr,
                                                userWords_ ? &*userWords_ : nullptr);
    return chooser_.get();
}

}  // namespace sorvani
