// The module that gives sorvani-annotate its documents: the desktop program's own RTF import and
// its exports.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "document_converter.h"
#include "document_files.h"
#include "document_font.h"
#include "offscreen_fonts.h"
#include "rtf_reader.h"
#include "text_export.h"

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
    documents::ShowSystemFontsOffscreen();
    return new QGuiApplication(argc, argv);
}

documents::PrintedPage PrintedPageOf(const PageOptions& options) {
    documents::ReadingChoices choices;
    choices.layout = options.box ? documents::ReadingChoices::Layout::Box
                                 : documents::ReadingChoices::Layout::Reading;
    choices.size = options.size;
    choices.capitals = options.capitals;
    choices.toneColours = options.toneColours;
    choices.grid = options.grid;
    return {options.paper == Paper::Letter ? documents::PrintedPage::Paper::Letter
                                           : documents::PrintedPage::Paper::A4,
            choices};
}

class AnnotationExport final : public DocumentConverter::Export {
  public:
    AnnotationExport(DocumentFormat format, const PageOptions& page,
                     DocumentConverter::Writer write)
        : export_(format, PrintedPageOf(page), documents::DocumentFont(),
                  [write = std::move(write)](QByteArrayView bytes) {
                      write(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
                  }) {}

    void Add(std::u16string_view annotation) override {
        export_.Add(QStringView(annotation.data(), static_cast<qsizetype>(annotation.size())));
    }
    void Finish() override { export_.Finish(); }

  private:
    documents::TextExport export_;
};

class QtDocumentConverter final : public DocumentConverter {
  public:
    QtDocumentConverter() : application_(StartQt()) {}

    std::optional<std::u16string> ImportedText(std::string_view rtf) override {
        // The window's import fills its document from the same content; the text alone needs none.
        const documents::RtfContent content = documents::ReadRtfContent(
            QByteArrayView(rtf.data(), static_cast<qsizetype>(rtf.size())));
        if (!content.complete) return std::nullopt;
        return documents::CrLfText(content.text).toStdU16String();
    }

    std::unique_ptr<Export> StartExport(DocumentFormat format, const PageOptions& page,
                                        Writer write) override {
        return std::make_unique<AnnotationExport>(format, page, std::move(write));
    }

  private:
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace
}  // namespace sorvani::annotate

extern "C" Q_DECL_EXPORT sorvani::annotate::DocumentConverter* SorvaniCreateDocumentConverter() {
    return new sorvani::annotate::QtDocumentConverter;
}
