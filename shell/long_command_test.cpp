// The window's long commands (import, export, annotate) under one guard: one at a time, a close
// during any of them ends it and then the window, and any failure ends in a message.
#include "long_command.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <new>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "document_error.h"
#include "event_loop.h"
#include "frmmain.h"
#include "recording_prompts.h"

namespace sorvani::shell {

namespace {

const QString kExported = QStringLiteral("导出文件成功！");
const QString kAnnotated = QStringLiteral("注音成功！");
const QString kToneQuestion = QStringLiteral("您要标上音调吗？（Y/N）");
const QString kWordQuestion = QStringLiteral("输出到WORD吗？（Y/N）");

// Also notes every file dialog shown, by its title.
class DialogRecordingPrompts : public RecordingPrompts {
  public:
    std::optional<QString> ChooseFileToOpen(const FileDialog& dialog) override {
        shown << dialog.title;
        return RecordingPrompts::ChooseFileToOpen(dialog);
    }
    std::optional<QString> ChooseFileToSave(const FileDialog& dialog) override {
        shown << dialog.title;
        return RecordingPrompts::ChooseFileToSave(dialog);
    }
};

enum class Command { Import, Export, Annotate };

std::string NameOf(Command command) {
    switch (command) {
        case Command::Import:
            return "Import";
        case Command::Export:
            return "Export";
        case Command::Annotate:
            return "Annotate";
    }
    return {};
}

class LongCommands : public testing::Test {
  protected:
    LongCommands() {
        dictionary.Append({u"中", u"中", u"zhōng", u"zhong"});
        auto recording = std::make_unique<DialogRecordingPrompts>();
        prompts = recording.get();
        window = std::make_unique<frmmain>(dictionary, std::move(recording));
        // One reading per character: the small dictionary has no word table beside it.
        window->aczy->setChecked(false);
        window->ybbd->setChecked(false);
        window->show();
        QApplication::processEvents();
        // Every check of the long commands turns the event loop, so that what a test does
        // "during" a command happens at its first turn, whatever the machine's speed.
        window->LongWorkYieldMs = 0;
        window->Wj->setPlainText(QStringLiteral("中"));
        input = Write("input.txt", "中中\n");
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    // Answers the prompts as the command needs, and clicks it.
    void Click(Command command) {
        switch (command) {
            case Command::Import:
                prompts->chosenFile = input;
                window->LoadFile_Click();
                return;
            case Command::Export:
                prompts->answerYes = false;
                prompts->chosenFile = folder.filePath("output.rtf");
                window->dcwj_Click();
                return;
            case Command::Annotate:
                prompts->answerYes = true;
                window->zy_Click();
                return;
        }
    }

    // Runs the command with the action taken at its first turn of the event loop.
    void During(Command command, const std::function<void()>& action) {
        QTimer::singleShot(0, window.get(), action);
        Click(command);
    }

    sorvani::PinyinDictionary dictionary;
    DialogRecordingPrompts* prompts;
    std::unique_ptr<frmmain> window;
    QTemporaryDir folder;
    QString input;
};

TEST_F(LongCommands, ACommandClickedDuringAnotherDoesNothing) {
    const Command all[] = {Command::Import, Command::Export, Command::Annotate};
    for (const Command running : all) {
        for (const Command clicked : all) {
            SCOPED_TRACE(NameOf(clicked) + " during " + NameOf(running));
            window->Wj->setPlainText(QStringLiteral("中"));
            QFile::remove(folder.filePath("output.rtf"));
            prompts->shown.clear();
            bool helpChanged = false;
            During(running, [&] {
                Click(clicked);
                const QString before = window->Wj->toPlainText();
                window->about_Click();
                helpChanged = window->Wj->toPlainText() != before;
            });
            EXPECT_FALSE(helpChanged);
            // Only the running command's own prompts show, and it does its whole work.
            switch (running) {
                case Command::Import:
                    EXPECT_EQ(prompts->shown, QStringList{QStringLiteral("打开文件")});
                    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中中\n"));
                    break;
                case Command::Export:
                    EXPECT_EQ(prompts->shown,
                              (QStringList{kWordQuestion, QStringLiteral("导出文件"), kExported}));
                    EXPECT_TRUE(Read(folder.filePath("output.rtf")).startsWith("{\\rtf1"));
                    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中"));
                    break;
                case Command::Annotate:
                    EXPECT_EQ(prompts->shown, (QStringList{kToneQuestion, kAnnotated}));
                    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("Zhōng \n中    \n"));
                    break;
            }
            EXPECT_FALSE(window->Wj->isReadOnly());
        }
    }
    // Afterwards each command runs again.
    prompts->shown.clear();
    Click(Command::Import);
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中中\n"));
}

TEST_F(LongCommands, NothingCanBeTypedIntoTheBoxWhileACommandRuns) {
    bool readOnly = false;
    During(Command::Import, [&] { readOnly = window->Wj->isReadOnly(); });
    EXPECT_TRUE(readOnly);
    EXPECT_FALSE(window->Wj->isReadOnly());
}

TEST_F(LongCommands, ClosingDuringAnImportEndsItAndThenTheWindow) {
    input = Write("long.txt", QByteArray("中文\n").repeated(200'000));
    During(Command::Import, [&] { window->close(); });
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中"));
    EXPECT_EQ(prompts->shown, QStringList{QStringLiteral("打开文件")});
}

TEST_F(LongCommands, ClosingDuringAnExportEndsItWithTheFileUntouchedAndThenTheWindow) {
    for (const char* name : {"output.rtf", "output.pdf", "output.html"}) {
        SCOPED_TRACE(name);
        const QString output = Write(name, "the old export");
        window->show();
        window->Wj->setPlainText(QStringLiteral("中文\n").repeated(50'000));
        prompts->shown.clear();
        QTimer::singleShot(0, window.get(), [&] { window->close(); });
        prompts->answerYes = false;
        prompts->chosenFile = output;
        window->dcwj_Click();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(Read(output), "the old export");
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"input.txt", name}));
        EXPECT_EQ(prompts->shown, (QStringList{kWordQuestion, QStringLiteral("导出文件")}));
        QFile::remove(output);
    }
}

TEST_F(LongCommands, AnExportShowsItsProgressAsTheAnnotationDoesAndPutsEverythingBack) {
    const int boxHeight = window->Wj->height();
    bool shownDuring = false;
    int boxHeightDuring = 0;
    window->Wj->setPlainText(QStringLiteral("中文\n").repeated(1'000));
    During(Command::Export, [&] {
        shownDuring = window->PrgB->isVisible() && window->Label2->isVisible();
        boxHeightDuring = window->Wj->height();
    });
    EXPECT_TRUE(shownDuring);
    EXPECT_LT(boxHeightDuring, boxHeight);
    EXPECT_EQ(prompts->shown.last(), kExported);
    EXPECT_FALSE(window->PrgB->isVisible());
    EXPECT_FALSE(window->Label2->isVisible());
    EXPECT_EQ(window->Wj->height(), boxHeight);
    EXPECT_TRUE(window->Immax->isEnabled());
}

TEST_F(LongCommands, AFailedImportKeepsTheDocumentAndSaysWhy) {
    input = Write("picture.png", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
    Click(Command::Import);
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中"));
    ASSERT_EQ(prompts->shown.size(), 2);
    EXPECT_TRUE(prompts->shown[1].contains(QDir::toNativeSeparators(input)));
    EXPECT_FALSE(window->Wj->isReadOnly());
}

#ifdef Q_OS_UNIX
TEST_F(LongCommands, APipeIsNoFileToImport) {
    // Opening a pipe waits for a writer that may never come; the import says so at once.
    input = folder.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(input).constData(), 0600), 0);
    Click(Command::Import);
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中"));
    ASSERT_EQ(prompts->shown.size(), 2);
    EXPECT_TRUE(prompts->shown[1].contains(QStringLiteral("不是普通文件")))
        << prompts->shown[1].toStdString();
}
#endif

TEST(FailureMessage, NamesEveryKindOfFailureAndNoneForAClose) {
    const auto message = [](auto failure) {
        return FailureMessage(std::make_exception_ptr(failure));
    };
    EXPECT_EQ(message(sorvani::LongWorkCancelled{}), std::nullopt);
    EXPECT_EQ(message(sorvani::documents::DocumentError(QStringLiteral("无法写入文件"))),
              QStringLiteral("无法写入文件"));
    EXPECT_EQ(message(std::bad_alloc()), QStringLiteral("内存不足，无法完成这项操作。"));
    EXPECT_EQ(message(std::runtime_error("layout failed")), QStringLiteral("layout failed"));
    EXPECT_EQ(message(42), QStringLiteral("发生了未知的错误。"));
}

}  // namespace

}  // namespace sorvani::shell
