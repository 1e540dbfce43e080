#include "reading_pdf_writer.h"

#include <QFontMetricsF>
#include <algorithm>

#include "reading_style.h"

namespace sorvani::documents {
namespace {

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
      document_(out, page),
      filler_(page.TextWidth(), ReadingSpace(page.choices) * kTwipsPerPoint,
              [this](const std::vector<MeasuredCell>& line, bool paragraphEnds) {
                  DrawLine(line, paragraphEnds);
              }),
      cells_(page.choices, {[this](ReadingCell&& cell) { filler_.Add(Measured(std::move(cell))); },
                            [this] { filler_.EndParagraph(); }}) {
    const ReadingChoices& choices = page.choices;
    characters_.font = ReadingFont(choices.size);
    syllables_.font = ReadingFont(SyllablePoints(choices));
    // The raw font in pixels of the page, twips.
    for (Face* face : {&characters_, &syllables_}) {
        face->raw = QRawFont::fromFont(face->font);
        face->raw.setPixelSize(face->font.pointSizeF() * kTwipsPerPoint);
    }
    numberFont_ = ReadingFont(kPageNumberPoints);
    const QFontMetricsF characters(characters_.font, &writer_),
        syllables(syllables_.font, &writer_);
    gap_ = CellGap(choices) * kTwipsPerPoint;
    syllableBaseline_ = syllables.ascent();
    characterBaseline_ = syllables.height() + characters.ascent();
    pairHeight_ = syllables.height() + characters.height();
    pairSpace_ = PairSpace(choices) * kTwipsPerPoint;
    paragraphSpace_ = ParagraphSpace(choices) * kTwipsPerPoint;
    top_ = page.kTopMargin;
}

const ReadingPdfWriter::SetText& ReadingPdfWriter::Set(Face& face, const QString& text) {
    const bool kept = text.size() <= 2 || &face == &syllables_;
    if (kept) {
        const auto known = face.known.constFind(text);
        if (known != face.known.cend()) return *known;
    }
    SetText set;
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.isMark() || c.isSurrogate() || c.category() == QChar::Other_Format;
    });
    const QList<quint32> glyphs = plain ? face.raw.glyphIndexesForString(text) : QList<quint32>();
    if (!glyphs.isEmpty() && !glyphs.contains(0)) {
        set.glyphs = glyphs;
        for (const QPointF& advance :
             face.raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics)) {
            set.positions.push_back(QPointF(set.advance, 0));
            set.advance += advance.x();
        }
    } else {
        set.advance = QFontMetricsF(face.font, &writer_).horizontalAdvance(text);
    }
    if (!kept) return unknown_ = std::move(set);
    return *face.known.insert(text, std::move(set));
}

MeasuredCell ReadingPdfWriter::Measured(ReadingCell&& cell) {
    const double text = Set(characters_, cell.text).advance;
    const double syllable = cell.syllable.isEmpty() ? 0 : Set(syllables_, cell.syllable).advance;
    return {std::move(cell), std::max(text, syllable) + gap_};
}

void ReadingPdfWriter::DrawLine(const std::vector<MeasuredCell>& line, bool paragraphEnds) {
    if (pageHasLines_ && top_ + pairHeight_ > page_.Height() - page_.kBottomMargin) {
        EndPage();
        writer_.newPage();
    }
    pageHasLines_ = true;
    double x = page_.kSideMargin;
    const double space = ReadingSpace(page_.choices) * kTwipsPerPoint;
    for (size_t i = 0; i < line.size(); ++i) {
        const ReadingCell& cell = line[i].cell;
        if (i > 0 && cell.spaceBefore) x += space;
        const double centre = x + line[i].width / 2;
        if (!cell.syllable.isEmpty())
            Draw(syllables_, cell.syllable, ToneColour(page_.choices, cell.tone), centre,
                 top_ + syllableBaseline_);
        Draw(characters_, cell.text, Qt::black, centre, top_ + characterBaseline_);
        x += line[i].width;
    }
    top_ += pairHeight_ + pairSpace_ + (paragraphEnds ? paragraphSpace_ : 0);
}

// Each text is a run of its own, the syllable's between the characters', so that a viewer takes
// each character for a word of its own.
void ReadingPdfWriter::Draw(Face& face, const QString& text, QColor colour, double centre,
                            double baseline) {
    if (painter_.pen().color() != colour) painter_.setPen(colour);
    const SetText& set = Set(face, text);
    const QPointF origin(centre - set.advance / 2, baseline);
    if (set.glyphs.isEmpty()) {
        painter_.setFont(face.font);
        painter_.drawText(origin, text);
        return;
    }
    QGlyphRun run;
    run.setRawFont(face.raw);
    run.setGlyphIndexes(set.glyphs);
    run.setPositions(set.positions);
    painter_.drawGlyphRun(origin, run);
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
    return document_.Finish();
}

}  // namespace sorvani::documents
