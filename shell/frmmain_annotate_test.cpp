#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <string>
#include <utility>

#include "frmmain.h"
#include "frmmain_geometry.h"
#include "percent_caption.h"
#include "recording_prompts.h"
#include "test_dictionary.h"
#include "twips.h"

namespace sorvani::shell {

namespace {

// Also notes what the percentage label reads when a message is shown.
class LabelReadingPrompts : public RecordingPrompts {
  public:
    void Inform(const QString& message) override {
        RecordingPrompts::Inform(message);
        captionAtMessage = label ? label->text() : QString();
    }
    QLabel* label = nullptr;
    QString captionAtMessage;
};

const QString kQuestion = QStringLiteral("您要标上音调吗？（Y/N）");
const QString kSuccess = QStringLiteral("注音成功！");

class AnnotateCommand : public testing::Test {
  protected:
    AnnotateCommand() {
        sorvani::test_support::FillDictionary(dictionary);
        auto recording = std::make_unique<LabelReadingPrompts>();
        prompts = recording.get();
        window = std::make_unique<frmmain>(dictionary, std::move(recording));
        // The command as designed: one reading per character.
        window->aczy->setChecked(false);
        window->ybbd->setChecked(false);
        prompts->label = window->Label2;
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        prompts->shown.clear();
    }

    // Runs the command with the given action taken when the progress bar first moves on: during
    // the run, or at its end when the text is one chunk.
    void ClickDuringRun(const std::function<void()>& action) {
        bool taken = false;
        const auto connection =
            QObject::connect(window->PrgB, &QProgressBar::valueChanged, [&](int value) {
                if (value > 0 && !std::exchange(taken, true)) action();
            });
        window->zy_Click();
        QObject::disconnect(connection);
        EXPECT_TRUE(taken);
    }

    // The percentage captions the run shows, in order: each one is read as the bar moves on to
    // the next chunk, the last one as it fills at the end.
    QStringList CaptionsOfRun() {
        QStringList captions;
        const auto connection =
            QObject::connect(window->PrgB, &QProgressBar::valueChanged, [&](int value) {
                if (value > 0) captions << window->Label2->text();
            });
        window->zy_Click();
        QObject::disconnect(connection);
        return captions;
    }

    sorvani::PinyinDictionary dictionary;
    LabelReadingPrompts* prompts;
    std::unique_ptr<frmmain> window;
};

TEST_F(AnnotateCommand, YesGivesToneMarksAndNoGivesPlainSyllables) {
    window->Wj->setPlainText(QStringLiteral("中国绿\nab"));
    window->zy_Click();
    EXPECT_EQ(window->Wj->toPlainText(),
              QStringLiteral("Zhōng Guó Lǜ \n中    国  绿 \na b \na b \n"));
    EXPECT_EQ(prompts->shown, (QStringList{kQuestion, kSuccess}));

    prompts->answerYes = false;
    window->Wj->setPlainText(QStringLiteral("绿"));
    window->zy_Click();
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("Lü \n绿 \n"));
}

TEST_F(AnnotateCommand, EmptyDocumentStillSucceeds) {
    window->Wj->clear();
    window->zy_Click();
    EXPECT_EQ(window->Wj->toPlainText(), QString());
    EXPECT_EQ(prompts->shown, (QStringList{kQuestion, kSuccess}));
}

TEST_F(AnnotateCommand, ShowsThePercentageBeforeEachChunkOfEighty) {
    window->Wj->setPlainText(QString(81, QLatin1Char('a')));
    EXPECT_EQ(CaptionsOfRun(), (QStringList{"0%", "99%"}));
    window->Wj->setPlainText(QString(240, QLatin1Char('a')));
    EXPECT_EQ(CaptionsOfRun(), (QStringList{"0%", "33%", "67%"}));
    EXPECT_EQ(prompts->captionAtMessage, "100%");
    EXPECT_EQ(window->PrgB->maximum(), 240);
}

TEST_F(AnnotateCommand, PutsEverythingBackAfterTheRun) {
    using namespace frmmain_geometry;
    const TwipRect box = GeometryInTwips(*window->Wj);
    TwipRect boxDuringRun;
    bool maximizeEnabledDuringRun = true;
    window->Wj->setPlainText(QStringLiteral("中国"));
    for (int run = 0; run < 2; ++run) {
        ClickDuringRun([&] {
            boxDuringRun = GeometryInTwips(*window->Wj);
            maximizeEnabledDuringRun = window->Immax->isEnabled();
        });
    }
    EXPECT_EQ(boxDuringRun.height, box.height - 500);
    EXPECT_FALSE(maximizeEnabledDuringRun);
    EXPECT_EQ(GeometryInTwips(*window->Wj), box);
    EXPECT_TRUE(window->Immax->isEnabled());
    EXPECT_FALSE(window->PrgB->isVisible());
    EXPECT_FALSE(window->Label2->isVisible());
    // The end-of-run shift of the progress bar and percentage does not add up over runs.
    EXPECT_EQ(GeometryInTwips(*window->PrgB), kPrgB);
    EXPECT_EQ(GeometryInTwips(*window->Label2), kLabel2);
    EXPECT_EQ(QApplication::focusWidget(), window->Wj);
}

TEST_F(AnnotateCommand, RestoresAMaximizedWindowForTheRunAndMaximizesItAfter) {
    window->Immax_Click();
    QApplication::processEvents();
    ASSERT_TRUE(window->isMaximized());
    bool maximizedDuringRun = true;
    ClickDuringRun([&] { maximizedDuringRun = window->isMaximized(); });
    EXPECT_FALSE(maximizedDuringRun);
    EXPECT_TRUE(window->isMaximized());
}

TEST_F(AnnotateCommand, ASecondClickDuringARunIsIgnored) {
    window->Wj->setPlainText(QStringLiteral("中国"));
    ClickDuringRun([&] { window->zy_Click(); });
    EXPECT_EQ(prompts->shown, (QStringList{kQuestion, kSuccess}));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("Zhōng Guó \n中    国  \n"));
}

