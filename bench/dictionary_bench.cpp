// Loading the shipped dictionary and word table, looking up every character of a Chinese text,
// and choosing readings by word.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "context_readings.h"
#include "cp936.h"
#include "dictionary_file.h"
#include "pinyin_memo.h"
#include "reading_chooser.h"
#include "word_table.h"

namespace {

using namespace sorvani;

// A file at the table's limit of 25000 records, with syllables as long as real ones.
std::filesystem::path FullDictionaryFile() {
    static const std::filesystem::path file = [] {
        const auto path = std::filesystem::temp_directory_path() / "sorvani-bench-VeRevor.dll";
        std::ofstream out(path, std::ios::binary);
        int written = 0;
        for (int unit = 0x4E00; written < PinyinDictionary::kRows; ++unit) {
            const auto ch = static_cast<char16_t>(unit);
            if (cp936::ByteLength(ch) != 2) continue;
            const std::u16string key(1, ch);
            WriteDictionaryRecord(out, {key, key, u"zhuàng", u"zhuang"});
            ++written;
        }
        return path;
    }();
    return file;
}

void BM_LoadDictionary(benchmark::State& state) {
    const auto file = FullDictionaryFile();
    for (auto _ : state) {
        PinyinDictionary table;
        LoadPinyinDictionary(table, file);
        benchmark::DoNotOptimize(table.size());
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

// Ordinary modern prose with punctuation, repeated: the mix the annotate command sees.
const std::u16string& SampleText() {
    static const std::u16string text = [] {
        const std::u16string paragraph =
            u"今天早上，我和朋友一起去公园散步。天气很好，阳光照在湖面上，孩子们在草地上玩耍。"
            u"我们谈到了工作和生活，也说起了小时候的事情。后来我们去了一家小饭馆吃午饭，"
            u"那里的饺子非常好吃，价格也不贵。下午他要回学校上课，我就一个人坐地铁回家了。\r\n";
        std::u16string all;
        for (int i = 0; i < 200; ++i) all += paragraph;
        return all;
    }();
    return text;
}

// The layout's lookup: the dictionary's answer, kept once per character.
void BM_LookupPerCharacter(benchmark::State& state) {
    PinyinDictionary table;
    LoadPinyinDictionary(table, SORVANI_DICTIONARY);
    PinyinMemo memo(table);
    const std::u16string& text = SampleText();
    for (auto _ : state) {
        for (char16_t ch : text) benchmark::DoNotOptimize(memo.Lookup(ch, kWithTones));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_LookupPerCharacter);

// The first lookup of each character of a text, as at the start of every run.
void BM_FirstLookupPerCharacter(benchmark::State& state) {
    PinyinDictionary table;
    LoadPinyinDictionary(table, SORVANI_DICTIONARY);
    const std::u16string& text = SampleText();
    for (auto _ : state) {
        PinyinMemo memo(table);
        for (char16_t ch : text) benchmark::DoNotOptimize(memo.Lookup(ch, kWithTones));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_FirstLookupPerCharacter);

void BM_EncodeText(benchmark::State& state) {
    const std::u16string& text = SampleText();
    for (auto _ : state) benchmark::DoNotOptimize(cp936::Encode(text));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_EncodeText);

const std::filesystem::path kWordTable =
    WordTableFilePath(std::filesystem::path(SORVANI_DICTIONARY).parent_path());

void BM_LoadWordTable(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(WordTable::Load(kWordTable).size());
}
BENCHMARK(BM_LoadWordTable)->Unit(benchmark::kMicrosecond);

void BM_LoadLexicon(benchmark::State& state) {
    const auto file = LexiconFilePath(kWordTable.parent_path());
    for (auto _ : state) benchmark::DoNotOptimize(Lexicon::Load(file).Longest());
}
BENCHMARK(BM_LoadLexicon)->Unit(benchmark::kMicrosecond);

// What a run's first ask for words costs: the word table, the lexicon and the chooser.
void BM_LoadTablesForWords(benchmark::State& state) {
    PinyinDictionary table;
    LoadPinyinDictionary(table, SORVANI_DICTIONARY);
    for (auto _ : state) {
        ContextReadings readings(kWordTable);
        benchmark::DoNotOptimize(readings.RebuildChooser({.byWord = true}, table));
    }
}
BENCHMARK(BM_LoadTablesForWords)->Unit(benchmark::kMicrosecond);

// Readings by word (and the tone change) for the whole text, per character, cut by the
// shipped lexicon as the tool and the window cut it.
void BM_ChooseReadings(benchmark::State& state) {
    PinyinDictionary table;
    LoadPinyinDictionary(table, SORVANI_DICTIONARY);
    ContextReadings readings(kWordTable);
    const ReadingChooser& chooser =
        *readings.RebuildChooser({.byWord = true, .toneChange = state.range(0) != 0}, table);
    const std::u16string& text = SampleText();
    for (auto _ : state) benchmark::DoNotOptimize(chooser.DecideAll(text));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ChooseReadings)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
