// The annotate command in the main window under the offscreen platform: a 1 MB Chinese document
// from the click to the success message, and a 10 MB one through import, annotation and export,
// where what counts for the user is the longest time the window does not answer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
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

// The longest gap between two turns of the event loop while an action runs, in milliseconds.
double LongestFreezeMs(const std::function<void()>& action) {
    QElapsedTimer sinceTurn;
    qint64 longestNs = 0;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        longestNs = std::max(longestNs, sinceTurn.nsecsElapsed());
        sinceTurn.restart();
    });
    sinceTurn.start();
    turns.start(0);
    action();
    return static_cast<double>(std::max(longestNs, sinceTurn.nsecsElapsed())) / 1e6;
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
    for (auto _ : state) {
        prompts.chosenFile = input;
        state.counters["import_ms"] = LongestFreezeMs([&] { window.main->LoadFile_Click(); });
        prompts.answerYes = true;
        state.counters["annotate_ms"] = LongestFreezeMs([&] { window.main->zy_Click(); });
        prompts.answerYes = false;
        prompts.chosenFile = folder.filePath("output.rtf");
        state.counters["export_ms"] = LongestFreezeMs([&] { window.main->dcwj_Click(); });
    }
}
BENCHMARK(BM_TenMegabyteDocumentFreezes)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
