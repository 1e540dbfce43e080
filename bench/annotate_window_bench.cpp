// The main window's long commands under the offscreen platform: the annotate command on a 1 MB
// Chinese document from the click to the success message; and where what counts for the user is
// the longest time the window does not answer (until the box has laid out what it was given): a
// 10 MB document through import, annotation and export, a 200 MB text imported over an open
// document, and an RTF file whose format changes at every character. The "_cpu_ms" counters are
// the processor time of the window's thread, which a busy machine stretches less than the clock:
//     build/bench/annotate_window_bench --benchmark_filter=Freezes
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <ctime>
#include <functional>

#include "dictionary_file.h"
#include "frmmain.h"
#include "recording_prompts.h"

namespace {

using namespace sorvani::shell;

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
        main->Annotation.ReadWordsFrom(
            sorvani::WordTableFilePath(std::filesystem::path(SORVANI_DICTIONARY).parent_path()));
        // The boxes as on first start, whatever the user's settings hold: readings by word with
        // the word table beside the dictionary, no tone change.
        main->aczy->setChecked(true);
        main->ybbd->setChecked(false);
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

// Sees the document layout's timers, which lay out a new document a piece at a time after the
// command has ended.
class LayoutTimers : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer) sinceLast.restart();
        return false;
    }
    QElapsedTimer sinceLast;
};

// The longest freezes while the action runs and then while the box lays out what it was given,
// until its layout has been idle for a while.
Freezes LongestFreezes(QTextEdit& box, const std::function<void()>& action) {
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
    LayoutTimers timers;
    timers.sinceLast.start();
    box.document()->documentLayout()->installEventFilter(&timers);
    while (timers.sinceLast.elapsed() < 500) QApplication::processEvents(QEventLoop::AllEvents, 50);
    box.document()->documentLayout()->removeEventFilter(&timers);
    turn();
    return {static_cast<double>(longestNs) / 1e6, static_cast<double>(longestProcessorNs) / 1e6};
}

QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void Count(benchmark::State& state, const std::string& name, const Freezes& freezes) {
    state.counters[name + "_ms"] = freezes.clockMs;
    state.counters[name + "_cpu_ms"] = freezes.processorMs;
}

// Import, annotate, export to RTF.
void BM_TenMegabyteDocumentFreezes(benchmark::State& state) {
    Window window;
    QTemporaryDir folder;
    const QString input = WriteFile(folder, "input.txt", ChineseDocument(10'000'000).toUtf8());
    RecordingPrompts& prompts = *window.prompts;
    frmmain& main = *window.main;
    for (auto _ : state) {
        prompts.chosenFile = input;
        Count(state, "import", LongestFreezes(*main.Wj, [&] { main.LoadFile_Click(); }));
        prompts.answerYes = true;
        Count(state, "annotate", LongestFreezes(*main.Wj, [&] { main.zy_Click(); }));
        prompts.answerYes = false;
        prompts.chosenFile = folder.filePath("output.rtf");
        Count(state, "export", LongestFreezes(*main.Wj, [&] { main.dcwj_Click(); }));
    }
    state.counters["messages"] = static_cast<double>(prompts.shown.size());
}
BENCHMARK(BM_TenMegabyteDocumentFreezes)->Unit(benchmark::kSecond)->Iterations(1);

// Imports the file over the window's document; the text of any message is the label.
void ImportFreezes(benchmark::State& state, Window& window, const QString& input) {
    for (auto _ : state) {
        window.prompts->chosenFile = input;
        Count(state, "import",
              LongestFreezes(*window.main->Wj, [&] { window.main->LoadFile_Click(); }));
    }
    state.counters["characters"] = window.main->Wj->document()->characterCount();
    state.SetLabel(window.prompts->shown.join(' ').toStdString());
}

// A long plain text over a document already open: the megabytes are the argument.
void BM_LargeTextImportFreezes(benchmark::State& state) {
    Window window;
    QTemporaryDir folder;
    window.main->Wj->setPlainText(ChineseDocument(1'000'000));
    ImportFreezes(
        state, window,
        WriteFile(folder, "large.txt", ChineseDocument(state.range(0) * 1'000'000).toUtf8()));
}
BENCHMARK(BM_LargeTextImportFreezes)->Arg(10)->Arg(200)->Unit(benchmark::kSecond)->Iterations(1);

// A plain text of one paragraph: the megabytes are the argument.
void BM_OneParagraphImportFreezes(benchmark::State& state) {
    Window window;
    QTemporaryDir folder;
    ImportFreezes(state, window,
                  WriteFile(folder, "paragraph.txt",
                            ChineseDocument(state.range(0) * 1'000'000).remove(u'\n').toUtf8()));
}
BENCHMARK(BM_OneParagraphImportFreezes)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->Iterations(1);

// RTF whose format changes at every character: the kilobytes, and the characters of a paragraph.
QByteArray HostileRtf(qsizetype bytes, int64_t paragraph) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 SimSun;}}\n";
    const QByteArray pieces[] = {"\\b \\u20013?", "\\b0 \\u25991?", "\\i \\u23383?", "\\i0\\fs28 x",
                                 "\\fs20\\ul y"};
    for (int64_t i = 1; rtf.size() < bytes; ++i) {
        rtf += pieces[i % 5];
        if (i % paragraph == 0) rtf += "\\ulnone\\par\n";
    }
    return rtf + "}";
}

void BM_HostileRtfImportFreezes(benchmark::State& state) {
    Window window;
    QTemporaryDir folder;
    ImportFreezes(
        state, window,
        WriteFile(folder, "hostile.rtf", HostileRtf(state.range(0) * 1'000, state.range(1))));
}
BENCHMARK(BM_HostileRtfImportFreezes)
    ->Args({10'000, 1'000})
    ->Args({1'000, 10'000})
    ->Args({1'000, 100'000})
    ->Args({180, 100'000})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace
