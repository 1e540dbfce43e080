#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "word_processor.h"

namespace sorvani::documents {
namespace {

// LibreOffice Writer opens the text as a template (-n): a new untitled document holding it.
// The file stays behind because the office may read it after this program has moved on.
class WriterDocument : public WordProcessorDocument {
  public:
    explicit WriterDocument(QString program) : program_(std::move(program)) {}

    bool Fill(const QString& text) override {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("sorvani-XXXXXX.txt")));
        file.setAutoRemove(false);
        QString lines = text;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QByteArray bytes = lines.toUtf8();
        if (!file.open()) return false;
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            file.remove();
            return false;
        }
        file.close();
        return QProcess::startDetached(
            program_, {QStringLiteral("--infilter=Text (encoded):UTF8,LF,,,"), QStringLiteral("-n"),
                       file.fileName()});
    }

  private:
    QString program_;
};

}  // namespace

std::unique_ptr<WordProcessorDocument> NewWordProcessorDocument() {
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty()) return std::make_unique<WriterDocument>(program);
    }
    return nullptr;
}

}  // namespace sorvani::documents
