#pragma once

#include <QStringList>
#include <functional>

#include "user_prompts.h"

namespace sorvani::shell {

// Answers in place of a person and keeps every message shown, for tests.
class RecordingPrompts : public UserPrompts {
  public:
    bool AskYesNo(const QString& question) override {
        shown << question;
        return answerYes;
    }
    void Inform(const QString& message) override { shown << message; }
    // Notes the question and the proposal.
    std::optional<QString> AskText(const QString& question, const QString& proposal) override {
        shown << question << proposal;
        return typedText;
    }
    std::optional<QString> ChooseFileToOpen(const FileDialog& dialog) override {
        openDialog = dialog;
        return chosenFile;
    }
    std::optional<QString> ChooseFileToSave(const FileDialog& dialog) override {
        saveDialog = dialog;
        return chosenFile;
    }

    std::optional<sorvani::documents::ReadingChoices> ChooseLayout(
        const sorvani::documents::ReadingChoices& current, bool forPrinting) override {
        layoutOffered = current;
        layoutForPrinting = forPrinting;
        ++layoutDialogs;
        if (!acceptLayout) return std::nullopt;
        return chosenLayout.value_or(current);
    }
    bool ChoosePrinter(QPrinter& printer) override {
        ++printDialogs;
        return choosePrinter && choosePrinter(printer);
    }

    bool answerYes = true;
    std::optional<QString> typedText;  // what AskText answers: nothing cancels
    std::optional<QString> chosenFile;
    FileDialog openDialog;  // as the last open dialog was set up
    FileDialog saveDialog;  // as the last save dialog was set up
    QStringList shown;
    // The layout dialog: whether it is accepted and with what (the choices offered when none is
    // set); what it offered, whether for printing, how often it was shown.
    bool acceptLayout = true;
    std::optional<sorvani::documents::ReadingChoices> chosenLayout;
    sorvani::documents::ReadingChoices layoutOffered;
    bool layoutForPrinting = false;
    int layoutDialogs = 0;
    // Sets the printer up as the print dialog would; the dialog is cancelled when there is none.
    std::function<bool(QPrinter&)> choosePrinter;
    int printDialogs = 0;
};

}  // namespace sorvani::shell
