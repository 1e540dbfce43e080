#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Stands in for LibreOffice, the word processor found on the search path outside Windows. While
// it lives the search path holds only a folder of its own, so no real office starts, and a
// display is named for the office to show its window on; with nothing installed there, no word
// processor is found at all.
class FakeWordProcessor {
  public:
    FakeWordProcessor();
    ~FakeWordProcessor();
    FakeWordProcessor(const FakeWordProcessor&) = delete;
    FakeWordProcessor& operator=(const FakeWordProcessor&) = delete;

    // Puts a program of the given name in the folder that records its arguments, one a line,
    // followed by the contents of the file named last, and removes that file. With windows, a
    // window-system plugin lies beside it, as in an office with a user interface; without, it is
    // an office that cannot show a document (Debian's "nogui" packages).
    void Install(const QString& name = QStringLiteral("soffice"), bool withWindows = true);

    // The folder on the search path.
    QString Folder() const { return folder_.path(); }

    // What the program recorded, once it has run; empty when it has not run within ten seconds.
    // The office is started detached, so its record may come after the hand-off returns.
    QByteArray WaitForRecord() const;

  private:
    QTemporaryDir folder_;
    QByteArray savedPath_;
    QByteArray savedDisplay_;
    QByteArray savedWaylandDisplay_;
};
