#include "reading_pdf_writer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <algorithm>

#include "reading_style.h"

namespace sorvani::documents {
namespace {

// Painted in twips, the unit of the page's geometry.
constexpr int kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;
constexpr double kPageNumberPoints = 10;

QFont ReadingFont(double points) {
    QFont font(kReadingFont);
    font.setPointSizeF(points);
    // Advances scaled from the design, as every reader of the font computes them.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

}  // namespace

ReadingPdfWriter::ReadingPdfWriter(QIODevice& out, PrintedPage page)
    : page_(page),
      writer_(&out),
      advances_(0x10000, 0.0f),
      filler_(page.TextWidth(), ReadingSpace(page.choices) * kTwipsPerPoint,
              [this](const std::vector<MeasuredCell>& line, bool paragraphEnds) {
                  DrawLine(line, paragraphEnds);
              }),
      cells_(page.choices, {[this](ReadingCell&& cell) { filler_.Add(Measured(std::move(cell))); },
                            [this] { filler_.EndParagraph(); }}) {
    writer_.setCreator(QStringLiteral("Sorvani"));
    writer_.setResolution(kTwipsPerInch);
    writer_.setPageSize(
        QPageSize(page.paper == PrintedPage::Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    // The margins are painted: the page's own origin is its corner.
    writer_.setPageMargins(QMarginsF(), QPageLayout::Point);
    painter_.begin(&writer_);

    const ReadingChoices& choices = page.choices;
    characterFont_ = ReadingFont(choices.size);
    syllableFont_ = ReadingFont(SyllablePoints(choices));
    numberFont_ = ReadingFont(kPageNumberPoints);
    const QFontMetricsF characters(characterFont_, &writer_), syllables(syllableFont_, &writer_);
    gap_ = CellGap(choices) * kTwipsPerPoint;
    syllableBaseline_ = syllables.ascent();
    characterBaseline_ = syllables.height() + characters.ascent();
    pairHeight_ = syllables.height() + characters.height();
    pairSpace_ = PairSpace(choices) * kTwipsPerPoint;
    paragraphSpace_ = ParagraphSpace(choices) * kTwipsPerPoint;
    top_ = page.kTopMargin;
}

ReadingPdfWriter::~ReadingPdfWriter() {
    if (painter_.isActive()) painter_.end();
}

double ReadingPdfWriter::TextAdvance(const QString& text) {
    if (text.size() != 1) return QFontMetricsF(characterFont_, &writer_).horizontalAdvance(text);
    float& advance = advances_[text[0].unicode()];
    if (advance == 0.0f)
        advance =
            static_cast<float>(QFontMetricsF(characterFont_, &writer_).horizontalAdvance(text));
    return advance;
}

double ReadingPdfWriter::SyllableAdvance(const QString& syllable) {
    auto known = syllableAdvances_.constFind(syllable);
    if (known != syllableAdvances_.cend()) return *known;
    const double advance = QFontMetricsF(syllableFont_, &writer_).horizontalAdvance(syllable);
    syllableAdvances_.insert(syllable, advance);
    return advance;
}

MeasuredCell ReadingPdfWriter::Measured(ReadingCell&& cell) {
    const double text = TextAdvance(cell.text);
    const double syllable = cell.syllable.isEmpty() ? 0 : SyllableAdvance(cell.syllable);
    return {std::move(cell), std::max(text, syllable) + gap_};
}

void ReadingPdfWriter::DrawLine(const std::vector<MeasuredCell>& line, bool paragraphEnds) {
    if (pageHasLines_ && top_ + pairHeight_ > page_.Height() - page_.kBottomMargin) {
        EndPage();
        writer_.newPage();
    }
    pageHasLines_ = true;
    // The centre of each cell; then each row in its own font, which the page sets only once.
    centres_.clear();
    double x = page_.kSideMargin;
    const double space = ReadingSpace(page_.choices) * kTwipsPerPoint;
    for (size_t i = 0; i < line.size(); ++i) {
        if (i > 0 && line[i].cell.spaceBefore) x += space;
        centres_.push_back(x + line[i].width / 2);
        x += line[i].width;
    }
    painter_.setFont(syllableFont_);
    int tone = -1;
    for (size_t i = 0; i < line.size(); ++i) {
        const ReadingCell& cell = line[i].cell;
        if (cell.syllable.isEmpty()) continue;
        if (cell.tone != tone && page_.choices.toneColours) {
            tone = cell.tone;
            painter_.setPen(ToneColour(page_.choices, tone));
        }
        painter_.drawText(
            QPointF(centres_[i] - SyllableAdvance(cell.syllable) / 2, top_ + syllableBaseline_),
            cell.syllable);
    }
    painter_.setFont(characterFont_);
    painter_.setPen(Qt::black);
    for (size_t i = 0; i < line.size(); ++i) {
        const ReadingCell& cell = line[i].cell;
        painter_.drawText(
            QPointF(centres_[i] - TextAdvance(cell.text) / 2, top_ + characterBaseline_),
            cell.text);
    }
    top_ += pairHeight_ + pairSpace_ + (paragraphEnds ? paragraphSpace_ : 0);
}

void ReadingPdfWriter::EndPage() {
    painter_.setFont(numberFont_);
    painter_.setPen(Qt::black);
    const QString number = QString::number(pageNumber_++);
    const double width = QFontMetricsF(numberFont_, &writer_).horizontalAdvance(number);
    painter_.drawText(
        QPointF((page_.Width() - width) / 2, page_.Height() - page_.kBottomMargin / 2.0), number);
    top_ = page_.kTopMargin;
    pageHasLines_ = false;
}

bool ReadingPdfWriter::Finish() {
    cells_.Finish();
    EndPage();
    return painter_.end();
}

}  // namespace sorvani::documents
