#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <vector>

#include "dialog_directory.h"
#include "fake_word_processor.h"
#include "frmmain.h"
#include "recording_prompts.h"
#ifdef Q_OS_WIN
#include "word_installed.h"
#endif
#include "zip_reader.h"

namespace sorvani::shell {

namespace {

const QString kExported = QStringLiteral("导出文件成功！");
const QString kLeave = QStringLiteral("文件内容已改动，尚未导出。不导出就退出吗？（Y/N）");
const QString kNoWordProcessor = QStringLiteral("您的电脑中没有安装字处理软件，不能输出到WORD！");

class DocumentCommands : public testing::Test {
  protected:
    DocumentCommands() {
        auto recording = std::make_unique<RecordingPrompts>();
        prompts = recording.get();
        window = std::make_unique<frmmain>(dictionary, std::move(recording));
        window->show();
        window->activateWindow();
        QApplication::processEvents();
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void Import(const std::optional<QString>& path) {
        prompts->chosenFile = path;
        window->LoadFile_Click();
    }

    void ExportTo(const std::optional<QString>& path) {
        prompts->answerYes = false;
        prompts->chosenFile = path;
        window->dcwj_Click();
    }

    sorvani::PinyinDictionary dictionary;
    RecordingPrompts* prompts;
    std::unique_ptr<frmmain> window;
    QTemporaryDir folder;
};

TEST_F(DocumentCommands, CancellingEitherDialogChangesNothing) {
    const QString before = window->Wj->toPlainText();
    Import(std::nullopt);
    ExportTo(std::nullopt);
    EXPECT_EQ(window->Wj->toPlainText(), before);
    EXPECT_EQ(window->Frame2->Caption(), QStringLiteral("文件内容"));
    EXPECT_EQ(prompts->shown, QStringList{QStringLiteral("输出到WORD吗？（Y/N）")});
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(DocumentCommands, ImportsRtfWithItsFormattingAndShowsThePath) {
    const QString path = QStringLiteral(SORVANI_RTF_FIXTURES "/wordpad_chinese.rtf");
    Import(path);
    EXPECT_EQ(window->Frame2->Caption(), QDir::toNativeSeparators(path));
    EXPECT_TRUE(
        window->Wj->toPlainText().startsWith(QStringLiteral("汉语拼音，是中文的注音方案。")));
    const QTextBlock second = window->Wj->document()->findBlockByNumber(1);
    const QTextCharFormat red = second.begin().fragment().charFormat();
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(red.fontWeight(), QFont::Bold);
    EXPECT_EQ(QApplication::focusWidget(), window->Wj);
}

TEST_F(DocumentCommands, AnRtfParagraphWhoseFormatChangesTooOftenIsShownSimplified) {
    QByteArray source = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i) source += i % 2 ? "\\b0 \\u23383?" : "\\b \\u25991?";
    Import(Write("hostile.rtf", source + "}"));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("文字").repeated(1500));
    ASSERT_EQ(prompts->shown.size(), 1) << prompts->shown.join(u'|').toStdString();
    EXPECT_TRUE(prompts->shown[0].contains(QStringLiteral("格式变化太多")));
    EXPECT_TRUE(prompts->shown[0].contains(QStringLiteral("文字完整无缺")));
}

TEST_F(DocumentCommands, AParagraphWiderThanFourHundredColumnsIsWrappedUntilTheHelpReturns) {
    Import(Write("short.txt", QString(u'字').repeated(200).toUtf8()));
    EXPECT_EQ(window->Wj->lineWrapMode(), QTextEdit::NoWrap);
    Import(Write("long.txt", "first\n" + QString(u'字').repeated(401).toUtf8()));
    EXPECT_EQ(window->Wj->lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(window->Wj->toPlainText(), "first\n" + QString(u'字').repeated(401));
    window->about_Click();
    EXPECT_EQ(window->Wj->lineWrapMode(), QTextEdit::NoWrap);
}

TEST_F(DocumentCommands, ImportsTextInUtf8AndInCodePage936AndReplacesTheDocument) {
    Import(Write("utf8.txt", "\xEF\xBB\xBF中文\r\n第二行"));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中文\n第二行"));
    Import(Write("gbk.txt", "\xD6\xD0\xCE\xC4\r\n"));  // 中文 in code page 936
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("中文\n"));
    EXPECT_TRUE(prompts->shown.isEmpty());
}

// The caption keeps naming the document the box shows.
TEST_F(DocumentCommands, APathThatCannotBeOpenedKeepsTheDocumentItsCaptionAndSaysWhy) {
    const QString shown = Write("shown.txt", "my text");
    Import(shown);
    const QString missing = folder.filePath("gone.txt");
    Import(missing);
    EXPECT_EQ(window->Frame2->Caption(), QDir::toNativeSeparators(shown));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("my text"));
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_TRUE(prompts->shown[0].contains(QDir::toNativeSeparators(missing)));
}

TEST_F(DocumentCommands, ExportReplacesAnExistingFileAndUsesANameAsTyped) {
    window->Wj->setPlainText(QStringLiteral("拼音"));
    const QString existing = Write("old.rtf", "old content");
    ExportTo(existing);
    EXPECT_TRUE(Read(existing).startsWith("{\\rtf1"));
    const QString bare = folder.filePath("noextension");
    ExportTo(bare);
    EXPECT_TRUE(QFile::exists(bare));
    EXPECT_FALSE(QFile::exists(bare + ".rtf"));
    EXPECT_EQ(prompts->shown.count(kExported), 2);

    // What was exported comes back on import.
    window->Wj->clear();
    Import(bare);
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("拼音"));
}

