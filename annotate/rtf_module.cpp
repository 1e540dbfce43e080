// The module that gives sorvani-annotate RTF: the desktop program's own import and export.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>

#include "document_files.h"
#include "document_font.h"
#include "qt_text.h"
#include "rtf_converter.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

namespace sorvani::annotate {
namespace {

// The tool reports on one line of its own; Qt's warnings mean nothing to its users. A fatal one
// (Qt cannot start) ends the run as any other failure does, before any output is opened.
void ReportFatalOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "sorvani-annotate: Qt cannot start: %s\n",
                 qUtf8Printable(message.simplified()));
    std::_Exit(1);
}

// Fonts and text documents need the application object, and it needs a platform: the offscreen
// one works without a display, unless the user chose another.
QGuiApplication* StartQt() {
    static int argc = 1;
    static char name[] = "sorvani-annotate";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler(ReportFatalOnly);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

class QtRtfConverter final : public RtfConverter {
  public:
    QtRtfConverter() : application_(StartQt()) {}

    std::optional<std::u16string> BoxText(std::string_view rtf) override {
        // The window's import fills its document from the same content; the text alone needs none.
        const documents::RtfContent content = documents::ReadRtfContent(
            QByteArrayView(rtf.data(), static_cast<qsizetype>(rtf.size())));
        if (!content.complete) return std::nullopt;
        return documents::BoxText(content.text).toStdU16String();
    }

    std::string Exported(std::u16string_view boxText, OutputFormat format, Paper paper) override {
        QTextDocument document;
        document.setDefaultFont(documents::DocumentFont());
        // CR LF starts a paragraph, as LF does.
        document.setPlainText(documents::QStringOf(boxText));
        const documents::ExportFormat exported =
            format == OutputFormat::Pdf    ? documents::ExportFormat::Pdf
            : format == OutputFormat::Html ? documents::ExportFormat::Html
                                           : documents::ExportFormat::Rtf;
        const documents::PrintedPage page{paper == Paper::Letter
                                              ? documents::PrintedPage::Paper::Letter
                                              : documents::PrintedPage::Paper::A4};
        return documents::ExportedBytes(documents::RtfSourceOf(document), exported, page)
            .toStdString();
    }

  private:
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace
}  // namespace sorvani::annotate

extern "C" Q_DECL_EXPORT sorvani::annotate::RtfConverter* SorvaniCreateRtfConverter() {
    return new sorvani::annotate::QtRtfConverter;
}
