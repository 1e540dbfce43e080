// The layout dialog, and the export and print paths that reach it: what it offers, what the
// settings keep of it, Ctrl+P and the document's menu, and a print to a PDF file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "frmmain.h"
#include "layout_choices_dialog.h"
#include "reading_settings.h"
#include "recording_prompts.h"
#include "settings_file.h"
#include "shown_window.h"

namespace sorvani::shell {

namespace {

using namespace Qt::StringLiterals;
using sorvani::documents::ReadingChoices;

TEST(LayoutChoicesDialog, OffersTheChoicesGivenAndShutsWhatTheBoxCopyDoesNotUse) {
    const ReadingChoices given = ReadingChoices{.size = 20, .capitals = true, .grid = true};
    LayoutChoicesDialog dialog(given, false);
    EXPECT_EQ(dialog.Choices(), given);
    EXPECT_EQ(dialog.windowTitle(), u"版面设置"_s);
    dialog.size->setValue(99);
    dialog.toneColours->setChecked(true);
    dialog.box->setChecked(true);
    for (QWidget* readingOnly : std::initializer_list<QWidget*>{dialog.size, dialog.capitals,
                                                                dialog.toneColours, dialog.grid})
        EXPECT_FALSE(readingOnly->isEnabled());
    const ReadingChoices chosen = dialog.Choices();
    EXPECT_EQ(chosen.layout, ReadingChoices::Layout::Box);
    EXPECT_EQ(chosen.size, ReadingChoices::kLargestSize);
    EXPECT_TRUE(chosen.toneColours && chosen.grid && chosen.capitals);
    dialog.reading->setChecked(true);
    EXPECT_TRUE(dialog.grid->isEnabled());
}

TEST(LayoutChoicesDialog, ForPrintingOffersNoBoxCopyAndKeepsTheExportsLayout) {
    LayoutChoicesDialog dialog(
        ReadingChoices{.layout = ReadingChoices::Layout::Box, .capitals = true}, true);
    EXPECT_TRUE(dialog.box->isHidden());
    EXPECT_TRUE(dialog.grid->isEnabled());
    dialog.grid->setChecked(true);
    const ReadingChoices expected{
        .layout = ReadingChoices::Layout::Box, .capitals = true, .grid = true};
    EXPECT_EQ(dialog.Choices(), expected);
}

class LayoutPaths : public testing::Test {
  protected:
    LayoutPaths() {
        MoveSettingsFile(folder.filePath(u"Sorvani.conf"_s));
        window = ShownWindow(dictionary, prompts);
        window->Wj->setPlainText(u"Zhong Guo\r\n中   国"_s);
    }
    ~LayoutPaths() override { MoveSettingsFile(QString()); }

    QString ExportTo(const QString& name) {
        prompts->answerYes = false;
        prompts->chosenFile = folder.filePath(name);
        window->dcwj_Click();
        return *prompts->chosenFile;
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    sorvani::PinyinDictionary dictionary;
    QTemporaryDir folder;
    RecordingPrompts* prompts;
    std::unique_ptr<frmmain> window;
};

TEST_F(LayoutPaths, PagesAndWebPagesAskForTheLayoutWhichTheSettingsKeep) {
    EXPECT_FALSE(Read(ExportTo(u"a.rtf"_s)).isEmpty());
    EXPECT_EQ(prompts->layoutDialogs, 0);
    // The first time, the defaults.
    const ReadingChoices chosen = ReadingChoices{.size = 30, .capitals = true};
    prompts->chosenLayout = chosen;
    EXPECT_TRUE(Read(ExportTo(u"a.html"_s)).contains("font-size: 30pt"));
    EXPECT_EQ(prompts->layoutDialogs, 1);
    EXPECT_FALSE(prompts->layoutForPrinting);
    EXPECT_EQ(prompts->layoutOffered, ReadingChoices());
    // Then what was chosen, also in a window started anew.
    prompts->chosenLayout.reset();
    EXPECT_TRUE(Read(ExportTo(u"a.pdf"_s)).startsWith("%PDF"));
    EXPECT_EQ(prompts->layoutOffered, chosen);
    EXPECT_EQ(LoadLayoutChoices(), chosen);
}

TEST_F(LayoutPaths, ACancelledLayoutDialogWritesNothingAndKeepsTheSettings) {
    prompts->acceptLayout = false;
    const QString path = ExportTo(u"a.pdf"_s);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(prompts->shown, QStringList{u"输出到WORD吗？（Y/N）"_s});
    window->PrintDocument();
    EXPECT_EQ(prompts->printDialogs, 0);
    EXPECT_EQ(LoadLayoutChoices(), ReadingChoices());
}

TEST_F(LayoutPaths, CtrlPAndTheDocumentsMenuPrintAfterTheLayoutDialog) {
    QTest::keyClick(window->Wj, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(prompts->layoutDialogs, 1);
    EXPECT_TRUE(prompts->layoutForPrinting);
    EXPECT_EQ(prompts->printDialogs, 1);

    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions())
            if (action->objectName() == u"print"_s) action->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window->Wj->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window->Wj->viewport(), &event);
    EXPECT_EQ(prompts->printDialogs, 2);
    // A cancelled print dialog prints nothing and says nothing.
    EXPECT_TRUE(prompts->shown.isEmpty());
}

TEST_F(LayoutPaths, PrintsReadingMaterialToAPdfFileWhateverLayoutTheExportKeeps) {
    SaveLayoutChoices(ReadingChoices{.layout = ReadingChoices::Layout::Box, .capitals = true});
    const QString path = folder.filePath(u"printed.pdf"_s);
    prompts->choosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    window->PrintDocument();
    EXPECT_TRUE(prompts->shown.isEmpty()) << prompts->shown.join(u'\n').toStdString();
    const QByteArray pdf = Read(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    // Not the box's monospaced font: the reading layout's.
    EXPECT_FALSE(pdf.contains("Mono"));
    EXPECT_EQ(LoadLayoutChoices().layout, ReadingChoices::Layout::Box);
}

}  // namespace

}  // namespace sorvani::shell
