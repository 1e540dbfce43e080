#include "user_prompts.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QStringList>

#include "layout_choices_dialog.h"

namespace sorvani::shell {

namespace {

const QString kTitle = QStringLiteral("Sorvani");
// Room the window manager's title bar takes besides the title: its icon and buttons.
constexpr int kTitleBarButtonsRoom = 160;

// "Text(.txt)|*.txt|RTF(.rtf)|*.rtf" becomes Qt's "Text(.txt) (*.txt);;RTF(.rtf) (*.rtf)".
QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return entries.join(QStringLiteral(";;"));
}

// The extension of a filter's first pattern, "pdf" of "PDF 文件(*.pdf) (*.pdf)".
QString ExtensionOf(const QString& nameFilter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\((\\S+)[^()]*\\)$"));
    const QRegularExpressionMatch match = firstPattern.match(nameFilter);
    return match.hasMatch() ? QFileInfo(match.captured(1)).suffix() : QString();
}

// A file dialog in which a name typed without an extension gets the one of the file type
// chosen, as the name then asks for that type; the question before replacing a file sees the
// whole name.
class TypedFileDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

  protected:
    void accept() override {
        if (acceptMode() == AcceptSave) setDefaultSuffix(ExtensionOf(selectedNameFilter()));
        QFileDialog::accept();
    }
};

// A question with the answers Yes and No and no third way out: Esc and the title bar's close
// leave it open, as a Yes/No box of Windows does, rather than answer No for the user.
class YesNoBox : public QMessageBox {
  public:
    YesNoBox(const QString& question, QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, kTitle, question, QMessageBox::Yes | QMessageBox::No,
                      parent) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!event->matches(QKeySequence::Cancel)) QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (clickedButton())
            QMessageBox::closeEvent(event);
        else
            event->ignore();
    }
};

// Whatever happens in a dialog, the keyboard comes back to the window it was shown over: some
// window managers give it to another window of the program when a dialog closes.
class ReturnsToWindow {
  public:
    explicit ReturnsToWindow(QWidget* parent) : window_(parent ? parent->window() : nullptr) {}
    ~ReturnsToWindow() {
        if (!window_ || !window_->isVisible()) return;
        window_->raise();
        window_->activateWindow();
    }
    ReturnsToWindow(const ReturnsToWindow&) = delete;
    ReturnsToWindow& operator=(const ReturnsToWindow&) = delete;

  private:
    QWidget* window_;
};

std::optional<QString> ChooseFile(QWidget* parent, const UserPrompts::FileDialog& settings,
                                  QFileDialog::AcceptMode mode) {
    const ReturnsToWindow back(parent);
    NameOnlyIconProvider icons;
    TypedFileDialog dialog(parent, settings.title, settings.initialDirectory,
                           QtFilter(settings.filter));
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // A dialog of the system (Windows) adds the chosen type's extension once it has a default one.
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(ExtensionOf(dialog.selectedNameFilter()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    return QFileIconProvider::icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (!info.isFile()) return QFileIconProvider::type(info);
    const QMimeType byName =
        QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return byName.comment().isEmpty() ? byName.name() : byName.comment();
}

void WidenForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const int width =
        box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + kTitleBarButtonsRoom;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

bool DialogPrompts::AskYesNo(const QString& question) {
    const ReturnsToWindow back(parent_);
    YesNoBox box(question, parent_);
    WidenForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

void DialogPrompts::Inform(const QString& message) {
    const ReturnsToWindow back(parent_);
    QMessageBox box(QMessageBox::Information, kTitle, message, QMessageBox::Ok, parent_);
    WidenForTitle(box);
    box.exec();
}

std::optional<QString> DialogPrompts::AskText(const QString& question, const QString& proposal) {
    const ReturnsToWindow back(parent_);
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(kTitle);
    dialog.setLabelText(question);
    dialog.setTextValue(proposal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> DialogPrompts::ChooseFileToOpen(const FileDialog& dialog) {
    return ChooseFile(parent_, dialog, QFileDialog::AcceptOpen);
}

std::optional<QString> DialogPrompts::ChooseFileToSave(const FileDialog& dialog) {
    return ChooseFile(parent_, dialog, QFileDialog::AcceptSave);
}

std::optional<sorvani::documents::ReadingChoices> DialogPrompts::ChooseLayout(
    const sorvani::documents::ReadingChoices& current, bool forPrinting) {
    const ReturnsToWindow back(parent_);
    LayoutChoicesDialog dialog(current, forPrinting, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choices();
}

bool DialogPrompts::ChoosePrinter(QPrinter& printer) {
    const ReturnsToWindow back(parent_);
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace sorvani::shell
