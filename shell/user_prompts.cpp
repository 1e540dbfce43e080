#include "user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

const QString kTitle = QStringLiteral("Sorvani");

// "Text(.txt)|*.txt|RTF(.rtf)|*.rtf" becomes Qt's "Text(.txt) (*.txt);;RTF(.rtf) (*.rtf)".
QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace

bool DialogPrompts::AskYesNo(const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, question, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    return box.exec() == QMessageBox::Yes;
}

void DialogPrompts::Inform(const QString& message) {
    QMessageBox::information(parent_, kTitle, message, QMessageBox::Ok);
}

std::optional<QString> DialogPrompts::ChooseFileToOpen(const FileDialog& dialog) {
    return Chosen(QFileDialog::getOpenFileName(parent_, dialog.title, dialog.initialDirectory,
                                               QtFilter(dialog.filter)));
}

std::optional<QString> DialogPrompts::ChooseFileToSave(const FileDialog& dialog) {
    // No default suffix: a name typed without an extension is used as typed.
    return Chosen(QFileDialog::getSaveFileName(parent_, dialog.title, dialog.initialDirectory,
                                               QtFilter(dialog.filter)));
}
