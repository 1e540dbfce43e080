#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace sorvani::shell {

// Drops of files on the window. A text file or an RTF file is imported, as the import command
// imports the file chosen in its dialog; other files are refused, where a text box would insert
// their addresses as text; drops of text stay the box's own.
class FileDrops : public QObject {
  public:
    // The import is called after the drop has ended, so that the program that dragged the file
    // is not kept waiting while it runs.
    FileDrops(QObject* parent, std::function<void(const QString&)> import);

    // Watches the drops on the widget (a text box's viewport, or a window accepting drops).
    void Watch(QObject& widget);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> import_;
};

}  // namespace sorvani::shell