TEST_F(DocumentCommands, ExportsPrintedPagesWebPagesAndWordDocumentsByTheNameChosen) {
    window->Wj->setPlainText(QStringLiteral("Hàn Yǔ \r\n汉  语 \r\n"));
    ExportTo(folder.filePath("page.PDF"));
    EXPECT_EQ(prompts->saveDialog.filter,
              QStringLiteral("写字板(.rtf)|*.rtf|PDF 文件(*.pdf)|*.pdf|网页(*.html)|*.html|"
                             "Word 文档(*.docx)|*.docx"));
    EXPECT_TRUE(Read(folder.filePath("page.PDF")).startsWith("%PDF-"));
    ExportTo(folder.filePath("page.html"));
    const QByteArray html = Read(folder.filePath("page.html"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    // Laid out for reading: syllables in small letters, each marked with its tone.
    EXPECT_TRUE(html.contains(
        "<ruby>汉<rt class=\"t4\">hàn</rt></ruby><ruby>语<rt class=\"t3\">yǔ</rt></ruby>"))
        << html.constData();
    // Each character with its syllable in Word's phonetic guide.
    ExportTo(folder.filePath("lesson.DOCX"));
    const QByteArray document = sorvani::testing_zip::ReadZip(Read(folder.filePath("lesson.DOCX")))
                                    .value("word/document.xml");
    EXPECT_EQ(document.count("<w:ruby>"), 2);
    EXPECT_TRUE(document.contains("> hàn </w:t>") && document.contains(">汉</w:t>"))
        << document.constData();
    EXPECT_EQ(prompts->shown.count(kExported), 3);
}

TEST_F(DocumentCommands, AFailedExportLeavesTheOldFileAndTheDocument) {
    window->Wj->setPlainText(QStringLiteral("keep me"));
    ExportTo(folder.filePath("no/such/folder/file.rtf"));
    EXPECT_FALSE(prompts->shown.contains(kExported));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("keep me"));
}

TEST_F(DocumentCommands, ExportsAnEmptyDocument) {
    window->Wj->clear();
    const QString path = folder.filePath("empty.rtf");
    ExportTo(path);
    Import(path);
    EXPECT_EQ(window->Wj->toPlainText(), QString());
}

TEST_F(DocumentCommands, HandsTheTextToTheWordProcessorThroughTheClipboard) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Word is reached through COM on Windows";
#endif
    window->Wj->setPlainText(QStringLiteral("第一行\n第二行"));
    FakeWordProcessor office;
    office.Install();
    prompts->answerYes = true;
    window->dcwj_Click();
    EXPECT_EQ(prompts->shown.last(), kExported);
    EXPECT_TRUE(office.WaitForRecord().endsWith("第一行\n第二行"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("第一行\r\n第二行"));
    EXPECT_EQ(window->Wj->textCursor().selectedText().size(), window->Wj->toPlainText().size());
}

TEST_F(DocumentCommands, WithoutAWordProcessorOnlyTheFailureShows) {
#ifdef Q_OS_WIN
    // Word itself, through COM.
    if (WordIsInstalled()) GTEST_SKIP() << "Word is installed here";
#else
    FakeWordProcessor nothingInstalled;
#endif
    prompts->answerYes = true;
    window->dcwj_Click();
    EXPECT_EQ(prompts->shown.last(), kNoWordProcessor);
    EXPECT_FALSE(prompts->shown.contains(kExported));
}

// Each way of closing: the close button, the exit command, the window system, the taskbar.
const std::vector<std::function<void(frmmain&)>> kClosings = {
    [](frmmain& w) { w.Imclose_Click(); },
    [](frmmain& w) { w.quit->click(); },
    [](frmmain& w) { w.close(); },
    [](frmmain& w) { w.TaskbarProxy().close(); },
};

TEST_F(DocumentCommands, ClosingAsksFirstWhenTheDocumentChangedSinceItsImportOrExport) {
    QTest::keyClicks(window->Wj, "typed");
    prompts->answerYes = false;
    for (const auto& closing : kClosings) closing(*window);
    EXPECT_EQ(prompts->shown.count(kLeave), qsizetype(kClosings.size()));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->TaskbarProxy().isVisible());

    // An annotation is a change too; exported, the document leaves without a question.
    prompts->answerYes = true;
    window->zy_Click();
    prompts->shown.clear();
    prompts->answerYes = false;
    window->close();
    EXPECT_EQ(prompts->shown, QStringList{kLeave});
    ExportTo(folder.filePath("lesson.rtf"));
    prompts->shown.clear();
    window->close();
    EXPECT_FALSE(prompts->shown.contains(kLeave));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->TaskbarProxy().isVisible());
}