TEST_F(AnnotateCommand, ClosingDuringARunEndsItQuietlyAndClosesTheWindow) {
    window->Wj->setPlainText(QString(500, QChar(u'中')));
    ClickDuringRun([&] { window->close(); });
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompts->shown, QStringList{kQuestion});
    EXPECT_EQ(window->Wj->toPlainText(), QString(500, QChar(u'中')));
}

TEST_F(AnnotateCommand, ResultIsPlainTextInTheBoxFont) {
    window->Wj->setHtml(QStringLiteral("<p style='color:red; font-size:30pt'>中</p>"));
    window->zy_Click();
    QTextCursor cursor(window->Wj->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_FALSE(cursor.charFormat().hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(cursor.charFormat().hasProperty(QTextFormat::FontPointSize));
    EXPECT_EQ(cursor.charFormat().font(), window->Wj->font());
}

TEST_F(AnnotateCommand, AFailedRunLeavesTheDocumentAndSaysWhy) {
    dictionary.Append({u"好", u"好", u"", u""});
    window->Wj->setPlainText(QStringLiteral("好"));
    window->zy_Click();
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("好"));
    ASSERT_EQ(prompts->shown.size(), 2);
    EXPECT_NE(prompts->shown[1], kSuccess);
    EXPECT_TRUE(window->Immax->isEnabled());
}

struct PercentCase {
    const char* name;
    int64_t position;
    int64_t total;
    const char* caption;
};

// The case by its name, in the test names that ctest lists.
void PrintTo(const PercentCase& c, std::ostream* out) { *out << c.name; }

class PercentCaptionOf : public testing::TestWithParam<PercentCase> {};

// The share is rounded to two decimals, ties to the even neighbour, before it becomes a percentage.
TEST_P(PercentCaptionOf, RoundsToTwoDecimalsWithTiesToEven) {
    EXPECT_EQ(PercentCaption(GetParam().position, GetParam().total), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Progress, PercentCaptionOf,
                         testing::Values(PercentCase{"Start", 0, 240, "0%"},
                                         PercentCase{"OneThird", 80, 240, "33%"},
                                         PercentCase{"TwoThirds", 160, 240, "67%"},
                                         PercentCase{"TieRoundsDownToEven", 1, 8, "12%"},
                                         PercentCase{"TieRoundsUpToEven", 3, 8, "38%"},
                                         PercentCase{"LastChunkOfTwo", 80, 81, "99%"},
                                         PercentCase{"NothingToDo", 0, 0, "0%"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace sorvani::shell
