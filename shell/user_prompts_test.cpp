#include "user_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include "qt_translations.h"

namespace sorvani::shell {

namespace {

// A file whose name says nothing and whose first bytes say PDF: reading it would tell PDF. The
// dialogs must not read files at all: some never answer (/proc/kmsg) and would freeze the window.
TEST(FileDialogIcons, TellAFilesTypeByItsNameAlone) {
    QTemporaryDir folder;
    QFile file(folder.filePath("kmsg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    file.close();
    const QFileInfo info(file.fileName());

    const NameOnlyIconProvider names;
    const QString unknown = QMimeDatabase().mimeTypeForName("application/octet-stream").comment();
    EXPECT_EQ(names.type(info), unknown);
    // Qt's own provider reads the file, which is what the dialogs must not do.
    EXPECT_NE(QFileIconProvider().type(info), unknown);

    QFile::rename(file.fileName(), folder.filePath("notes.txt"));
    EXPECT_EQ(names.type(QFileInfo(folder.filePath("notes.txt"))),
              QMimeDatabase().mimeTypeForName("text/plain").comment());
    EXPECT_EQ(names.type(QFileInfo(folder.path())),
              QFileIconProvider().type(QFileInfo(folder.path())));
}

// Types a name into the save dialog, with the file type chosen, and accepts it.
std::string SaveAs(const QString& folder, int fileType, const QString& typedName) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->selectNameFilter(dialog->nameFilters().value(fileType));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typedName);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    return DialogPrompts()
        .ChooseFileToSave(
            {QStringLiteral("导出文件"),
             QStringLiteral("写字板(.rtf)|*.rtf|PDF 文件(*.pdf)|*.pdf|网页(*.html)|*.html|"
                            "Word 文档(*.docx)|*.docx"),
             folder})
        .value_or(QStringLiteral("(cancelled)"))
        .toStdString();
}

TEST(SaveDialog, ANameWithoutExtensionTakesTheChosenTypes) {
    QTemporaryDir folder;
    EXPECT_EQ(SaveAs(folder.path(), 0, "lesson"), folder.filePath("lesson.rtf").toStdString());
    EXPECT_EQ(SaveAs(folder.path(), 1, "lesson"), folder.filePath("lesson.pdf").toStdString());
    EXPECT_EQ(SaveAs(folder.path(), 2, "lesson"), folder.filePath("lesson.html").toStdString());
    EXPECT_EQ(SaveAs(folder.path(), 3, "lesson"), folder.filePath("lesson.docx").toStdString());
    // A name with its own extension is kept as typed.
    EXPECT_EQ(SaveAs(folder.path(), 1, "lesson.htm"), folder.filePath("lesson.htm").toStdString());
}

// A Yes/No question has no third answer: Esc and a close by the window manager leave it open.
TEST(YesNoQuestion, EscAndCloseLeaveItOpen) {
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &esc);
        const bool closed = box->close();
        QApplication::processEvents();
        stillOpen = !closed && box->isVisible();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(DialogPrompts().AskYesNo(QStringLiteral("您要标上音调吗？（Y/N）")));
    EXPECT_TRUE(stillOpen);
}

// The window manager's title bar holds the title, an icon and a few buttons; a box as narrow as
// a short message shortens the title to "S…i".
TEST(MessageBoxes, AreWideEnoughForTheirTitle) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Sorvani"),
                    QStringLiteral("注音成功！"), QMessageBox::Ok);
    WidenForTitle(box);
    box.show();
    QApplication::processEvents();
    EXPECT_GE(box.width(), box.fontMetrics().horizontalAdvance(QStringLiteral("Sorvani")) + 4 * 24);
}

TEST(QtTranslations, QtsOwnButtonsReadChineseAndTheProgramsTextsStay) {
    QTranslator* translator = InstallQtChineseTranslations(*QCoreApplication::instance());
    if (!translator) GTEST_SKIP() << "Qt's translations are not installed";
    const QString question = QStringLiteral("您要标上音调吗？（Y/N）");
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sorvani"), question,
                    QMessageBox::Yes | QMessageBox::No);
    const QString yes = box.button(QMessageBox::Yes)->text();
    const QString no = box.button(QMessageBox::No)->text();
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_TRUE(yes.startsWith(QStringLiteral("是"))) << yes.toStdString();
    EXPECT_TRUE(no.startsWith(QStringLiteral("否"))) << no.toStdString();
    EXPECT_EQ(box.text(), question);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Sorvani"));
}

}  // namespace

}  // namespace sorvani::shell
