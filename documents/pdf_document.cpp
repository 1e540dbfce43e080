#include "pdf_document.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <algorithm>

#include "document_error.h"
#include "font_names.h"

namespace sorvani::documents {

PdfDocument::PdfDocument(QIODevice& out, const PrintedPage& page)
    : textLayer_(out), writer(&textLayer_) {
    writer.setCreator(QStringLiteral("Sorvani"));
    writer.setResolution(PrintedPage::kTwipsPerInch);
    writer.setPageSize(
        QPageSize(page.paper == PrintedPage::Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    // The margins are painted: the page's own origin is its corner.
    writer.setPageMargins(QMarginsF(), QPageLayout::Point);
    painter.begin(&writer);
}

PdfDocument::~PdfDocument() {
    if (!painter.isActive()) return;
    painter.paintEngine()->setActive(false);
    painter.end();
}

bool PdfDocument::Finish() { return painter.end() && textLayer_.Finish(); }

bool HasChineseFont() {
    return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
}

void RequireChineseFont(QStringView line, bool hasChineseFont) {
    if (!hasChineseFont &&
        std::ranges::any_of(line, [](QChar c) { return c.script() == QChar::Script_Han; }))
        throw DocumentError(
            QStringLiteral(
                "没有能写出汉字的字体：请安装 %1 字体（Debian 的软件包 fonts-lxgw-wenkai）")
                .arg(kMonospacedFont));
}

}  // namespace sorvani::documents
