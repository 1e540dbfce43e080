// The annotate command in the main window under the offscreen platform: a 1 MB Chinese document
// from the click to the success message, and a 10 MB one through import, annotation and export,
// where what counts for the user is the longest time the window does not answer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <ctime>
#include <functional>

#include "dictionary_file.h"
#include "frmmain.h"
#include "recording_prompts.h"

namespace {

// Stops the clock when a message shows, so that the message box is not counted.
class TimedPrompts : public RecordingPrompts {
  public:
    void Inform(const QString& message) override {
        elapsedNs = clock.nsecsElapsed();
        RecordingPrompts::Inform(message);
    }
    QElapsedTimer clock;
    qint64 elapsedNs = 0;
};

// The main window with the shipped dictionary, shown.
struct Window {
    Window() {
        sorvani::LoadPinyinDictionary(dictionary, SORVANI_DICTIONARY);
        auto owned = std::make_unique<TimedPrompts>();
        prompts = owned.get();
        main = std::make_unique<frmmain>(dictionary, std::move(owned));
        // The word table beside the dictionary, for runs with readings by word.
        main->Readings = sorvani::ContextReadings(
            sorvani::WordTableFilePath(std::filesystem::path(SORVANI_DICTIONARY).parent_path()));
        main->show();
    }
    sorvani::PinyinDictionary dictionary;
    TimedPrompts* prompts;
    std::unique_ptr<frmmain> main;
};

// Modern prose, a line break after every sentence, repeated to at least the given UTF-8 size.
QString ChineseDocument(qsizetype bytes) {
    const QString paragraph = QStringLiteral(
        "今天早上，我和朋友一起去公园散步。\n天气很好，阳光照在湖面上，孩子们在草地上玩耍。\n"
        "我们谈到了工作和生活，也说起了小时候的事情。\n后来我们去了一家小饭馆吃午饭，"
        "那里的饺子非常好吃，价格也不贵。\n下午他要回学校上课，我就一个人坐地铁回家了。\n");
    const qsizetype paragraphBytes = paragraph.toUtf8().size();
    return paragraph.repeated((bytes + paragraphBytes - 1) / paragraphBytes);
}

void BM_AnnotateOneMegabyte(benchmark::State& state) {
    Window window;
    const QString document = ChineseDocument(1'000'000);
    for (auto _ : state) {
        window.main->Wj->setPlainText(document);
        QApplication::processEvents();
        window.prompts->clock.start();
        window.main->zy_Click();
        state.SetIterationTime(static_cast<double>(window.prompts->elapsedNs) / 1e9);
    }
    state.counters["characters"] = static_cast<double>(document.size());
}
BENCHMARK(BM_AnnotateOneMegabyte)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The window's thread's time in nanoseconds: the processor time it used, which a busy machine
// stretches less than the time on the clock.
qint64 ThreadProcessorNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// The longest gaps between two turns of the event loop while an action runs, in milliseconds:
// on the clock, and in processor time of the window's thread.
struct Freezes {
    double clockMs = 0;
    double processorMs = 0;
};

Freezes LongestFreezes(const std::function<void()>& action) {
    QElapsedTimer sinceTurn;
    qint64 longestNs = 0;
    qint64 turnProcessorNs = ThreadProcessorNs();
    qint64 longestProcessorNs = 0;
    const auto turn = [&] {
        longestNs = std::max(longestNs, sinceTurn.nsecsElapsed());
        sinceTurn.restart();
        const qint64 now = ThreadProcessorNs();
        longestProcessorNs = std::max(longestProcessorNs, now - turnProcessorNs);
        turnProcessorNs = now;
    };
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, turn);
    sinceTurn.start();
    turns.start(0);
    action();
    turn();
    return {static_cast<double>(longestNs) / 1e6, static_cast<double>(longestProcessorNs) / 1e6};
}

void BM_TenMegabyteDocumentFreezes(benchmark::State& state) {
    Window window;
    QTemporaryDir folder;
    const QString input = folder.filePath("input.txt");
    QFile file(input);
    file.open(QIODevice::WriteOnly);
    file.write(ChineseDocument(10'000'000).toUtf8());
    file.close();
    RecordingPrompts& prompts = *window.prompts;
    const auto count = [&](const std::string& name, const Freezes& freezes) {
        state.counters[name + "_ms"] = freezes.clockMs;
        state.counters[name + "_cpu_ms"] = freezes.processorMs;
    };
    for (auto _ : state) {
        prompts.chosenFile = input;
        count("import", LongestFreezes([&] { window.main->LoadFile_Click(); }));
        prompts.answerYes = true;
        count("annotate", LongestFreezes([&] { window.main->zy_Click(); }));
        prompts.answerYes = false;
        prompts.chosenFile = folder.filePath("output.rtf");
        count("export", LongestFreezes([&] { window.main->dcwj_Click(); }));
    }
}
BENCHMARK(BM_TenMegabyteDocumentFreezes)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
