#include "reading_page_painter.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "reading_style.h"

namespace sorvani::documents {
namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kPageNumberPoints = 10;
// The grid's lines: thin and grey, as an exercise book prints them, under any tone colour.
constexpr double kGridLineTwips = 10;
// The dashes of a square's centre lines: 3 points long, 2 apart.
constexpr double kDashTwips = 60, kGapTwips = 40;
const QColor kGridColour(0x80, 0x80, 0x80);
// A character's square is half as wide again as the character.
constexpr double kSquarePerCharacter = 1.5;

QFont ReadingFont(double points) {
    QFont font(kReadingFont);
    font.setPointSizeF(points);
    // Advances scaled from the design, as every reader of the font computes them.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

}  // namespace

ReadingPagePainter::ReadingPagePainter(QPagedPaintDevice& device, QPainter& painter,
                                       PrintedPage page)
    : page_(page),
      device_(device),
      painter_(painter),
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
    const QFontMetricsF characters(characters_.font, &device_),
        syllables(syllables_.font, &device_);
    gap_ = CellGap(choices) * kTwipsPerPoint;
    pairSpace_ = PairSpace(choices) * kTwipsPerPoint;
    paragraphSpace_ = ParagraphSpace(choices) * kTwipsPerPoint;
    top_ = page.kTopMargin;
    if (!choices.grid) {
        syllableBaseline_ = syllables.ascent();
        characterBaseline_ = syllables.height() + characters.ascent();
        pairHeight_ = syllables.height() + characters.height();
        return;
    }
    // Three equal bands, the middle one as high as the small letters: capitals and tone marks
    // reach into the top one, the tails of g, p and y into the bottom one.
    band_ = syllables.xHeight() > 0 ? syllables.xHeight() : syllables.ascent() / 2;
    syllableBaseline_ = 2 * band_;
    square_ = choices.size * kTwipsPerPoint * kSquarePerCharacter;
    squareTop_ = 3 * band_ + gap_ / 2;
    // The character's body centred in its square.
    characterBaseline_ =
        squareTop_ + square_ / 2 + (characters.ascent() - characters.descent()) / 2;
    pairHeight_ = squareTop_ + square_;
}

const ReadingPagePainter::SetText& ReadingPagePainter::Set(Face& face, const QString& text) {
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
        // Each glyph on a whole twip, a twentieth of a point: the PDF engine writes positions
        // with all their digits.
        for (const QPointF& advance :
             face.raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics)) {
            set.positions.push_back(QPointF(std::round(set.advance), 0));
            set.advance += advance.x();
        }
    } else {
        set.advance = QFontMetricsF(face.font, &device_).horizontalAdvance(text);
    }
    if (!kept) return unknown_ = std::move(set);
    return *face.known.insert(text, std::move(set));
}

MeasuredCell ReadingPagePainter::Measured(ReadingCell&& cell) {
    const double text = Set(characters_, cell.text).advance;
    const double syllable = cell.syllable.isEmpty() ? 0 : Set(syllables_, cell.syllable).advance;
    // A square is as wide as its cell: squares side by side, apart only around a long syllable.
    return {std::move(cell),
            std::max(std::max(text, syllable) + gap_, text <= square_ ? square_ : 0)};
}

void ReadingPagePainter::DrawLine(const std::vector<MeasuredCell>& line, bool paragraphEnds) {
    if (pageHasLines_ && top_ + pairHeight_ > page_.Height() - page_.kBottomMargin) {
        EndPage();
        device_.newPage();
    }
    pageHasLines_ = true;
    const double space = ReadingSpace(page_.choices) * kTwipsPerPoint;
    std::vector<double> centres;
    centres.reserve(line.size());
    double x = page_.kSideMargin;
    for (size_t i = 0; i < line.size(); ++i) {
        if (i > 0 && line[i].cell.spaceBefore) x += space;
        centres.push_back(x + line[i].width / 2);
        x += line[i].width;
    }
    if (page_.choices.grid) DrawGrid(line, centres, x);
    for (size_t i = 0; i < line.size(); ++i) {
        const ReadingCell& cell = line[i].cell;
        if (!cell.syllable.isEmpty())
            Draw(syllables_, cell.syllable, ToneColour(page_.choices, cell.tone), centres[i],
                 top_ + syllableBaseline_);
        Draw(characters_, cell.text, Qt::black, centres[i], top_ + characterBaseline_);
    }
    top_ += pairHeight_ + pairSpace_ + (paragraphEnds ? paragraphSpace_ : 0);
}