// A question would keep the window open: each answer here is No.
TEST_F(DocumentCommands, TheHelpAndAnUntouchedImportCloseWithoutAQuestion) {
    for (const auto& closing : kClosings) {
        auto recording = std::make_unique<RecordingPrompts>();
        recording->answerYes = false;
        frmmain fresh(dictionary, std::move(recording));
        fresh.show();
        closing(fresh);
        EXPECT_FALSE(fresh.isVisible());
    }
    prompts->answerYes = false;
    QTest::keyClicks(window->Wj, "typed");
    window->about_Click();
    window->close();
    EXPECT_FALSE(window->isVisible());

    window->show();
    QTest::keyClicks(window->Wj, "typed");
    Import(Write("lesson.txt", "课文"));
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(prompts->shown.isEmpty());
}

// Both dialogs open where a file was last chosen in either, in this run or an earlier one.
TEST_F(DocumentCommands, BothDialogsOpenWhereAFileWasLastChosen) {
    QSettings(QStringLiteral("Sorvani"), QStringLiteral("Sorvani")).clear();
    Import(std::nullopt);
    EXPECT_EQ(prompts->openDialog.initialDirectory, DialogStartDirectory());
    ASSERT_TRUE(QDir(folder.path()).mkdir("lessons"));
    const QString lessons = folder.filePath("lessons");
    Import(Write("lessons/one.txt", "课文"));
    ExportTo(std::nullopt);
    EXPECT_EQ(prompts->saveDialog.initialDirectory, lessons);

    ExportTo(folder.filePath("out.rtf"));
    auto recording = std::make_unique<RecordingPrompts>();
    RecordingPrompts& next = *recording;
    frmmain nextRun(dictionary, std::move(recording));
    nextRun.LoadFile_Click();
    EXPECT_EQ(next.openDialog.initialDirectory, folder.path());

    // A folder gone since opens the dialog where it opened at first.
    ExportTo(folder.filePath("lessons/two.rtf"));
    ASSERT_TRUE(QDir(lessons).removeRecursively());
    Import(std::nullopt);
    EXPECT_EQ(prompts->openDialog.initialDirectory, DialogStartDirectory());
}

