#include "rtf_writer.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextFragment>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "cp936.h"
#include "font_names.h"
#include "printed_page.h"

namespace sorvani::documents {
namespace {

// Text in a font sized in pixels (the document box's) is written at the printed page's size.
constexpr double kDefaultPointSize = PrintedPage::kHalfPoints / 2.0;
// Bytes gathered before they are passed to the sink.
constexpr qsizetype kPassSize = 1 << 16;

// Both monospaced fonts are written as the printed one with the other as its alternative, so
// that an export names the same fonts on every system.
QString FontTableName(const QString& family) {
    if (family == kMonospacedFontOnWindows || family == QStringLiteral("新宋体"))
        return kMonospacedFont;
    return family;
}

// What the writer keeps of a run's format.
struct RunFormat {
    int font = 0;
    int halfPoints = 24;
    int color = 0;       // 0: automatic
    int background = 0;  // 0: none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool operator==(const RunFormat&) const = default;
};

// Text in RTF's escaped form, keeping track of the \ucN in force (1 where it starts).
class RtfTextEncoder {
  public:
    void Append(QByteArray& out, QStringView text);

  private:
    void AppendCharacter(QByteArray& out, char16_t c);

    int unicodeSkip_ = 1;
    bool afterSpace_ = false;
};

// Writes RTF to a sink as it goes. The header lists the fonts and colours of every run, so each
// run's format is taken (FormatOf) before the header is written (Start).
class RtfWriter {
  public:
    RtfWriter(const QFont& defaultFont, RtfSink sink);

    RunFormat FormatOf(const QTextCharFormat& format);
    void Start();
    void AddText(QStringView text, const RunFormat& format);
    void EndParagraph();
    void Finish();

  private:
    // The colour table's number of a brush's colour; 0 for none.
    int ColorIndex(const QTextCharFormat& format, QTextFormat::Property brush);
    void WriteFormat(const RunFormat& format);
    void Pass();

    QFont defaultFont_;
    RtfSink sink_;
    std::vector<QString> fonts_;
    std::vector<QColor> colors_;
    QByteArray out_;
    RtfTextEncoder text_;
    std::optional<RunFormat> current_;
};

template <typename T>
int IndexOf(std::vector<T>& table, const T& value) {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == value) return static_cast<int>(i);
    table.push_back(value);
    return static_cast<int>(table.size() - 1);
}

RtfWriter::RtfWriter(const QFont& defaultFont, RtfSink sink)
    : defaultFont_(defaultFont), sink_(std::move(sink)) {
    fonts_.push_back(FontTableName(defaultFont_.family()));
}

void RtfWriter::Start() {
    out_ += "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i) {
        out_ += "{\\f" + QByteArray::number(static_cast<int>(i));
        if (fonts_[i] == kMonospacedFont) {
            // Modern and fixed pitch lead a reader without either font to a monospaced one.
            out_ += "\\fmodern\\fprq1\\fcharset134 ";
            RtfTextEncoder().Append(out_, kMonospacedFont);
            out_ += "{\\*\\falt ";
            RtfTextEncoder().Append(out_, kMonospacedFontOnWindows);
            out_ += "};}";
        } else {
            out_ += "\\fnil\\fcharset134 ";
            RtfTextEncoder().Append(out_, fonts_[i]);
            out_ += ";}";
        }
    }
    out_ += "}\r\n{\\colortbl ;";
    for (const QColor& color : colors_) {
        out_ += "\\red" + QByteArray::number(color.red()) + "\\green" +
                QByteArray::number(color.green()) + "\\blue" + QByteArray::number(color.blue()) +
                ";";
    }
    // The page is stated: readers' defaults differ, and Word's margins would leave the widest
    // line too little room.
    const PrintedPage page;
    out_ += "}\r\n\\paperw" + QByteArray::number(page.Width()) + "\\paperh" +
            QByteArray::number(page.Height()) + "\\margl" +
            QByteArray::number(PrintedPage::kSideMargin) + "\\margr" +
            QByteArray::number(PrintedPage::kSideMargin) + "\\margt" +
            QByteArray::number(PrintedPage::kTopMargin) + "\\margb" +
            QByteArray::number(PrintedPage::kBottomMargin) + "\r\n\\uc1\\pard";
}

RunFormat RtfWriter::FormatOf(const QTextCharFormat& format) {
    RunFormat run;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty())
        run.font = IndexOf(fonts_, FontTableName(families.front()));
    double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                   : defaultFont_.pointSizeF();
    if (points <= 0) points = kDefaultPointSize;
    run.halfPoints = static_cast<int>(std::lround(points * 2));
    run.color = ColorIndex(format, QTextFormat::ForegroundBrush);
    run.background = ColorIndex(format, QTextFormat::BackgroundBrush);
    run.bold = format.fontWeight() > QFont::Medium;
    run.italic = format.fontItalic();
    run.underline = format.fontUnderline();
    run.strike = format.fontStrikeOut();
    return run;
}

int RtfWriter::ColorIndex(const QTextCharFormat& format, QTextFormat::Property brush) {
    if (!format.hasProperty(brush) || format.brushProperty(brush).style() == Qt::NoBrush) return 0;
    return IndexOf(colors_, format.brushProperty(brush).color().toRgb()) + 1;
}

void RtfWriter::AddText(QStringView text, const RunFormat& format) {
    if (text.isEmpty()) return;
    if (format != current_) WriteFormat(format);
    current_ = format;
    text_.Append(out_, text);
    Pass();
}

