#include "pdf_writer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <optional>

#include "character_width.h"
#include "font_names.h"
#include "utf16.h"

namespace sorvani::documents {
namespace {

// A line and a half of the font between the baselines, so that a syllable never touches the
// character of the line above.
constexpr int kLinePitch = PrintedPage::kHalfPoints * 10 * 3 / 2;

// The printed font where it is installed; else an installed font with Chinese characters, a
// monospaced one first; nothing when no font has them.
std::optional<QString> PrintFamily() {
    if (QFontInfo(QFont(kMonospacedFont)).family().compare(kMonospacedFont, Qt::CaseInsensitive) ==
        0)
        return kMonospacedFont;
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    const auto monospaced = std::ranges::find_if(
        families, [](const QString& family) { return QFontDatabase::isFixedPitch(family); });
    if (monospaced != families.end()) return *monospaced;
    if (!families.isEmpty()) return families.front();
    return std::nullopt;
}

QFont PrintFont(const QString& family) {
    QFont font(family);
    font.setPointSizeF(PrintedPage::kHalfPoints / 2.0);
    // Advances scaled from the design, as every reader of the font computes them.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

// Characters the bidirectional algorithm would move, or that move others: a right-to-left letter
// or a direction control. Each is drawn on its own, so that every character keeps its columns.
bool ChangesDirection(char16_t character) {
    switch (QChar::direction(character)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return true;
        default:
            return false;
    }
}

}  // namespace

PdfWriter::PdfWriter(QIODevice& out, PrintedPage page)
    : page_(page), document_(out, page), advances_(0x10000, 0.0f) {
    const std::optional<QString> family = PrintFamily();
    noChineseFont_ = !family;
    // Another font's widths are not the printed font's columns: each character is set in its own.
    eachInItsColumns_ = family != kMonospacedFont;
    const QFont font = PrintFont(family.value_or(kMonospacedFont));
    painter_.setFont(font);
    const QFontMetricsF metrics(font, &writer_);
    ascent_ = metrics.ascent();
    halfEm_ = PrintedPage::kColumnTwips;
    // An even number of lines, so that a pair is never parted.
    linesPerPage_ = std::max(2, page.TextHeight() / kLinePitch / 2 * 2);
}

double PdfWriter::Advance(char16_t character) {
    float& advance = advances_[character];
    if (advance == 0.0f) {
        const QFontMetricsF metrics(painter_.font(), &writer_);
        advance = !eachInItsColumns_ && metrics.inFontUcs4(character) &&
                          !IsJoiningMark(character) && !ChangesDirection(character)
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
    RequireChineseFont(line, !noChineseFont_);
    if (line_ == linesPerPage_) {
        writer_.newPage();
        line_ = 0;
    }
    const double baseline = page_.kTopMargin + line_ * kLinePitch + ascent_;
    ++line_;
    if (eachInItsColumns_) return DrawInColumns(line, baseline);
    double x = page_.kSideMargin;
    const std::u16string_view text(reinterpret_cast<const char16_t*>(line.utf16()),
                                   static_cast<size_t>(line.size()));
    for (qsizetype i = 0; i < line.size();) {
        i = DrawRun(line, i, x, baseline);
        if (i == line.size()) break;
        // A character the font lacks, with the marks that join it, in its own columns.
        const char32_t base = utf16::CharacterAt(text, static_cast<size_t>(i));
        const qsizetype end =
            i + static_cast<qsizetype>(ClusterLength(text, static_cast<size_t>(i)));
        painter_.drawText(QPointF(x, baseline), line.sliced(i, end - i).toString());
        const double advance = base < 0x10000 ? Advance(static_cast<char16_t>(base)) : -1;
        x += advance > 0 ? advance : CharacterColumns(base) * halfEm_;
        i = end;
    }
}

void PdfWriter::DrawInColumns(QStringView line, double baseline) {
    const std::u16string_view text(reinterpret_cast<const char16_t*>(line.utf16()),
                                   static_cast<size_t>(line.size()));
    const QFontMetricsF metrics(painter_.font(), &writer_);
    double x = page_.kSideMargin;
    for (size_t i = 0; i < text.size();) {
        // A word of the line, as wide as its columns: drawn whole, so that a viewer finds it
        // whole, and scaled to them.
        size_t end = i, columns = 0;
        bool changesDirection = false;
        while (end < text.size() && (end == i || text[end] != u' ')) {
            const char32_t character = utf16::CharacterAt(text, end);
            columns += static_cast<size_t>(FontColumns(character));
            changesDirection =
                changesDirection ||
                (character < 0x10000 && ChangesDirection(static_cast<char16_t>(character)));
            end += utf16::CharacterLength(text, end);
            if (text[i] == u' ') break;
        }
        const double width = static_cast<double>(columns) * halfEm_;
        const QString word =
            line.sliced(static_cast<qsizetype>(i), static_cast<qsizetype>(end - i)).toString();
        if (text[i] != u' ' && !changesDirection) {
            const double natural = metrics.horizontalAdvance(word);
            painter_.save();
            painter_.translate(x, baseline);
            if (natural > 0 && width > 0) painter_.scale(width / natural, 1);
            painter_.drawText(QPointF(), word);
            painter_.restore();
        } else if (changesDirection) {
            // Each character of a word that could turn around on its own, in its columns.
            double at = x;
            for (size_t k = i; k < end; k += utf16::CharacterLength(text, k)) {
                const qsizetype length = static_cast<qsizetype>(utf16::CharacterLength(text, k));
                painter_.drawText(QPointF(at, baseline),
                                  line.sliced(static_cast<qsizetype>(k), length).toString());
                at += FontColumns(utf16::CharacterAt(text, k)) * halfEm_;
            }
        }
        x += width;
        i = end;
    }
}

bool PdfWriter::Finish() { return document_.Finish(); }

}  // namespace sorvani::documents
