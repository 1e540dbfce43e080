#include "docx_writer.h"

#include <QColor>

#include "markup_text.h"
#include "reading_style.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype kPassSize = 1 << 16;
constexpr int kTwipsPerPoint = 20;

const QByteArray kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"_ba;
const QByteArray kMain =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""_ba;
const QByteArray kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"_ba;

const QByteArray kContentTypes =
    kXmlHead +
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/fontTable.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml\"/>"
    "<Override PartName=\"/word/footer1.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.footer+xml\"/>"
    "</Types>";

QByteArray Relationship(const char* id, const char* type, const char* target) {
    return "<Relationship Id=\""_ba + id + "\" Type=\"" + kRelationships + type + "\" Target=\"" +
           target + "\"/>";
}

const QByteArray kPackageRelationships =
    kXmlHead +
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
    Relationship("rId1", "officeDocument", "word/document.xml") + "</Relationships>";

const QByteArray kDocumentRelationships =
    kXmlHead +
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
    Relationship("rId1", "styles", "styles.xml") +
    Relationship("rId2", "fontTable", "fontTable.xml") +
    Relationship("rId3", "footer", "footer1.xml") + "</Relationships>";

// The reading font for Chinese and Latin text alike; a Chinese Windows without it takes its own
// Kai typeface, as school books print characters.
const QByteArray kFontTable =
    kXmlHead + "<w:fonts " + kMain + "><w:font w:name=\"" + kReadingFont.toUtf8() +
    "\"><w:altName w:val=\"KaiTi\"/><w:charset w:val=\"86\"/></w:font></w:fonts>";

// The page number, centred at the foot of each page.
const QByteArray kFooter = kXmlHead + "<w:ftr " + kMain +
                           "><w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr>"
                           "<w:r><w:rPr><w:sz w:val=\"20\"/></w:rPr><w:fldChar "
                           "w:fldCharType=\"begin\"/></w:r>"
                           "<w:r><w:rPr><w:sz w:val=\"20\"/></w:rPr><w:instrText "
                           "xml:space=\"preserve\"> PAGE </w:instrText></w:r>"
                           "<w:r><w:rPr><w:sz w:val=\"20\"/></w:rPr><w:fldChar "
                           "w:fldCharType=\"separate\"/></w:r>"
                           "<w:r><w:rPr><w:sz w:val=\"20\"/></w:rPr><w:t>1</w:t></w:r>"
                           "<w:r><w:rPr><w:sz w:val=\"20\"/></w:rPr><w:fldChar "
                           "w:fldCharType=\"end\"/></w:r></w:p></w:ftr>";

QByteArray Number(double value) { return QByteArray::number(qRound(value)); }

// Half-points, the unit of font sizes.
int HalfPoints(double points) { return qRound(points * 2); }

// Every run in the reading font at the characters' size; paragraphs apart by the reading
// layout's space between paragraphs.
QByteArray Styles(const ReadingChoices& choices) {
    const QByteArray font = kReadingFont.toUtf8(), size = Number(HalfPoints(choices.size));
    return kXmlHead + "<w:styles " + kMain +
           "><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"" + font + "\" w:hAnsi=\"" +
           font + "\" w:eastAsia=\"" + font + "\" w:cs=\"" + font + "\"/><w:sz w:val=\"" + size +
           "\"/><w:szCs w:val=\"" + size +
           "\"/><w:lang w:val=\"zh-CN\" w:eastAsia=\"zh-CN\"/></w:rPr></w:rPrDefault>"
           "<w:pPrDefault><w:pPr><w:spacing w:before=\"0\" w:after=\"" +
           Number((PairSpace(choices) + ParagraphSpace(choices)) * kTwipsPerPoint) +
           "\"/></w:pPr></w:pPrDefault></w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
           "<w:name w:val=\"Normal\"/></w:style></w:styles>";
}

// Word's phonetic guide: the syllable centred over its character, its baseline raised by the
// character's size.
QByteArray RubyStart(const ReadingChoices& choices) {
    const QByteArray syllable = Number(HalfPoints(SyllablePoints(choices))),
                     character = Number(HalfPoints(choices.size));
    return "<w:r><w:ruby><w:rubyPr><w:rubyAlign w:val=\"center\"/><w:hps w:val=\""_ba + syllable +
           "\"/><w:hpsRaise w:val=\"" + character + "\"/><w:hpsBaseText w:val=\"" + character +
           "\"/><w:lid w:val=\"zh-CN\"/></w:rubyPr><w:rt><w:r><w:rPr>";
}

QByteArray SyllableSize(const ReadingChoices& choices) {
    const QByteArray size = Number(HalfPoints(SyllablePoints(choices)));
    return "<w:sz w:val=\""_ba + size + "\"/><w:szCs w:val=\"" + size + "\"/>";
}

