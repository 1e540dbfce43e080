#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "word_processor.h"

namespace sorvani::documents {
namespace {

// LibreOffice Writer opens the text as a template (-n): a new untitled document holding it.
// The file stays behind after a hand-off because the office may read it after this program has
// moved on; a hand-off that fails removes it.
class WriterDocument : public WordProcessorDocument {
  public:
    explicit WriterDocument(QString program) : program_(std::move(program)) {}

    bool Fill(const QString& text) override {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("sorvani-XXXXXX.txt")));
        QString lines = text;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QByteArray bytes = lines.toUtf8();
        if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) return false;
        file.close();
        const bool started = QProcess::startDetached(
            program_, {QStringLiteral("--infilter=Text (encoded):UTF8,LF,,,"), QStringLiteral("-n"),
                       file.fileName()});
        file.setAutoRemove(!started);
        return started;
    }

  private:
    QString program_;
};

// An installation that can show a document window: one of the office's window-system plugins
// lies beside the program. The packages without a user interface ("nogui") ship none; such an
// office would run invisibly and never show the document to anybody.
bool HasWindows(const QString& program) {
    const QDir folder = QFileInfo(program).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    return !folder.entryList({QStringLiteral("libvclplug_*")}, QDir::Files).isEmpty();
}

// A display the office can show its window on.
bool HasDisplay() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<WordProcessorDocument> NewWordProcessorDocument() {
    if (!HasDisplay()) return nullptr;
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && HasWindows(program))
            return std::make_unique<WriterDocument>(program);
    }
    return nullptr;
}

}  // namespace sorvani::documents
