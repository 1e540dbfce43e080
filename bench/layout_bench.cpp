// The annotation run over a long Chinese text with the shipped dictionary: layout, lookup and
// ruler together, without reading or writing files.
#include <benchmark/benchmark.h>

#include <random>

#include "annotation_run.h"
#include "column_ruler.h"
#include "dictionary_file.h"
#include "pinyin_lookup.h"
#include "text_output_box.h"

namespace {

using namespace sorvani;

const PinyinDictionary& Dictionary() {
    static const PinyinDictionary* dictionary = [] {
        auto* table = new PinyinDictionary;
        LoadPinyinDictionary(*table, SORVANI_DICTIONARY);
        return table;
    }();
    return *dictionary;
}

// About a million characters: the dictionary's first 3000 characters in a fixed random order,
// with a comma now and then and a line end after every few sentences.
const std::u16string& SampleText() {
    static const std::u16string text = [] {
        const PinyinDictionary& dictionary = Dictionary();
        const int rows = std::min(dictionary.size(), 3000);
        std::mt19937 random(20261207);
        std::u16string all;
        while (all.size() < 1'000'000) {
            const int row = 1 + static_cast<int>(random() % static_cast<unsigned>(rows));
            all += rows ? dictionary.Cell(row, 1) : u"中";
            if (random() % 12 == 0) all += u"，";
            if (random() % 40 == 0) all += random() % 5 ? u"。" : u"。\r\n";
        }
        return all;
    }();
    return text;
}

void BM_RunAnnotation(benchmark::State& state) {
    const std::u16string& text = SampleText();
    PinyinMemo pinyin(Dictionary());
    ColumnRuler ruler;
    TextOutputBox output;
    AnnotatedLinePair pair;
    for (auto _ : state) {
        RunAnnotation(text, static_cast<int16_t>(state.range(0)), pair, {pinyin, ruler, output});
        benchmark::DoNotOptimize(output.Text().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_RunAnnotation)->Arg(kWithoutTones)->Arg(kWithTones)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
