// The import and export commands: files in and out of the document box, and the hand-off of its
// text to a word processor.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextCursor>

#include "background_work.h"
#include "command_progress.h"
#include "dialog_directory.h"
#include "document_box.h"
#include "document_files.h"
#include "frmmain.h"
#include "long_command.h"
#include "reading_settings.h"
#include "rtf_reader.h"
#include "word_processor.h"

namespace sorvani::shell {

namespace {

const QString kExported = QStringLiteral("导出文件成功！");
const QString kFormatsSimplified =
    QStringLiteral(
        "文件中有的段落格式变化太多：每段只显示前%1处格式变化，其后沿用已有的格式；"
        "文字完整无缺。")
        .arg(sorvani::documents::kMostFormatChangesInParagraph);

// Where the file dialogs open: the folder of the file last chosen in either, while it exists.
QString DialogFolder() {
    const QString last = LoadLastFileFolder();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : DialogStartDirectory();
}

// The dialog gave a path: the next dialog opens in its folder.
std::optional<QString> RememberFolder(std::optional<QString> path) {
    if (path) SaveLastFileFolder(QFileInfo(*path).absolutePath());
    return path;
}

}  // namespace

void frmmain::LoadFile_Click() {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    Wj->show();
    Wj->repaint();
    const auto path = RememberFolder(CmdDlg->ChooseFileToOpen(
        {QStringLiteral("打开文件"), QStringLiteral("文本文件(.txt)|*.txt|写字板(.rtf)|*.rtf"),
         DialogFolder()}));
    if (!path) return;
    ImportDocument(*path, command.Events());
}

void frmmain::OpenDocument(const QString& path) {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (command.Started()) ImportDocument(path, command.Events());
}

void frmmain::ImportDocument(const QString& path, EventLoop& events) {
    // Reading a long file goes on while the window keeps answering; the box is given the whole
    // document at the end, which it lays out a piece at a time.
    bool formatsKept = true;
    try {
        ReplaceDocument(BuildDocument(
                            [&](QTextDocument& imported, std::stop_token stop) {
                                formatsKept = sorvani::documents::ImportFile(path, imported, stop);
                            },
                            Wj->font(), events),
                        events);
    } catch (...) {
        // The box keeps its document; a close of the window ends the import quietly.
        if (const auto message = FailureMessage(std::current_exception())) CmdDlg->Inform(*message);
        return;
    }
    // The caption names the document shown: a failed import leaves both as they were.
    Frame2->SetCaption(QDir::toNativeSeparators(path));
    Wj->document()->setModified(false);
    Wj->setFocus();
    if (!formatsKept) CmdDlg->Inform(kFormatsSimplified);
}

void frmmain::dcwj_Click() {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    if (CmdDlg->AskYesNo(QStringLiteral("输出到WORD吗？（Y/N）"))) {
        // The word processor's new document holds the text from now on, and guards it.
        if (SendToWordProcessor()) {
            Wj->document()->setModified(false);
            CmdDlg->Inform(kExported);
        }
        return;
    }
    const auto path = RememberFolder(CmdDlg->ChooseFileToSave(
        {QStringLiteral("导出文件"),
         QStringLiteral("写字板(.rtf)|*.rtf|PDF 文件(*.pdf)|*.pdf|网页(*.html)|*.html|"
                        "Word 文档(*.docx)|*.docx"),
         DialogFolder()}));
    if (!path) return;
    sorvani::documents::PrintedPage page;
    if (sorvani::documents::ExportFormatOf(*path) != sorvani::DocumentFormat::Rtf) {
        const auto choices = ChooseLayout(false);
        if (!choices) return;
        page.choices = *choices;
    }
    try {
        CommandProgress progress(*this);
        // The document's runs are taken between turns of the event loop (the box cannot change
        // meanwhile); writing them out goes on in the background, its progress shown as it
        // comes.
        EventLoop& events = command.Events();
        const sorvani::documents::DocumentSource source =
            sorvani::documents::DocumentSourceOf(*Wj->document(), [&] { events.Yield(); });
        ReportedProgress reported(progress, events);
        RunInBackground(
            [&](std::stop_token stop) {
                sorvani::documents::ExportFile(
                    source, *path, stop, page,
                    [&reported](qint64 written, qint64 total) { reported.Report(written, total); });
            },
            reported);
        progress.Complete();
        Wj->document()->setModified(false);
        CmdDlg->Inform(kExported);
    } catch (...) {
        // A close of the window ends the export quietly, the file left as it was.
        if (const auto message = FailureMessage(std::current_exception())) CmdDlg->Inform(*message);
        return;
    }
    Wj->setFocus();
}

// The box's whole text goes through the clipboard into a new document of the word processor,
// which stays open for the user. True when the document received the text.
bool frmmain::SendToWordProcessor() {
    const auto document = sorvani::documents::NewWordProcessorDocument();
    bool handedOver = false;
    if (document) {
        QClipboard& clipboard = *QGuiApplication::clipboard();
        clipboard.clear();
        const QString text = sorvani::documents::CrLfText(*Wj->document());
        QTextCursor all(Wj->document());
        all.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        Wj->setTextCursor(all);
        clipboard.setText(text);
        handedOver = document->Fill(clipboard.text());
    }
    if (!handedOver)
        CmdDlg->Inform(QStringLiteral("您的电脑中没有安装字处理软件，不能输出到WORD！"));
    return handedOver;
}

}  // namespace sorvani::shell
