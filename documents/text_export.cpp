#include "text_export.h"

#include <QIODevice>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "docx_writer.h"
#include "html_writer.h"
#include "pdf_writer.h"
#include "reading_pdf_writer.h"
#include "rtf_writer.h"
#include "text_lines.h"

namespace sorvani::documents {

class LineExport {
  public:
    virtual ~LineExport() = default;
    virtual void AddLine(QStringView line) = 0;
    virtual void Finish() = 0;
};

namespace {

class RtfLines final : public LineExport {
  public:
    RtfLines(const QFont& font, TextExport::Sink sink) : rtf_(font, std::move(sink)) {}
    void AddLine(QStringView line) override { rtf_.AddParagraph(line); }
    void Finish() override { rtf_.Finish(); }

  private:
    PlainRtfWriter rtf_;
};

// A writer that takes the sink and the page and passes its bytes on itself.
template <typename Writer>
class StreamLines final : public LineExport {
  public:
    StreamLines(const PrintedPage& page, TextExport::Sink sink) : writer_(std::move(sink), page) {}
    void AddLine(QStringView line) override { writer_.AddLine(line); }
    void Finish() override { writer_.Finish(); }

  private:
    Writer writer_;
};

class LineCalls final : public LineExport {
  public:
    explicit LineCalls(std::function<void(QStringView)> line) : line_(std::move(line)) {}
    void AddLine(QStringView line) override { line_(line); }
    void Finish() override {}

  private:
    std::function<void(QStringView)> line_;
};

// A device that gathers what is written and hands it to the sink in pieces of some tens of
// kilobytes (the PDF writer writes a few bytes at a time). The PDF writer does not expect a
// write to throw, so a throw is kept, every later write fails, and the throw is passed on once
// the writer has returned.
class SinkDevice final : public QIODevice {
  public:
    explicit SinkDevice(TextExport::Sink sink) : sink_(std::move(sink)) {
        open(QIODevice::WriteOnly);
    }

    bool isSequential() const override { return true; }

    // Hands on what is gathered; throws what the sink threw, now or before.
    void Pass() {
        Hand();
        ThrowIfFailed();
    }

    void ThrowIfFailed() const {
        if (failure_) std::rethrow_exception(failure_);
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override {
        if (failure_) return -1;
        gathered_.append(data, size);
        if (gathered_.size() >= kPassSize) Hand();
        return failure_ ? -1 : size;
    }

  private:
    void Hand() {
        if (!failure_) {
            try {
                sink_(gathered_);
            } catch (...) {
                failure_ = std::current_exception();
            }
        }
        gathered_.clear();
    }

    static constexpr qsizetype kPassSize = 1 << 16;

    TextExport::Sink sink_;
    QByteArray gathered_;
    std::exception_ptr failure_;
};

template <typename Writer>
class PdfLines final : public LineExport {
  public:
    PdfLines(PrintedPage page, TextExport::Sink sink)
        : device_(std::move(sink)), pdf_(device_, page) {}

    void AddLine(QStringView line) override {
        pdf_.AddLine(line);
        device_.ThrowIfFailed();
    }

    void Finish() override {
        const bool finished = pdf_.Finish();
        device_.Pass();
        if (!finished) throw std::runtime_error("the PDF writer cannot complete the document");
    }

  private:
    SinkDevice device_;
    Writer pdf_;
};

std::unique_ptr<LineExport> LinesOf(DocumentFormat format, PrintedPage page, const QFont& font,
                                    TextExport::Sink sink) {
    switch (format) {
        case DocumentFormat::Pdf:
            if (page.choices.layout == ReadingChoices::Layout::Box)
                return std::make_unique<PdfLines<PdfWriter>>(page, std::move(sink));
            return std::make_unique<PdfLines<ReadingPdfWriter>>(page, std::move(sink));
        case DocumentFormat::Html:
            return std::make_unique<StreamLines<HtmlWriter>>(page, std::move(sink));
        case DocumentFormat::Docx:
            return std::make_unique<StreamLines<DocxWriter>>(page, std::move(sink));
        case DocumentFormat::Rtf:
            return std::make_unique<RtfLines>(font, std::move(sink));
        case DocumentFormat::Text:
            break;
    }
    throw std::invalid_argument("the annotated text is written as it is, with no export");
}

}  // namespace

TextExport::TextExport(DocumentFormat format, PrintedPage page, const QFont& boxFont, Sink sink)
    : lines_(LinesOf(format, page, boxFont, std::move(sink))),
      // A document's last paragraph is always written in RTF; the pages take the text with a
      // line break between paragraphs, which leaves no line after a final break.
      keepsFinalEmptyLine_(format == DocumentFormat::Rtf),
      keepsLineSeparators_(format == DocumentFormat::Rtf) {}

TextExport::TextExport(std::function<void(QStringView line)> line)
    : lines_(std::make_unique<LineCalls>(std::move(line))),
      keepsFinalEmptyLine_(false),
      keepsLineSeparators_(false) {}

TextExport::~TextExport() = default;

void TextExport::Add(QStringView text) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const DocumentLineReader::Unit unit = lineReader_.Read(c);
        // RTF keeps a line separator inside its paragraph, as a line break of its own.
        if (unit == DocumentLineReader::Unit::Text ||
            (c == QChar::LineSeparator && keepsLineSeparators_))
            continue;
        line_ += text.sliced(start, i - start);
        if (unit == DocumentLineReader::Unit::Break) EndLine();
        start = i + 1;
    }
    line_ += text.sliced(start);
}

void TextExport::EndLine() {
    lines_->AddLine(line_);
    line_.clear();
    afterBreak_ = true;
}

void TextExport::Finish() {
    if (keepsFinalEmptyLine_ || !afterBreak_ || !line_.isEmpty()) lines_->AddLine(line_);
    line_.clear();
    lines_->Finish();
}

QByteArray ExportedText(QStringView text, DocumentFormat format, PrintedPage page,
                        const ExportProgress& progress, const QFont& boxFont) {
    QByteArray bytes;
    TextExport pages(format, page, boxFont, [&bytes](QByteArrayView piece) { bytes += piece; });
    constexpr qsizetype kPiece = 4096;
    ProgressCount count(text.size(), progress);
    for (qsizetype at = 0; at < text.size(); at += kPiece) {
        const QStringView piece = text.sliced(at, std::min(kPiece, text.size() - at));
        pages.Add(piece);
        count.Add(piece.size());
    }
    pages.Finish();
    return bytes;
}

}  // namespace sorvani::documents
