// A 10 MB document through the main window: import, annotate and export. What counts for the user
// is the longest time the window does not answer, so each step reports its longest stretch
// without a turn of the event loop next to its whole time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "dictionary_file.h"
#include "frmmain.h"
#include "recording_prompts.h"

namespace {

// The longest gap between two turns of the event loop while the action runs.
class FreezeMeter {
  public:
    FreezeMeter() {
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            longestNs_ = std::max(longestNs_, sinceTick_.nsecsElapsed());
            sinceTick_.restart();
        });
    }
    double Measure(const std::function<void()>& action) {
        longestNs_ = 0;
        sinceTick_.start();
        ticker_.start(0);
        action();
        ticker_.stop();
        longestNs_ = std::max(longestNs_, sinceTick_.nsecsElapsed());
        return static_cast<double>(longestNs_) / 1e6;
    }

  private:
    QTimer ticker_;
    QElapsedTimer sinceTick_;
    qint64 longestNs_ = 0;
};

void BM_TenMegabyteDocument(benchmark::State& state) {
    sorvani::PinyinDictionary dictionary;
    sorvani::LoadPinyinDictionary(dictionary, SORVANI_DICTIONARY);
    auto owned = std::make_unique<RecordingPrompts>();
    RecordingPrompts& prompts = *owned;
    frmmain window(dictionary, std::move(owned));
    window.show();
    QTemporaryDir folder;
    FreezeMeter meter;
    for (auto _ : state) {
        prompts.chosenFile = QString::fromLocal8Bit(qgetenv("SORVANI_LARGE_DOCUMENT"));
        state.counters["import_ms"] = meter.Measure([&] { window.LoadFile_Click(); });
        prompts.answerYes = true;
        state.counters["annotate_freeze_ms"] = meter.Measure([&] { window.zy_Click(); });
        prompts.answerYes = false;
        prompts.chosenFile = folder.filePath("out.rtf");
        state.counters["export_ms"] = meter.Measure([&] { window.dcwj_Click(); });
    }
}
BENCHMARK(BM_TenMegabyteDocument)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
