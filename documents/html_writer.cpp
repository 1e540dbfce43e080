#include "html_writer.h"

#include <vector>

#include "annotated_pair_reader.h"
#include "line_break.h"
#include "qt_text.h"
#include "text_lines.h"

namespace sorvani::documents {
namespace {

constexpr qsizetype kFlushSize = 1 << 16;

const char kHead[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"zh-Hans\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\"/>\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
    "<meta name=\"generator\" content=\"Sorvani\"/>\n"
    "<title>Sorvani</title>\n"
    "<style>\n"
    "body { font-family: \"LXGW WenKai\", \"Noto Serif CJK SC\", \"Noto Sans CJK SC\", "
    "\"SimSun\", serif; font-size: 20px; line-height: 2.4; color: #222; background: #fff; "
    "max-width: 48em; margin: 2em auto; padding: 0 1em; }\n"
    "p { margin: 0; white-space: pre-wrap; }\n"
    "rt { font-size: 0.6em; }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n";
const char kTail[] = "</body>\n</html>\n";

void AppendEscaped(QByteArray& out, QStringView text) {
    qsizetype plain = 0;
    auto flushPlain = [&](qsizetype end) {
        if (end > plain) out += text.sliced(plain, end - plain).toUtf8();
        plain = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char* entity = nullptr;
        switch (c) {
            case u'&':
                entity = "&amp;";
                break;
            case u'<':
                entity = "&lt;";
                break;
            case u'>':
                entity = "&gt;";
                break;
            case u'"':
                entity = "&quot;";
                break;
            case u'\'':
                entity = "&#39;";
                break;
            default:
                // Control characters (C1 ones too) and noncharacters have no place in a page;
                // each shows as the replacement sign, in its place.
                if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c < 0xA0) || text::IsNoncharacter(c))
                    entity = "\xEF\xBF\xBD";
                break;
        }
        if (!entity) continue;
        flushPlain(i);
        out += entity;
    }
    flushPlain(text.size());
}

}  // namespace

HtmlWriter::HtmlWriter(Sink sink) : sink_(std::move(sink)) { out_ += kHead; }

void HtmlWriter::AddLine(QStringView line) {
    if (!pending_) {
        pinyinLine_ = line.toString();
        pending_ = true;
        return;
    }
    pending_ = false;
    WritePair(pinyinLine_, line);
    if (out_.size() >= kFlushSize) {
        sink_(out_);
        out_.clear();
    }
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
    if (pending_) WritePlain(pinyinLine_);
    pending_ = false;
    out_ += kTail;
    sink_(out_);
    out_.clear();
}

QByteArray WriteHtml(QStringView text) {
    QByteArray html;
    HtmlWriter writer([&html](QByteArrayView bytes) { html += bytes; });
    ForEachLine(text, [&writer](QStringView line) { writer.AddLine(line); });
    writer.Finish();
    return html;
}

}  // namespace sorvani::documents
