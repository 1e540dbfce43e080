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
            "@page { size: %6; margin: 2cm; }\n"
            "@media print { body { max-width: none; margin: 0; padding: 0; } }\n")
            .arg(kReadingFont)
            .arg(choices.size)
            .arg(PairSpace(choices) + ParagraphSpace(choices))
            .arg(CellGap(choices) / 2)
            .arg(SyllablePoints(choices))
            .arg(page.paper == PrintedPage::Paper::A4 ? "A4" : "letter")
            .arg(kWindowFontOnWindows)
            .toUtf8();
    if (choices.toneColours)
        for (int tone = 1; tone <= 4; ++tone)
            style += QStringLiteral("rt.t%1 { color: %2; }\n")
                         .arg(tone)
                         .arg(ToneColourName(tone))
                         .toUtf8();
    return style;
}

}  // namespace

HtmlWriter::HtmlWriter(Sink sink, const PrintedPage& page) : sink_(std::move(sink)) {
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
    if (cell.syllable.isEmpty()) {
        AppendEscaped(out_, cell.text);
        return;
    }
    out_ += "<ruby>";
    AppendEscaped(out_, cell.text);
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