void RtfWriter::EndParagraph() {
    // Every paragraph ends with its mark, the last one too.
    out_ += "\\par\r\n";
    Pass();
}

void RtfWriter::Finish() {
    out_ += "}\r\n";
    sink_(out_);
    out_.clear();
}

void RtfWriter::Pass() {
    if (out_.size() < kPassSize) return;
    sink_(out_);
    out_.clear();
}

void RtfWriter::WriteFormat(const RunFormat& format) {
    // The font is named for double-byte text too, so that Chinese shows in it, not in the
    // reader's default Chinese font.
    const QByteArray font = QByteArray::number(format.font);
    out_ += "\\plain\\hich\\af" + font + "\\dbch\\af" + font + "\\loch\\f" + font + "\\fs" +
            QByteArray::number(format.halfPoints);
    if (format.color != 0) out_ += "\\cf" + QByteArray::number(format.color);
    if (format.background != 0) out_ += "\\highlight" + QByteArray::number(format.background);
    if (format.bold) out_ += "\\b";
    if (format.italic) out_ += "\\i";
    if (format.underline) out_ += "\\ul";
    if (format.strike) out_ += "\\strike";
    out_ += ' ';
}

void RtfTextEncoder::Append(QByteArray& out, QStringView text) {
    for (const QChar c : text) AppendCharacter(out, c.unicode());
}

void RtfTextEncoder::AppendCharacter(QByteArray& out, char16_t c) {
    const bool afterSpace = std::exchange(afterSpace_, c == u' ');
    switch (c) {
        case u' ':
            // LibreOffice puts a U+2006 before each space of a run in a Chinese document, which
            // would shift the annotation's columns; an empty group between spaces prevents it.
            if (afterSpace) out += "{}";
            out += ' ';
            return;
        case u'\\':
        case u'{':
        case u'}':
            out += '\\';
            out += static_cast<char>(c);
            return;
        case u'\t':
            out += "\\tab ";
            return;
        case u'\u2028':
            out += "\\line ";
            return;
        default:
            break;
    }
    if (c >= 0x20 && c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    // Control characters get "?" as their fallback, never the raw byte.
    const auto code = static_cast<uint16_t>(c < 0x20 ? '?' : cp936::CodeOf(c));
    const int fallbackBytes = code > 0xFF ? 2 : 1;
    if (fallbackBytes != unicodeSkip_) {
        unicodeSkip_ = fallbackBytes;
        out += fallbackBytes == 2 ? "\\uc2" : "\\uc1";
    }
    // Written by hand: this runs for every character of a long annotated document.
    char buffer[24] = {'\\', 'u'};
    int length = 2;
    int value = static_cast<int16_t>(c);
    if (value < 0) {
        buffer[length++] = '-';
        value = -value;
    }
    char digits[8];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) buffer[length++] = digits[--count];
    // Fallback bytes in hex: a literal one would need a delimiter after \'hh or \uN.
    static constexpr char kHex[] = "0123456789abcdef";
    for (int shift = fallbackBytes == 2 ? 8 : 0; shift >= 0; shift -= 8) {
        const unsigned byte = code >> shift & 0xFF;
        buffer[length++] = '\\';
        buffer[length++] = '\'';
        buffer[length++] = kHex[byte >> 4];
        buffer[length++] = kHex[byte & 0xF];
    }
    out.append(buffer, length);
}

}  // namespace

QByteArray WriteRtf(const DocumentSource& source, const ExportProgress& progress) {
    QByteArray rtf;
    // Most characters of an annotated document take a few bytes; Chinese ones take 14.
    qsizetype characters = 0;
    for (const DocumentSource::Run& run : source.runs) characters += run.text.size() + 1;
    rtf.reserve(characters * 4);
    RtfWriter writer(source.defaultFont, [&rtf](QByteArrayView bytes) { rtf += bytes; });
    std::vector<RunFormat> formats;
    formats.reserve(source.runs.size());
    for (const DocumentSource::Run& run : source.runs)
        formats.push_back(run.text.isEmpty() ? RunFormat() : writer.FormatOf(run.format));
    writer.Start();
    ProgressCount count(characters, progress);
    for (size_t i = 0; i < source.runs.size(); ++i) {
        writer.AddText(source.runs[i].text, formats[i]);
        if (source.runs[i].endsParagraph) writer.EndParagraph();
        count.Add(source.runs[i].text.size() + 1);
    }
    writer.Finish();
    return rtf;
}

QByteArray WriteRtf(const QTextDocument& document) { return WriteRtf(DocumentSourceOf(document)); }

struct PlainRtfWriter::Writer {
    Writer(const QFont& defaultFont, RtfSink sink) : rtf(defaultFont, std::move(sink)) {}

    RtfWriter rtf;
    // As QTextDocument::setPlainText leaves the text: no format of its own.
    const RunFormat format = rtf.FormatOf(QTextCharFormat());
};

PlainRtfWriter::PlainRtfWriter(const QFont& defaultFont, RtfSink sink)
    : writer_(std::make_unique<Writer>(defaultFont, std::move(sink))) {
    writer_->rtf.Start();
}

PlainRtfWriter::~PlainRtfWriter() = default;

void PlainRtfWriter::AddParagraph(QStringView text) {
    writer_->rtf.AddText(text, writer_->format);
    writer_->rtf.EndParagraph();
}

void PlainRtfWriter::Finish() { writer_->rtf.Finish(); }

}  // namespace sorvani::documents
