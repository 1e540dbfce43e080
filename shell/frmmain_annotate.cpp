// The annotate command: the document box's text becomes pinyin lines over character lines.
#include <QThread>
#include <exception>
#include <string>
#include <utility>

#include "command_progress.h"
#include "document_box.h"
#include "document_files.h"
#include "frmmain.h"
#include "text_insertion.h"
#include "worker_run.h"

namespace sorvani::shell {

namespace {

// Holds the annotated text in a string of the kind the document is filled from.
class QStringOutputBox final : public sorvani::OutputBox {
  public:
    void Clear() override { text_.clear(); }
    void Append(std::u16string_view text) override {
        text_.append(QStringView(text.data(), static_cast<qsizetype>(text.size())));
    }
    const QString& Text() const { return text_; }

  private:
    QString text_;
};

// Why the word table cannot be used, for a message that names it.
QString WordTableProblem(const sorvani::WordTableError& error) {
    const QString file = QString::fromStdString(error.file());
    switch (error.kind()) {
        case sorvani::WordTableError::Kind::Missing:
            return QStringLiteral("找不到词表文件“%1”").arg(file);
        case sorvani::WordTableError::Kind::NotRegularFile:
            return QStringLiteral("词表“%1”不是普通文件").arg(file);
        case sorvani::WordTableError::Kind::Unreadable:
            return QStringLiteral("无法读取词表文件“%1”").arg(file);
        case sorvani::WordTableError::Kind::Damaged:
            break;
    }
    return QStringLiteral("词表文件“%1”已损坏").arg(file);
}

}  // namespace

const sorvani::ReadingChooser* frmmain::ChooseReadings() {
    LoadUserWords();
    sorvani::ReadingOptions options{aczy->isChecked(), ybbd->isChecked()};
    try {
        Annotation.ChooseReadings(options);
    } catch (const sorvani::WordTableError& error) {
        if (!std::exchange(toldWordTableUnavailable_, true))
            CmdDlg->Inform(
                QStringLiteral("按词注音不可用：%1。现在按单字注音；重新安装本程序可以恢复词表。")
                    .arg(WordTableProblem(error)));
        options.byWord = false;
        Annotation.ChooseReadings(options);
    }
    return Annotation.Chooser();
}

void frmmain::zy_Click() {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    try {
        Annotate(command);
    } catch (...) {
        // A close of the window ends the run quietly: nothing is left to show.
        if (const auto message = FailureMessage(std::current_exception())) {
            Wj->setFocus();
            CmdDlg->Inform(*message);
        }
    }
}

void frmmain::Annotate(LongCommand& command) {
    const sorvani::ToneMarks tones = CmdDlg->AskYesNo(QStringLiteral("您要标上音调吗？（Y/N）"))
                                         ? sorvani::ToneMarks::With
                                         : sorvani::ToneMarks::Without;
    ChooseReadings();
    {
        CommandProgress progress(*this);
        // The document's raw text is one quick copy; the rest of the run works on it on one
        // worker thread (the box cannot change meanwhile), which tells the progress before each
        // chunk. The result is plain text in the box's own font, whatever the document's
        // formatting was; the text document takes CR LF as one line break.
        const QString raw = Wj->document()->toRawText();
        const QFont font = Wj->font();
        QThread* const home = QThread::currentThread();
        std::unique_ptr<QTextDocument> annotated;
        RunOnWorker(
            [&](std::stop_token stop, const TellWaiter& tell) {
                const QString text = sorvani::documents::CrLfText(raw);
                QStringOutputBox output;
                const auto shown = [&](int64_t position, int64_t total) {
                    tell([&progress, position, total] { progress.Show(position, total); });
                };
                if (!Annotation.Annotate(
                        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                            static_cast<size_t>(text.size())),
                        tones, output, shown, stop))
                    throw sorvani::LongWorkCancelled{};
                auto document = std::make_unique<QTextDocument>();
                document->setDefaultFont(font);
                sorvani::documents::FillPlainText(output.Text(), *document, stop);
                document->moveToThread(home);
                annotated = std::move(document);
            },
            command.Stop());
        // A close that came as the work ended leaves the document as it was, too.
        if (command.Stop().stop_requested()) throw sorvani::LongWorkCancelled{};
        progress.Complete();
        ReplaceDocument(std::move(annotated), command.Events());
        // The annotation is work of the user's that no file holds yet.
        Wj->document()->setModified(true);
        CmdDlg->Inform(QStringLiteral("注音成功！"));
    }
    Wj->setFocus();
}

}  // namespace sorvani::shell
