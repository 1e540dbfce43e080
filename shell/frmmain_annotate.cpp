// The annotate command: the document box's text becomes pinyin lines over character lines.
#include <algorithm>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "annotation_run.h"
#include "background_work.h"
#include "column_ruler.h"
#include "command_progress.h"
#include "document_box.h"
#include "document_files.h"
#include "frmmain.h"
#include "text_insertion.h"

namespace {

// Holds a run's text in pieces of bounded length: one growing string would copy the whole text
// each time it grows, where the window does not answer. The pieces are joined in the background.
class PieceOutputBox final : public sorvani::OutputBox {
  public:
    void Clear() override { pieces_.clear(); }
    void Append(std::u16string_view text) override {
        if (pieces_.empty() || pieces_.back().size() + text.size() > kPieceLength) {
            pieces_.emplace_back();
            pieces_.back().reserve(std::max(kPieceLength, text.size()));
        }
        pieces_.back().append(text);
    }

    QString Joined() const {
        qsizetype length = 0;
        for (const std::u16string& piece : pieces_) length += static_cast<qsizetype>(piece.size());
        QString text;
        text.reserve(length);
        for (const std::u16string& piece : pieces_)
            text.append(reinterpret_cast<const QChar*>(piece.data()),
                        static_cast<qsizetype>(piece.size()));
        return text;
    }

  private:
    static constexpr size_t kPieceLength = size_t{1} << 20;
    std::vector<std::u16string> pieces_;
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
        return Readings.RebuildChooser(options, Dictionary);
    } catch (const sorvani::WordTableError& error) {
        if (!std::exchange(toldWordTableUnavailable_, true))
            CmdDlg->Inform(
                QStringLiteral("按词注音不可用：%1。现在按单字注音；重新安装本程序可以恢复词表。")
                    .arg(WordTableProblem(error)));
        options.byWord = false;
        return Readings.RebuildChooser(options, Dictionary);
    }
}

void frmmain::zy_Click() {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    try {
        Annotate(command.Events());
    } catch (...) {
        // A close of the window ends the run quietly: nothing is left to show.
        if (const auto message = FailureMessage(std::current_exception())) {
            Wj->setFocus();
            CmdDlg->Inform(*message);
        }
    }
}

void frmmain::Annotate(sorvani::EventLoop& events) {
    const int16_t toneFlag = CmdDlg->AskYesNo(QStringLiteral("您要标上音调吗？（Y/N）"))
                                 ? sorvani::kWithTones
                                 : sorvani::kWithoutTones;
    const sorvani::ReadingChooser* chooser = ChooseReadings();
    {
        CommandProgress progress(*this);
        // The work copy of the document is held as text rather than in the hidden box wjtemp:
        // nobody sees it, and a second rich-text document would double the cost of a long run.
        // The document's raw text is one quick copy; the work copy is made of it in the
        // background (the box cannot change meanwhile).
        const QString raw = Wj->document()->toRawText();
        std::u16string work;
        RunInBackground(
            [&](std::stop_token) { work = sorvani::documents::CrLfText(raw).toStdU16String(); },
            events);
        PieceOutputBox output;
        sorvani::ColumnRuler ruler;
        // Before each chunk: the progress made by the one before, then the new percentage.
        sorvani::RunAnnotation(
            work, toneFlag, annotatedLines_, {pinyin_, ruler, output, events, chooser},
            [&progress](int64_t position, int64_t total) { progress.Show(position, total); });
        progress.Complete();
        // The result is plain text in the box's own font, whatever the document's formatting
        // was. The text document takes CR LF as one line break, as the box's plain text has it.
        ReplaceDocument(BuildDocument(
                            [&](QTextDocument& document, std::stop_token stop) {
                                sorvani::documents::FillPlainText(output.Joined(), document, stop);
                            },
                            Wj->font(), events),
                        events);
        // The annotation is work of the user's that no file holds yet.
        Wj->document()->setModified(true);
        CmdDlg->Inform(QStringLiteral("注音成功！"));
    }
    Wj->setFocus();
}