QByteArray SectionEnd(const PrintedPage& page) {
    return "<w:sectPr><w:footerReference w:type=\"default\" r:id=\"rId3\"/><w:pgSz w:w=\""_ba +
           Number(page.Width()) + "\" w:h=\"" + Number(page.Height()) + "\"/><w:pgMar w:top=\"" +
           Number(page.kTopMargin) + "\" w:right=\"" + Number(page.kSideMargin) + "\" w:bottom=\"" +
           Number(page.kBottomMargin) + "\" w:left=\"" + Number(page.kSideMargin) +
           "\" w:header=\"720\" w:footer=\"" + Number(page.kBottomMargin / 2) +
           "\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
}

// A text kept as it is, spaces at its ends too.
void AppendText(QByteArray& out, QStringView text) {
    out += "<w:t xml:space=\"preserve\">";
    AppendEscaped(out, text);
    out += "</w:t>";
}

// A character, which has no spaces.
void AppendWord(QByteArray& out, QStringView text) {
    out += "<w:t>";
    AppendEscaped(out, text);
    out += "</w:t>";
}

// A syllable with a space at each side. An office makes a ruby as wide as the wider of its
// syllable and its character and sets rubies side by side, so that a syllable wider than its
// character (zhuàng, shuāng) would touch its neighbours; the spaces keep every two syllables at
// least two spaces apart, and being alike at both sides, keep each centred over its character.
// They are part of the phonetic guide, not of the text a reader copies. LibreOffice takes no
// character spacing (w:spacing) from a ruby's run or from an empty or zero-width run beside it,
// and spreads the syllable's letters by that of the ruby's base.
void AppendSyllable(QByteArray& out, QStringView syllable) {
    out += "<w:t xml:space=\"preserve\"> ";
    AppendEscaped(out, syllable);
    out += " </w:t>";
}

}  // namespace

DocxWriter::DocxWriter(Sink sink, const PrintedPage& page)
    : page_(page),
      zip_(std::move(sink)),
      rubyStart_(RubyStart(page.choices)),
      syllableSize_(SyllableSize(page.choices)),
      cells_(page.choices,
             {[this](ReadingCell&& cell) { WriteCell(cell); }, [this] { EndParagraph(); }}) {
    const std::pair<const char*, QByteArray> parts[] = {
        {"[Content_Types].xml", kContentTypes},
        {"_rels/.rels", kPackageRelationships},
        {"word/_rels/document.xml.rels", kDocumentRelationships},
        {"word/styles.xml", Styles(page.choices)},
        {"word/fontTable.xml", kFontTable},
        {"word/footer1.xml", kFooter}};
    for (const auto& [name, content] : parts) {
        zip_.StartEntry(name);
        zip_.Write(content);
    }
    zip_.StartEntry("word/document.xml");
    out_ = kXmlHead + "<w:document " + kMain + "><w:body>";
}

void DocxWriter::WriteCell(const ReadingCell& cell) {
    if (!paragraphOpen_) out_ += "<w:p>";
    paragraphOpen_ = hasParagraphs_ = true;
    if (cell.syllable.isEmpty()) {
        out_ += "<w:r>";
        AppendText(out_, cell.spaceBefore ? u" "_s + cell.text : cell.text);
        out_ += "</w:r>";
        PassOnWhenFull();
        return;
    }
    if (cell.spaceBefore) out_ += "<w:r><w:t xml:space=\"preserve\"> </w:t></w:r>";
    out_ += rubyStart_;
    const QColor colour = ToneColour(page_.choices, cell.tone);
    if (colour != Qt::black)
        out_ += "<w:color w:val=\"" + colour.name().mid(1).toUpper().toLatin1() + "\"/>";
    out_ += syllableSize_;
    out_ += "</w:rPr>";
    AppendSyllable(out_, cell.syllable);
    out_ += "</w:r></w:rt><w:rubyBase><w:r>";
    AppendWord(out_, cell.text);
    out_ += "</w:r></w:rubyBase></w:ruby></w:r>";
    // A paragraph may be the whole text: it is passed on as it grows.
    PassOnWhenFull();
}

void DocxWriter::EndParagraph() {
    out_ += "</w:p>";
    paragraphOpen_ = false;
}

void DocxWriter::PassOnWhenFull() {
    if (out_.size() < kPassSize) return;
    zip_.Write(out_);
    out_.clear();
}

void DocxWriter::Finish() {
    cells_.Finish();
    // Word wants a paragraph in every document, an empty one too.
    if (!hasParagraphs_) out_ += "<w:p/>";
    out_ += SectionEnd(page_);
    zip_.Write(out_);
    out_.clear();
    zip_.Finish();
}

}  // namespace sorvani::documents
