#pragma once

#include <QFileIconProvider>
#include <QString>
#include <QWidget>
#include <optional>

#include "reading_choices.h"

class QMessageBox;
class QPrinter;

namespace sorvani::shell {

// The modal questions, messages and file dialogs the commands show. The window asks through
// this interface so that tests can answer in place of a person.
class UserPrompts {
  public:
    // What a file dialog is set up with before it is shown.
    struct FileDialog {
        QString title;
        QString filter;  // entries "Description|pattern" joined by "|", as "Text(.txt)|*.txt"
        QString initialDirectory;
    };

    virtual ~UserPrompts() = default;

    // A Yes/No question without icon; true for Yes.
    virtual bool AskYesNo(const QString& question) = 0;
    // A message with the information icon and an OK button.
    virtual void Inform(const QString& message) = 0;
    // A line of text the user types, in a field that holds `proposal` at first; nothing when the
    // user cancels.
    virtual std::optional<QString> AskText(const QString& question, const QString& proposal) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> ChooseFileToOpen(const FileDialog& dialog) = 0;
    virtual std::optional<QString> ChooseFileToSave(const FileDialog& dialog) = 0;
    // The layout of printed pages and web pages, starting from `current`; nothing when the user
    // cancels. For printing, which always sets reading material, the box layout is not offered.
    virtual std::optional<sorvani::documents::ReadingChoices> ChooseLayout(
        const sorvani::documents::ReadingChoices& current, bool forPrinting) = 0;
    // The system's print dialog, which sets the printer up; false when the user cancels.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
};

// Icons and type names of the file dialogs, judged by the file's name alone. Qt's own provider
// reads a file's first bytes to tell its type, which blocks the window for good on a file that
// never ends or never answers (/proc/kmsg, a named pipe).
class NameOnlyIconProvider : public QFileIconProvider {
  public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

// Makes a message box wide enough for the window manager's title bar to show its whole title.
void WidenForTitle(QMessageBox& box);

// The real dialogs, titled "Sorvani", over the given parent window. When one closes, the
// keyboard goes back to that window.
class DialogPrompts : public UserPrompts {
  public:
    explicit DialogPrompts(QWidget* parent = nullptr) : parent_(parent) {}

    bool AskYesNo(const QString& question) override;
    void Inform(const QString& message) override;
    std::optional<QString> AskText(const QString& question, const QString& proposal) override;
    std::optional<QString> ChooseFileToOpen(const FileDialog& dialog) override;
    std::optional<QString> ChooseFileToSave(const FileDialog& dialog) override;
    std::optional<sorvani::documents::ReadingChoices> ChooseLayout(
        const sorvani::documents::ReadingChoices& current, bool forPrinting) override;
    bool ChoosePrinter(QPrinter& printer) override;

  private:
    QWidget* parent_;
};

}  // namespace sorvani::shell
