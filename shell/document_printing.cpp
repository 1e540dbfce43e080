#include "document_printing.h"

#include <QPageSize>
#include <QPainter>

#include "document_error.h"
#include "pdf_document.h"
#include "reading_page_painter.h"
#include "text_export.h"
#include "text_insertion.h"

namespace sorvani::shell {

using sorvani::documents::DocumentError;
using sorvani::documents::PrintedPage;

namespace {

const QString kCannotPrint = QStringLiteral("无法打印：打印机出错");

// The printer on the paper the pages are laid out for, painted in twips from the paper's corner,
// as the PDF is.
PrintedPage::Paper SetUp(QPrinter& printer) {
    const auto paper = printer.pageLayout().pageSize().id() == QPageSize::Letter
                           ? PrintedPage::Paper::Letter
                           : PrintedPage::Paper::A4;
    printer.setPageSize(
        QPageSize(paper == PrintedPage::Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(), QPageLayout::Point);
    printer.setResolution(PrintedPage::kTwipsPerInch);
    return paper;
}

}  // namespace

void PrintReadingMaterial(QPrinter& printer, const QString& text,
                          sorvani::documents::ReadingChoices choices, const std::stop_token& stop) {
    choices.layout = sorvani::documents::ReadingChoices::Layout::Reading;
    const PrintedPage page(SetUp(printer), choices);
    QPainter painter;
    if (!painter.begin(&printer)) throw DocumentError(kCannotPrint);
    const bool hasChineseFont = sorvani::documents::HasChineseFont();
    try {
        sorvani::documents::ReadingPagePainter pages(printer, painter, page);
        sorvani::documents::TextExport lines([&](QStringView line) {
            sorvani::documents::ThrowIfStopped(stop);
            sorvani::documents::RequireChineseFont(line, hasChineseFont);
            pages.AddLine(line);
        });
        lines.Add(text);
        lines.Finish();
        pages.Finish();
    } catch (...) {
        // Nothing of an unfinished job reaches the printer.
        printer.abort();
        painter.end();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw DocumentError(kCannotPrint);
}

}  // namespace sorvani::shell
