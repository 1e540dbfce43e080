#pragma once

#include <QStringList>

#include "user_prompts.h"

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

    bool answerYes = true;
    std::optional<QString> typedText;  // what AskText answers: nothing cancels
    std::optional<QString> chosenFile;
    FileDialog openDialog;  // as the last open dialog was set up
    FileDialog saveDialog;  // as the last save dialog was set up
    QStringList shown;
};