// A copy from the box names the monospaced font in its rich forms, for a paste that stays aligned.
TEST_F(DocumentCommands, ACopyFromTheBoxNamesTheMonospacedFont) {
    window->Wj->setPlainText(QStringLiteral("Hàn Yǔ \n汉  语 "));
    window->Wj->selectAll();
    window->Wj->copy();
    const QMimeData& copied = *QApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied.formats().contains(QStringLiteral("text/rtf")));
    EXPECT_TRUE(copied.html().contains(QStringLiteral("LXGW WenKai Mono")))
        << copied.html().toStdString();
    EXPECT_EQ(copied.text(), QStringLiteral("Hàn Yǔ \n汉  语 "));
}

// Ctrl+Z goes back past the box's own edits through the documents the commands replaced, with
// their formatting and captions; Ctrl+Y comes forward again.
TEST_F(DocumentCommands, EachReplacementOfTheDocumentCanBeUndoneAndRedone) {
    const auto press = [&](QKeySequence::StandardKey key) {
        QTest::keySequence(window->Wj, QKeySequence(key));
        QApplication::processEvents();
        return window->Wj->toPlainText();
    };
    window->Wj->clear();
    QTest::keyClicks(window->Wj, "typed");
    const QString path = QStringLiteral(SORVANI_RTF_FIXTURES "/wordpad_chinese.rtf");
    Import(path);
    const QString imported = window->Wj->toPlainText();
    window->aczy->setChecked(false);  // the tests have no word table
    window->zy_Click();
    const QString annotated = window->Wj->toPlainText();
    window->about_Click();
    const QString help = window->Wj->toPlainText();
    ASSERT_NE(annotated, imported);

    EXPECT_EQ(press(QKeySequence::Undo), annotated);
    EXPECT_EQ(press(QKeySequence::Undo), imported);
    EXPECT_EQ(window->Frame2->Caption(), QDir::toNativeSeparators(path));
    const QTextBlock second = window->Wj->document()->findBlockByNumber(1);
    EXPECT_EQ(second.begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(press(QKeySequence::Undo), QStringLiteral("typed"));
    EXPECT_EQ(window->Frame2->Caption(), QStringLiteral("文件内容"));
    // The box's own edit comes next.
    EXPECT_EQ(press(QKeySequence::Undo), QString());

    EXPECT_EQ(press(QKeySequence::Redo), QStringLiteral("typed"));
    EXPECT_EQ(press(QKeySequence::Redo), imported);
    EXPECT_EQ(press(QKeySequence::Redo), annotated);
    EXPECT_EQ(press(QKeySequence::Redo), help);
    EXPECT_EQ(press(QKeySequence::Redo), help);
}

TEST_F(DocumentCommands, TheContextMenusUndoBringsBackTheDocumentAnImportReplaced) {
    window->Wj->setPlainText(QStringLiteral("my text"));
    Import(Write("lesson.txt", "课文"));
    bool enabled = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        QAction* undo = menu->findChild<QAction*>(QStringLiteral("edit-undo"));
        enabled = undo && undo->isEnabled();
        if (enabled) undo->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window->Wj->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window->Wj->viewport(), &event);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("my text"));
}

}  // namespace

}  // namespace sorvani::shell
