#include "frmstart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "recording_prompts.h"
#include "test_dictionary.h"
#include "twips.h"

namespace sorvani::startup {

using namespace shell;

namespace {

class Splash : public testing::Test {
  protected:
    Splash() : splash(dictionary, DictionaryFile(), prompts) {}

    std::filesystem::path DictionaryFile() {
        const std::filesystem::path file = folder.path().toStdString() + "/VeRevor.dll";
        sorvani::test_support::WriteDictionaryFile(file);
        return file;
    }

    // Plays the splash's timers up to the given time on a clock of the test's own, a millisecond
    // at a time: each running timer ticks whenever its interval has passed since it started or
    // last ticked, the timers of one moment in the order the splash numbers them.
    void PlayUntil(int milliseconds) {
        while (now < milliseconds) {
            ++now;
            for (Ticking& timer : timers) {
                if (timer.timer->isActive() && now - timer.last >= timer.timer->interval()) {
                    timer.last = now;
                    (splash.*timer.tick)();
                }
            }
        }
    }

    QColor TitleColour() const { return splash.Label1->palette().color(QPalette::WindowText); }

    QTemporaryDir folder;
    sorvani::PinyinDictionary dictionary;
    RecordingPrompts prompts;
    frmstart splash;

    struct Ticking {
        QTimer* timer;
        void (frmstart::*tick)();
        int last = 0;  // the timers start with the splash, at 0
    };
    int now = 0;
    Ticking timers[4] = {{&splash.Timer1, &frmstart::Timer1_Timer},
                         {&splash.Timer2, &frmstart::Timer2_Timer},
                         {&splash.Timer3, &frmstart::Timer3_Timer},
                         {&splash.Timer4, &frmstart::Timer4_Timer}};
};

TEST_F(Splash, LoadsWithTheLinesAtTheirStartAndTheTitleEmpty) {
    EXPECT_EQ(GeometryInTwips(splash).width, 5085);
    EXPECT_EQ(GeometryInTwips(splash).height, 3270);
    EXPECT_DOUBLE_EQ(splash.Line1.x1, 2542.5);
    EXPECT_DOUBLE_EQ(splash.Line2.x2, 2542.5);
    EXPECT_DOUBLE_EQ(splash.Line3.x1, 0);
    EXPECT_TRUE(splash.Label1->text().isEmpty());
    const TwipRect right = GeometryInTwips(*splash.Label3);
    EXPECT_NEAR(right.left + right.width, 5085 - 100, 8);
}

TEST_F(Splash, PlaysItsTimelineThenLoadsTheDictionaryAndOpensTheMainWindow) {
    PlayUntil(50);
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("SorvaniV1.5"));
    EXPECT_EQ(TitleColour(), QColor(255, 0, 0));
    const TwipRect title = GeometryInTwips(*splash.Label1);
    EXPECT_NEAR(title.left, (5085 - title.width) / 2.0, 1);
    // The X opens 100 twips per end and tick, from the whole twip left of the centre.
    EXPECT_DOUBLE_EQ(splash.Line1.x1, 2642);
    EXPECT_DOUBLE_EQ(splash.Line1.x2, 2442);
    EXPECT_DOUBLE_EQ(splash.Line2.x1, 2442);

    PlayUntil(450);
    // The sweep passed the centre at 450 ms: the X stays open by 900 twips each side.
    EXPECT_FALSE(splash.Timer1.isActive());
    EXPECT_FALSE(splash.Timer2.isActive());
    EXPECT_DOUBLE_EQ(splash.Line1.x1, 2542 + 900);
    EXPECT_DOUBLE_EQ(splash.Line2.x1, 2542 - 900);

    PlayUntil(500);
    EXPECT_EQ(TitleColour(), QColor(15, 0, 240));
    EXPECT_EQ(splash.MainWindow(), nullptr);
    PlayUntil(999);
    EXPECT_DOUBLE_EQ(splash.Line3.x1, 5700);
    EXPECT_EQ(splash.MainWindow(), nullptr);

