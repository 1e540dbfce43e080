// The window's reading material, printed to a PDF file through the print command and exported
// as PDF, as a viewer finds its words (pdftotext's word boxes): every syllable centred over its
// character, numbered pages, and the same words at the same places as the tool's PDF for the
// same choices. Skipped where pdftotext is not installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "frmmain.h"
#include "page_alignment.h"
#include "reading_page_check.h"
#include "recording_prompts.h"
#include "settings_file.h"
#include "shown_window.h"

namespace {

using namespace Qt::StringLiterals;
using namespace sorvani::shell;
using sorvani::documents::ReadingChoices;
using sorvani::testing_pages::Word;

// Prose with punctuation, quotes, brackets and one-letter syllables, long enough for pages.
const QString kStory =
    u"鹅，鹅，鹅，曲项向天歌。白毛浮绿水，红掌拨清波。\r\n"
    u"妈妈说：“好啊，我们一起去吧！”小明（七岁）高兴地跳了起来，拿上书包就往门外跑。\r\n"
    u"春天来了，小草从地下探出头来，柳树长出了嫩绿的新芽，燕子从南方飞回来，在屋檐下筑巢。\r\n"_s
        .repeated(8);

class WindowPages : public testing::TestWithParam<ReadingChoices> {
  protected:
    WindowPages() {
        MoveSettingsFile(folder.filePath(u"Sorvani.conf"_s));
        window = ShownWindow(dictionary, prompts);
    }
    ~WindowPages() override { MoveSettingsFile(QString()); }

    QString Path(const QString& name) const { return folder.filePath(name); }

    // The tool's PDF of the story with the choices: the same annotation the box holds.
    QString ToolPdf(const ReadingChoices& choices) {
        QFile story(Path(u"story.txt"_s));
        if (!story.open(QIODevice::WriteOnly)) return {};
        story.write(kStory.toUtf8());
        story.close();
        QStringList arguments{u"--tones"_s,  u"--size"_s,         QString::number(choices.size),
                              u"--output"_s, Path(u"tool.pdf"_s), story.fileName()};
        if (choices.capitals) arguments << u"--capitals"_s;
        if (choices.toneColours) arguments << u"--tone-colours"_s;
        if (choices.grid) arguments << u"--grid"_s;
        QProcess tool;
        tool.start(QStringLiteral(SORVANI_ANNOTATE), arguments);
        if (!tool.waitForFinished(-1) || tool.exitCode() != 0) return {};
        return Path(u"tool.pdf"_s);
    }

    sorvani::PinyinDictionary dictionary;
    QTemporaryDir folder;
    RecordingPrompts* prompts;
    std::unique_ptr<frmmain> window;
};

// The same words at the same places, within a hundredth of a point.
void ExpectSameWords(const std::vector<Word>& expected, const std::vector<Word>& actual,
                     const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    int moved = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const Word &a = expected[i], &b = actual[i];
        if (a.page != b.page || a.text != b.text || std::abs(a.left - b.left) > 0.01 ||
            std::abs(a.top - b.top) > 0.01 || std::abs(a.right - b.right) > 0.01)
            ++moved;
    }
    EXPECT_EQ(moved, 0) << what;
}

TEST_P(WindowPages, PrintedAndExportedAsTheToolWritesThemWithEverySyllableCentred) {
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const ReadingChoices choices = GetParam();
    window->Wj->setPlainText(sorvani::testing_pages::Annotated(kStory, true));
    prompts->chosenLayout = choices;

    const QString printed = Path(u"printed.pdf"_s);
    prompts->choosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(printed);
        return true;
    };
    window->PrintDocument();
    prompts->answerYes = false;
    prompts->chosenFile = Path(u"exported.pdf"_s);
    window->dcwj_Click();
    EXPECT_EQ(prompts->layoutDialogs, 2);

    const std::vector<Word> printedWords = sorvani::testing_pages::PdfWords(printed);
    ASSERT_FALSE(printedWords.empty());
    const auto checked = sorvani::testing_pages::CheckReadingPages(printedWords, choices.size);
    const std::string problems = checked.problems.join(u'\n').toStdString();
    const int annotated = static_cast<int>(kStory.count(QRegularExpression(u"[\u4E00-\u9FFF]"_s)));
    EXPECT_EQ(checked.syllables, annotated) << problems;
    EXPECT_EQ(checked.centred, checked.syllables) << problems;
    EXPECT_EQ(checked.overlaps, 0) << problems;
    EXPECT_EQ(checked.numbered, checked.pages);
    EXPECT_GT(checked.pages, 1);

    const QString tool = ToolPdf(choices);
    ASSERT_FALSE(tool.isEmpty());
    const std::vector<Word> toolWords = sorvani::testing_pages::PdfWords(tool);
    ExpectSameWords(toolWords, sorvani::testing_pages::PdfWords(Path(u"exported.pdf"_s)),
                    "exported");
    ExpectSameWords(toolWords, printedWords, "printed");
}

INSTANTIATE_TEST_SUITE_P(
    Choices, WindowPages,
    testing::Values(ReadingChoices{},
                    ReadingChoices{.size = 24, .capitals = true, .toneColours = true, .grid = true},
                    ReadingChoices{.size = 36, .toneColours = true, .grid = true}));

}  // namespace
