#include "pdf_writer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>

#include "character_width.h"
#include "text_lines.h"
#include "utf16.h"

namespace sorvani::documents {
namespace {

// Painted in twips, the unit of the page's geometry.
constexpr int kTwipsPerInch = 1440;
// A line and a half of the font between the baselines, so that a syllable never touches the
// character of the line above.
constexpr int kLinePitch = PrintedPage::kHalfPoints * 10 * 3 / 2;

QFont PrintFont() {
    QFont font(kPrintFont);
    font.setPointSizeF(PrintedPage::kHalfPoints / 2.0);
    // Advances scaled from the design, as every reader of the font computes them.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

}  // namespace

PdfWriter::PdfWriter(QIODevice& out, PrintedPage page)
    : page_(page), writer_(&out), advances_(0x10000, 0.0f) {
    writer_.setCreator(QStringLiteral("Sorvani"));
    writer_.setResolution(kTwipsPerInch);
    writer_.setPageSize(
        QPageSize(page.paper == PrintedPage::Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    // The margins are painted: the page's own origin is its corner.
    writer_.setPageMargins(QMarginsF(), QPageLayout::Point);
    painter_.begin(&writer_);
    const QFont font = PrintFont();
    painter_.setFont(font);
    const QFontMetricsF metrics(font, &writer_);
    ascent_ = metrics.ascent();
    halfEm_ = PrintedPage::kColumnTwips;
    // An even number of lines, so that a pair is never parted.
    linesPerPage_ = std::max(2, page.TextHeight() / kLinePitch / 2 * 2);
}

PdfWriter::~PdfWriter() {
    // Still painting only when the document is abandoned on a failure. Ending the engine writes
    // the rest of the document, allocating as it goes, and a second failure (no memory, no room)
    // must not escape a destructor: the painter lets go of the engine unended.
    if (!painter_.isActive()) return;
    painter_.paintEngine()->setActive(false);
    painter_.end();
}

double PdfWriter::Advance(char16_t character) {
    float& advance = advances_[character];
    if (advance == 0.0f) {
        const QFontMetricsF metrics(painter_.font(), &writer_);
        advance = metrics.inFontUcs4(character) && !IsJoiningMark(character)
                      ? static_cast<float>(metrics.horizontalAdvance(QChar(character)))
                      : -1.0f;
    }
    return advance;
}

qsizetype PdfWriter::DrawRun(QStringView line, qsizetype begin, double& x, double baseline) {
    qsizetype end = begin;
    double width = 0;
    while (end < line.size() && !utf16::IsSurrogate(line[end].unicode())) {
        const double advance = Advance(line[end].unicode());
        if (advance < 0) break;
        // A character with marks is drawn with them, on its own.
        if (end + 1 < line.size() && Advance(line[end + 1].unicode()) < 0 &&
            IsJoiningMark(line[end + 1].unicode()))
            break;
        width += advance;
        ++end;
    }
    // Spaces between tokens are left out: a viewer copies them from the gaps.
    if (end > begin)
        painter_.drawText(QPointF(x, baseline), line.sliced(begin, end - begin).toString());
    x += width;
    return end;
}

void PdfWriter::AddLine(QStringView line) {
    if (line_ == linesPerPage_) {
        writer_.newPage();
        line_ = 0;
    }
    const double baseline = page_.kTopMargin + line_ * kLinePitch + ascent_;
    ++line_;
    double x = page_.kSideMargin;
    const std::u16string_view text(reinterpret_cast<const char16_t*>(line.utf16()),
                                   static_cast<size_t>(line.size()));
    for (qsizetype i = 0; i < line.size();) {
        i = DrawRun(line, i, x, baseline);
        if (i == line.size()) break;
        // A character the font lacks, with the marks that join it, in its own columns.
        const char32_t base = utf16::CharacterAt(text, static_cast<size_t>(i));
        qsizetype end =
            i + static_cast<qsizetype>(utf16::CharacterLength(text, static_cast<size_t>(i)));
        while (end < line.size() &&
               IsJoiningMark(utf16::CharacterAt(text, static_cast<size_t>(end))))
            end += static_cast<qsizetype>(utf16::CharacterLength(text, static_cast<size_t>(end)));
        painter_.drawText(QPointF(x, baseline), line.sliced(i, end - i).toString());
        const double advance = base < 0x10000 ? Advance(static_cast<char16_t>(base)) : -1;
        x += advance > 0 ? advance : CharacterColumns(base) * halfEm_;
        i = end;
    }
}

bool PdfWriter::Finish() { return painter_.end(); }

QByteArray WritePdf(QStringView text, PrintedPage page) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        PdfWriter writer(buffer, page);
        ForEachLine(text, [&writer](QStringView line) { writer.AddLine(line); });
        writer.Finish();
    }
    return pdf;
}

}  // namespace sorvani::documents
