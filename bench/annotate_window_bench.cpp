// The annotate command in the main window on a 1 MB Chinese document, from the click to the
// success message, under the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "dictionary_file.h"
#include "frmmain.h"
#include "recording_prompts.h"

namespace {

// Stops the clock when the success message shows, so that the message box is not counted.
class TimedPrompts : public RecordingPrompts {
  public:
    void Inform(const QString& message) override {
        elapsedNs = clock.nsecsElapsed();
        RecordingPrompts::Inform(message);
    }
    QElapsedTimer clock;
    qint64 elapsedNs = 0;
};

// About 330,000 characters (1 MB in UTF-8): modern prose, a line break after every sentence.
QString OneMegabyteDocument() {
    const QString paragraph = QStringLiteral(
        "今天早上，我和朋友一起去公园散步。\n天气很好，阳光照在湖面上，孩子们在草地上玩耍。\n"
        "我们谈到了工作和生活，也说起了小时候的事情。\n后来我们去了一家小饭馆吃午饭，"
        "那里的饺子非常好吃，价格也不贵。\n下午他要回学校上课，我就一个人坐地铁回家了。\n");
    QString text;
    while (text.toUtf8().size() < 1'000'000) text += paragraph.repeated(100);
    return text;
}

void BM_AnnotateOneMegabyteInTheWindow(benchmark::State& state) {
    sorvani::PinyinDictionary dictionary;
    sorvani::LoadPinyinDictionary(dictionary, SORVANI_DICTIONARY);
    auto owned = std::make_unique<TimedPrompts>();
    TimedPrompts& prompts = *owned;
    frmmain window(dictionary, std::move(owned));
    window.show();
    const QString document = OneMegabyteDocument();
    for (auto _ : state) {
        window.Wj->setPlainText(document);
        QApplication::processEvents();
        prompts.clock.start();
        window.zy_Click();
        state.SetIterationTime(static_cast<double>(prompts.elapsedNs) / 1e9);
    }
    state.counters["characters"] = static_cast<double>(document.size());
}
BENCHMARK(BM_AnnotateOneMegabyteInTheWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