// The grid of a row costs about the same whatever its number of squares: the PDF engine writes
// every point of a path at length, and a line for each side and centre line of every square
// outweighed the text. Squares side by side (a run) have their tops, bottoms and horizontal
// centre lines drawn as one line each, and their upright lines as the dashes of horizontal
// strokes as high as those lines are long: a stroke as high as a square, its dashes as wide as a
// line and a square apart, draws their sides; a stroke as high as a dash for each dash of the
// centre lines draws those.
void ReadingPagePainter::DrawGrid(const std::vector<MeasuredCell>& line,
                                  const std::vector<double>& centres, double right) {
    std::vector<QLineF> solid, dashed, sides, centreDashes;
    for (int k = 0; k <= 3; ++k)
        solid.emplace_back(page_.kSideMargin, top_ + k * band_, right, top_ + k * band_);
    const double squareTop = top_ + squareTop_, squareBottom = squareTop + square_,
                 middle = squareTop + square_ / 2, half = kGridLineTwips / 2;
    double runLeft = 0, runRight = 0;
    bool inRun = false;
    const auto endRun = [&] {
        if (!inRun) return;
        solid.emplace_back(runLeft, squareTop, runRight, squareTop);
        solid.emplace_back(runLeft, squareBottom, runRight, squareBottom);
        dashed.emplace_back(runLeft, middle, runRight, middle);
        sides.emplace_back(runLeft - half, middle, runRight + half, middle);
        for (double y = squareTop + kDashTwips / 2; y < squareBottom; y += kDashTwips + kGapTwips)
            centreDashes.emplace_back(runLeft + square_ / 2 - half, y,
                                      runRight - square_ / 2 + half, y);
        inRun = false;
    };
    for (size_t i = 0; i < line.size(); ++i) {
        if (Set(characters_, line[i].cell.text).advance > square_) {
            endRun();
            continue;
        }
        const double left = centres[i] - square_ / 2;
        if (inRun && std::abs(left - runRight) > 1) endRun();
        if (!inRun) runLeft = left;
        inRun = true;
        runRight = left + square_;
    }
    endRun();

    QPen pen(kGridColour, kGridLineTwips);
    painter_.setPen(pen);
    painter_.drawLines(solid.data(), static_cast<int>(solid.size()));
    pen.setDashPattern({kDashTwips / kGridLineTwips, kGapTwips / kGridLineTwips});
    painter_.setPen(pen);
    painter_.drawLines(dashed.data(), static_cast<int>(dashed.size()));
    // Dash patterns count in the pen's width; flat ends keep each dash as wide as a line.
    const auto drawUprights = [&](const std::vector<QLineF>& strokes, double height) {
        QPen uprights(kGridColour, height, Qt::CustomDashLine, Qt::FlatCap);
        uprights.setDashPattern({kGridLineTwips / height, (square_ - kGridLineTwips) / height});
        painter_.setPen(uprights);
        painter_.drawLines(strokes.data(), static_cast<int>(strokes.size()));
    };
    drawUprights(sides, square_ + kGridLineTwips);
    drawUprights(centreDashes, kDashTwips);
    painter_.setPen(Qt::black);
}

// Each text is a run of its own, the syllable's between the characters', so that a viewer takes
// each character for a word of its own.
void ReadingPagePainter::Draw(Face& face, const QString& text, QColor colour, double centre,
                              double baseline) {
    if (painter_.pen().color() != colour) painter_.setPen(colour);
    const SetText& set = Set(face, text);
    const QPointF origin(std::round(centre - set.advance / 2), std::round(baseline));
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

void ReadingPagePainter::EndPage() {
    painter_.setFont(numberFont_);
    painter_.setPen(Qt::black);
    const QString number = QString::number(pageNumber_++);
    const double width = QFontMetricsF(numberFont_, &device_).horizontalAdvance(number);
    painter_.drawText(
        QPointF((page_.Width() - width) / 2, page_.Height() - page_.kBottomMargin / 2.0), number);
    top_ = page_.kTopMargin;
    pageHasLines_ = false;
}

void ReadingPagePainter::Finish() {
    cells_.Finish();
    EndPage();
}

}  // namespace sorvani::documents
