#include "html_writer.h"

#include <vector>

#include "annotated_pair_reader.h"
#include "markup_text.h"
#include "qt_text.h"
#include "reading_style.h"

namespace sorvani::documents {
namespace {

constexpr qsizetype kFlushSize = 1 << 16;

const char kHeadStart[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"zh-Hans\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\"/>\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
    "<meta name=\"generator\" content=\"Sorvani\"/>\n"
    "<title>Sorvani</title>\n"
    "<style>\n";
const char kHeadEnd[] =
    "</style>\n"
    "</head>\n"
    "<body>\n";
const char kTail[] = "</body>\n</html>\n";

// The box layout's style: the box's lines as they are.
QByteArray BoxStyle() {
    return QStringLiteral(
               "body { font-family: \"%1\", \"Noto Serif CJK SC\", \"Noto Sans CJK SC\", "
               "\"%2\", serif; font-size: 20px; line-height: 2.4; color: #222; background: #fff; "
               "max-width: 48em; margin: 2em auto; padding: 0 1em; }\n"
               "p { margin: 0; white-space: pre-wrap; }\n"
               "rt { font-size: 0.6em; }\n")
        .arg(kReadingFont, kWindowFontOnWindows)
        .toUtf8();
}

// The writing-practice grid, drawn with borders, which browsers print (they leave out
// backgrounds): each character in a square half as wide again as itself with dashed centre
// lines, its syllable on four lines whose middle band is as high as the small letters (ex), the
// third line on the syllable's baseline. The squares stand apart by a cell's gap inside their
// rubies and the syllables keep half a gap at each side, so that the four lines run on from
// ruby to ruby.
QByteArray GridStyle(const ReadingChoices& choices) {
    // The reading font's ascent, where a syllable's baseline stands below the top of its line,
    // and its descent, below which the fourth line, 1ex under the baseline, still reaches.
    constexpr double kAscentEm = 0.928, kDescentEm = 0.256;
    return QStringLiteral(
               "p { line-height: 2.6; }\n"
               "ruby { margin: 0; }\n"
               "ruby > span { display: inline-block; position: relative; width: 1.5em; "
               "height: 1.5em; line-height: 1.5em; text-align: center; vertical-align: middle; "
               "box-sizing: border-box; margin: 0 %1pt; border: 0.5pt solid #808080; }\n"
               "ruby > span::before, ruby > span::after { content: \"\"; position: absolute; "
               "border: 0 dashed #808080; }\n"
               "ruby > span::before { left: 0; right: 0; top: 50%; border-top-width: 0.5pt; }\n"
               "ruby > span::after { top: 0; bottom: 0; left: 50%; border-left-width: 0.5pt; }\n"
               "rt { line-height: normal; position: relative; "
               "padding: 0 %1pt calc(1ex - %2em); }\n"
               "rt::before, rt::after { content: \"\"; position: absolute; left: 0; right: 0; "
               "height: 1ex; box-sizing: border-box; border: 0 solid #808080; "
               "border-width: 0.5pt 0; }\n"
               "rt::before { top: calc(%3em - 2ex); }\n"
               "rt::after { top: %3em; }\n")
        .arg(CellGap(choices) / 2)
        .arg(kDescentEm)
        .arg(kAscentEm)
        .toUtf8();
}

// The reading layout's style: sizes in points, so that print and screen agree.
QByteArray ReadingStyle(const PrintedPage& page) {
    const ReadingChoices& choices = page.choices;
    QByteArray style =
        QStringLiteral(
            "body { font-family: \"%1\", \"Noto Serif CJK SC\", \"Noto Sans CJK SC\", "
            "\"KaiTi\", \"%7\", serif; font-size: %2pt; line-height: 1.5; color: #000; "
            "background: #fff; max-width: 40em; margin: 2em auto; padding: 0 1em; }\n"
            "p { margin: 0 0 %3pt; white-space: pre-wrap; line-break: strict; }\n"
            "ruby { ruby-position: over; ruby-align: center; margin: 0 %4pt; }\n"
            "rt { font-size: %5pt; line-height: 1.2; }\n"
            "@page { size: %6; margin: 2cm; "
            "@bottom-center { content: counter(page); font-size: 10pt; } }\n"
            "@media print { body { max-width: none; margin: 0; padding: 0; } }\n")
            .arg(kReadingFont)
            .arg(choices.size)
            .arg(PairSpace(choices) + ParagraphSpace(choices))
            .arg(CellGap(choices) / 2)
            .arg(SyllablePoints(choices))
            .arg(page.paper == PrintedPage::Paper::A4 ? "A4" : "letter")
            .arg(kWindowFontOnWindows)
            .toUtf8();
    if (choices.grid) style += GridStyle(choices);
    if (choices.toneColours)
        for (int tone = 1; tone <= 4; ++tone)
            style += QStringLiteral("rt.t%1 { color: %2; }\n")
                         .arg(tone)
                         .arg(ToneColourName(tone))
                         .toUtf8();
    return style;
}

}  // namespace

HtmlWriter::HtmlWriter(Sink sink, const PrintedPage& page)
    : sink_(std::move(sink)), grid_(page.choices.grid) {
    out_ += kHeadStart;
    if (page.choices.layout == ReadingChoices::Layout::Box) {
        out_ += BoxStyle();
        out_ += kHeadEnd;
        return;
    }
    out_ += ReadingStyle(page);
    out_ += kHeadEnd;
    cells_ = std::make_unique<ReadingCellReader>(
        page.choices, ReadingCellReader::Receiver{[this](ReadingCell&& cell) { WriteCell(cell); },
                                                  [this] { EndParagraph(); }});
}

HtmlWriter::~HtmlWriter() = default;

void HtmlWriter::AddLine(QStringView line) {
    if (cells_) {
        cells_->AddLine(line);
        return;
    }
    if (!pending_) {
        pinyinLine_ = line.toString();
        pending_ = true;
        return;
    }
    pending_ = false;
    WritePair(pinyinLine_, line);
    PassOn();
}

void HtmlWriter::PassOn() {
    if (out_.size() < kFlushSize) return;
    sink_(out_);
    out_.clear();
}

void HtmlWriter::WriteCell(const ReadingCell& cell) {
    if (!paragraphOpen_) out_ += "<p>";
    paragraphOpen_ = true;
    if (cell.spaceBefore) out_ += ' ';
    // Punctuation stays plain text, also in the grid: the browser keeps it from starting a line
    // only so, not as a box of its own.
    if (cell.syllable.isEmpty()) {
        AppendEscaped(out_, cell.text);
        return;
    }
    out_ += grid_ ? "<ruby><span>" : "<ruby>";
    AppendEscaped(out_, cell.text);
    if (grid_) out_ += "</span>";
    out_ += cell.tone ? QByteArray("<rt class=\"t") + char('0' + cell.tone) + "\">" : "<rt>";
    AppendEscaped(out_, cell.syllable);
    out_ += "</rt></ruby>";
}

void HtmlWriter::EndParagraph() {
    out_ += "</p>\n";
    paragraphOpen_ = false;
    PassOn();
}

void HtmlWriter::WritePair(QStringView pinyin, QStringView characters) {
    std::vector<AnnotatedCell> cells;
    if (!ReadAnnotatedPair(U16View(pinyin), U16View(characters), cells)) {
        WritePlain(pinyin);
        WritePlain(characters);
        return;
    }
    out_ += "<p>";
    for (const AnnotatedCell& cell : cells) {
        out_ += QByteArray(static_cast<qsizetype>(cell.textSpacesBefore), ' ');
        if (cell.annotated) out_ += "<ruby>";
        AppendEscaped(out_, QtView(cell.character));
        if (cell.annotated) {
            out_ += "<rt>";
            AppendEscaped(out_, QtView(cell.entry));
            out_ += "</rt></ruby>";
        }
    }
    out_ += cells.empty() ? "<br/></p>\n" : "</p>\n";
}

void HtmlWriter::WritePlain(QStringView line) {
    out_ += "<p>";
    AppendEscaped(out_, line);
    out_ += line.isEmpty() ? "<br/></p>\n" : "</p>\n";
}

void HtmlWriter::Finish() {
    if (cells_) cells_->Finish();
    if (pending_) WritePlain(pinyinLine_);
    pending_ = false;
    out_ += kTail;
    sink_(out_);
    out_.clear();
}

}  // namespace sorvani::documents