    PlayUntil(1000);
    ASSERT_NE(splash.MainWindow(), nullptr);
    EXPECT_TRUE(splash.MainWindow()->isVisible());
    EXPECT_EQ(&splash.MainWindow()->Dictionary, &dictionary);
    EXPECT_EQ(size_t(dictionary.size()), sorvani::test_support::SmallDictionaryRecords().size());
    EXPECT_FALSE(splash.isVisible());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), splash.MainWindow());
    EXPECT_FALSE(splash.Line3.visible);
    for (const QTimer* timer : {&splash.Timer1, &splash.Timer2, &splash.Timer3, &splash.Timer4})
        EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(Splash, EndsAfterAboutOneSecond) {
    while (!splash.MainWindow() && now < 10000) PlayUntil(now + 1);
    EXPECT_NEAR(now, 1000, 100);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(Splash, AMouseMoveDuringTheAnimationChangesNothing) {
    PlayUntil(900);
    splash.Form_MouseMove();
    EXPECT_EQ(splash.MainWindow(), nullptr);
    EXPECT_TRUE(splash.Timer4.isActive());
}

TEST_F(Splash, TheProgramEndsWhenItsMainWindowCloses) {
    PlayUntil(1000);
    ASSERT_NE(splash.MainWindow(), nullptr);
    QTimer::singleShot(0, splash.MainWindow(), [&] { splash.MainWindow()->close(); });
    // Only a program that goes on fails the test this way, rather than hanging it.
    QTimer::singleShot(60000, &splash, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(Splash, RunsOnItsOwnTimersUntilTheMainWindowOpens) {
    splash.show();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (splash.MainWindow()) loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_NE(splash.MainWindow(), nullptr);
    EXPECT_TRUE(splash.MainWindow()->isVisible());
    EXPECT_FALSE(splash.isVisible());
}

// The file given on the command line: opened as the import opens it, once the main window shows.
class SplashWithDocument : public Splash {
  protected:
    // Plays the whole animation; the main window opens and the queued import has not run yet.
    frmmain& OpenMainWindow(const QString& document) {
        splash.OpenWhenShown(document);
        PlayUntil(1000);
        frmmain* main = splash.MainWindow();
        EXPECT_NE(main, nullptr);
        main->CmdDlg = std::make_unique<RecordingPrompts>();
        return *main;
    }
    static const RecordingPrompts& PromptsOf(const frmmain& main) {
        return static_cast<const RecordingPrompts&>(*main.CmdDlg);
    }
};

TEST_F(SplashWithDocument, OpensTheFileInTheDocumentBoxWithItsPathAsCaption) {
    const QString file = folder.filePath(QStringLiteral("课文.txt"));
    std::ofstream(std::filesystem::path(file.toStdU16String()), std::ios::binary)
        << "\xEF\xBB\xBF中文";
    frmmain& main = OpenMainWindow(file);
    const QString caption = QDir::toNativeSeparators(file);
    EXPECT_NE(main.Frame2->Caption(), caption);  // not before the window has shown
    QApplication::processEvents();
    EXPECT_EQ(main.Frame2->Caption(), caption);
    EXPECT_EQ(main.Wj->toPlainText(), QStringLiteral("中文"));
    EXPECT_TRUE(PromptsOf(main).shown.isEmpty());
    // Opened once, however often the window is shown again.
    std::ofstream(std::filesystem::path(file.toStdU16String()), std::ios::binary) << "changed";
    splash.Form_MouseMove();
    QApplication::processEvents();
    EXPECT_EQ(main.Wj->toPlainText(), QStringLiteral("中文"));
}

TEST_F(SplashWithDocument, AFileThatCannotBeReadIsReportedAsTheImportReportsIt) {
    const QString missing = folder.filePath(QStringLiteral("gone.txt"));
    frmmain& main = OpenMainWindow(missing);
    const QString helpText = main.Wj->toPlainText();
    QApplication::processEvents();
    // The caption keeps naming the document shown.
    EXPECT_EQ(main.Frame2->Caption(), QStringLiteral("文件内容"));
    EXPECT_EQ(main.Wj->toPlainText(), helpText);
    ASSERT_EQ(PromptsOf(main).shown.size(), 1);
    EXPECT_TRUE(PromptsOf(main).shown[0].contains(QDir::toNativeSeparators(missing)))
        << PromptsOf(main).shown[0].toStdString();
    EXPECT_TRUE(main.isVisible());
}

TEST(FailedStart, ReportsTheMissingDictionaryAndNeverOpensTheMainWindow) {
    QTemporaryDir folder;
    const std::filesystem::path missing = folder.path().toStdString() + "/VeRevor.dll";
    sorvani::PinyinDictionary dictionary;
    RecordingPrompts prompts;
    frmstart splash(dictionary, missing, prompts);
    for (int i = 0; i < 17; ++i) splash.Timer3_Timer();
    splash.Timer4_Timer();

    EXPECT_TRUE(splash.StartFailed());
    EXPECT_EQ(splash.MainWindow(), nullptr);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].contains(
        QDir::toNativeSeparators(QString::fromStdU16String(missing.u16string()))));
    // The report is modal: no tick may load the dictionary a second time behind it.
    EXPECT_FALSE(splash.Timer4.isActive());
    splash.Form_MouseMove();
    EXPECT_EQ(splash.MainWindow(), nullptr);
}

}  // namespace

}  // namespace sorvani::startup
