// Exported annotations as readers show them: the RTF opened in LibreOffice Writer, and the PDF
// as a viewer finds its words. The text arrives exact, every line pair stays on one line of the
// page and every syllable stands over its character. Skipped where LibreOffice or pdftotext is
// not installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "clipboard_document.h"
#include "document_files.h"
#include "document_font.h"
#include "html_writer.h"
#include "page_alignment.h"
#include "pdf_writer.h"
#include "reading_line_filler.h"
#include "reading_page_check.h"
#include "text_export.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

const QString kMonospaced = u"LXGW WenKai Mono"_s;

// Prose of ordinary sentences with CR LF line ends, as the box gives it, and a line that the
// layout makes as wide as it can (eighty columns, then a six-letter syllable).
const QString kProse =
    u"春天来了，小草从地下探出头来，柳树长出了嫩绿的新芽，燕子从南方飞回来，在屋檐下筑巢。"
    u"孩子们放下书包，跑到田野里放风筝，笑声传得很远很远。老师说，学习语言要多听多说多读多写，"
    u"每天坚持一点点，就会有很大的进步。\r\n"
    u"鹅，鹅，鹅，曲项向天歌。白毛浮绿水，红掌拨清波。妈妈说：好啊，我们一起去吧。\r\n"
    u"双双双双双双双双双双中ab双窗庄\r\n"
    u"短句。\r\n"_s;

// Characters outside the code page, each between Chinese characters: an emoji, CJK Extension B,
// Hangul and a letter with a combining accent. Readers draw them from other fonts, at those
// fonts' widths; the PDF keeps their columns.
const QString kWide = u"我们😀一起𠮷学习한国语和法语cafe\u0301，中文很有意思。\r\n"_s;

constexpr double kColumnPoints = PrintedPage::kColumnTwips / 20.0;

// Every line pair of the text on one line of the PDF, every syllable over its character.
void ExpectAligned(const QString& annotated, const QString& pdf) {
    const auto lines = testing_pages::PdfLines(pdf);
    ASSERT_FALSE(lines.empty()) << "pdftotext found no words in " << pdf.toStdString();
    const testing_pages::Alignment alignment =
        testing_pages::Measure(annotated, lines, kColumnPoints);
    EXPECT_EQ(alignment.pdfLines, alignment.textLines);
    EXPECT_EQ(alignment.broken, 0) << alignment.problems.join(u'\n').toStdString();
    EXPECT_EQ(alignment.misplaced, 0) << alignment.problems.join(u'\n').toStdString();
    EXPECT_GT(alignment.syllables, 100);
    std::printf("%s: %d line pairs, %d syllables, worst distance %.3f pt\n",
                qPrintable(QFileInfo(pdf).fileName()), alignment.pairs, alignment.syllables,
                alignment.worst);
}

class LibreOfficeExport : public testing::Test {
  protected:
    void SetUp() override {
        office_ = QStandardPaths::findExecutable(u"soffice"_s);
        if (office_.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    }

    // The file converted by Writer into the given format, as text.
    QString Convert(const QString& path, const QString& format) {
        return QString::fromUtf8(ConvertedFile(path, format));
    }

    QByteArray ConvertedFile(const QString& path, const QString& format) {
        QProcess office;
        office.start(office_, {u"-env:UserInstallation="_s +
                                   QUrl::fromLocalFile(folder_.filePath(u"profile"_s)).toString(),
                               u"--headless"_s, u"--convert-to"_s, format, u"--outdir"_s,
                               folder_.filePath(u"out"_s), path});
        EXPECT_TRUE(office.waitForFinished(120000)) << office.errorString().toStdString();
        QFile converted(folder_.filePath(u"out/"_s + QFileInfo(path).completeBaseName() + u"."_s +
                                         format.section(':', 0, 0)));
        EXPECT_TRUE(converted.open(QIODevice::ReadOnly)) << converted.fileName().toStdString();
        return converted.readAll();
    }

    QString office_;
    QTemporaryDir folder_;
};

TEST_F(LibreOfficeExport, KeepsTheTextAndTheMonospacedFont) {
    QTextDocument document;
    document.setDefaultFont(QFont(kMonospaced, 12));
    QTextCursor cursor(&document);
    cursor.insertText(u"hàn  yǔ   pīn  yīn\n汉   语   拼   音\n"_s);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontWeight(QFont::Bold);
    cursor.insertText(u"zhōng wén\n中   文"_s, red);
    const QString path = folder_.filePath(u"annotated.rtf"_s);
    ExportFile(document, path);

    const QString text = Convert(path, u"txt:Text (encoded):UTF8,LF,,,"_s);
    EXPECT_EQ(text.trimmed(), document.toPlainText());

    // Every text style Writer made names the monospaced font for Western and Asian text.
    const QString flat = Convert(path, u"fodt"_s);
    const QRegularExpression face(
        uR"re(<style:font-face style:name="([^"]+)" svg:font-family="([^"]+)")re"_s);
    QMap<QString, QString> families;
    for (const auto& match : face.globalMatch(flat))
        families[match.captured(1)] = match.captured(2).remove(u"&apos;"_s);
    const QRegularExpression textStyle(
        uR"re(<style:style style:name="T\d+" style:family="text">\s*<style:text-properties([^>]*)>)re"_s);
    int styles = 0;
    for (const auto& match : textStyle.globalMatch(flat)) {
        ++styles;
        for (const char* attribute : {"style:font-name", "style:font-name-asian"}) {
            const QRegularExpression name(QString::fromLatin1(attribute) + u"=\"([^\"]+)\""_s);
            const QString face = name.match(match.captured(1)).captured(1);
            EXPECT_EQ(families.value(face), kMonospaced)
                << attribute << match.captured(1).toStdString();
        }
    }
    EXPECT_GE(styles, 2);
}

TEST_F(LibreOfficeExport, EveryLinePairFitsThePageWithItsSyllablesOverTheCharacters) {
    const QString annotated = testing_pages::Annotated(kProse, true);
    ASSERT_TRUE(annotated.contains(u"Shuāng Shuāng"_s));
    // The box's text as the window exports it after annotating.
    QTextDocument document;
    document.setDefaultFont(DocumentFont());
    document.setPlainText(annotated);
    const QString path = folder_.filePath(u"page.rtf"_s);
    ExportFile(document, path);
    ConvertedFile(path, u"pdf"_s);
    ExpectAligned(annotated, folder_.filePath(u"out/page.pdf"_s));
}

// What the box puts on the clipboard, as Writer takes each rich form of it in a paste. The RTF
// names the monospaced font for Western and Chinese text alike; the web page and the OpenDocument
// text that Qt writes can name only the Western one, which Writer takes.
TEST_F(LibreOfficeExport, ClipboardFormsNameTheMonospacedFont) {
    QTextDocument document;
    document.setDefaultFont(DocumentFont());
    document.setPlainText(testing_pages::Annotated(kProse, true));
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    const ClipboardDocument data(all.selection());
    const QRegularExpression face(
        uR"re(<style:font-face style:name="([^"]+)" svg:font-family="([^"]+)")re"_s);
    const QRegularExpression automatic(
        uR"re(<office:automatic-styles>(.*)</office:automatic-styles>)re"_s,
        QRegularExpression::DotMatchesEverythingOption);
    struct Form {
        QString format, file;
        QStringList attributes;
    };
    for (const Form& form :
         {Form{u"text/rtf"_s, u"copy.rtf"_s, {u"style:font-name"_s, u"style:font-name-asian"_s}},
          Form{u"text/html"_s, u"copy.html"_s, {u"style:font-name"_s}},
          Form{u"application/vnd.oasis.opendocument.text"_s,
               u"copy.odt"_s,
               {u"style:font-name"_s}}}) {
        QFile file(folder_.filePath(form.file));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data.data(form.format));
        file.close();
        const QString flat = Convert(file.fileName(), u"fodt"_s);
        QMap<QString, QString> families;
        for (const auto& match : face.globalMatch(flat))
            families[match.captured(1)] = match.captured(2).remove(u"&apos;"_s);
        // The styles Writer made for the pasted text.
        const QString styles = automatic.match(flat).captured(1);
        for (const QString& attribute : form.attributes) {
            const QRegularExpression name(attribute + u"=\"([^\"]+)\""_s);
            int named = 0;
            for (const auto& match : name.globalMatch(styles)) {
                ++named;
                EXPECT_EQ(families.value(match.captured(1)), kMonospaced)
                    << form.file.toStdString() << " " << attribute.toStdString();
            }
            EXPECT_GT(named, 0) << form.file.toStdString() << " " << attribute.toStdString();
        }
    }
}

class PdfOutput : public testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
    }

    QString Write(const QString& name, const QString& text, PrintedPage page = {}) {
        QFile file(folder_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        page.choices.layout = ReadingChoices::Layout::Box;
        file.write(ExportedText(text, DocumentFormat::Pdf, page));
        return file.fileName();
    }

    QTemporaryDir folder_;
};

TEST_F(PdfOutput, EveryLinePairOnOneLineWithItsSyllablesOverTheCharacters) {
    const QString annotated = testing_pages::Annotated(kProse + kWide, true);
    ExpectAligned(annotated, Write(u"a4.pdf"_s, annotated));
    ExpectAligned(annotated, Write(u"letter.pdf"_s, annotated, {PrintedPage::Paper::Letter}));
}

// Direction controls and right-to-left letters reorder no character of the line.
TEST_F(PdfOutput, EveryCharacterKeepsItsColumnWhateverDirectionTheTextTakes) {
    const QString annotated = testing_pages::Annotated(
        kProse +
            u"春天\u202E来了小草从地下\r\n柳树\u202B长出了\u200F嫩绿的新芽\u05D0\u05D1燕子\r\n"_s,
        true);
    ExpectAligned(annotated, Write(u"directions.pdf"_s, annotated));
}

TEST_F(PdfOutput, PagesBreakOnlyBetweenLinePairsAndTheTextCanBeCopied) {
    QString text;
    for (int i = 0; i < 60; ++i) text += u"第%1行\r\n"_s.arg(i);
    const QString annotated = testing_pages::Annotated(text);
    const QString pdf = Write(u"pages.pdf"_s, annotated);
    const auto lines = testing_pages::PdfLines(pdf);
    ASSERT_EQ(lines.size(), 120u);
    // Each page starts with a pinyin line ("Di") and ends with a character line ("第").
    int pages = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool first = i == 0 || lines[i - 1].front().page != lines[i].front().page;
        const bool last =
            i + 1 == lines.size() || lines[i + 1].front().page != lines[i].front().page;
        if (first) {
            ++pages;
            EXPECT_EQ(lines[i].front().text, u"Di"_s) << i;
        }
        if (last) {
            EXPECT_EQ(lines[i].front().text, u"第"_s) << i;
        }
    }
    EXPECT_EQ(pages, 3);

    QProcess toText;
    toText.start(u"pdftotext"_s, {pdf, u"-"_s});
    ASSERT_TRUE(toText.waitForFinished(60000));
    const QString copied = QString::fromUtf8(toText.readAllStandardOutput());
    EXPECT_TRUE(copied.contains(u"Di"_s) && copied.contains(u"Xing"_s) && copied.contains(u"第"_s))
        << copied.left(200).toStdString();
    EXPECT_TRUE(copied.contains(u"第 5 9 行"_s));

    // The font goes with the document, as the subset it needs: the whole font takes 15 MB.
    QProcess fonts;
    fonts.start(u"pdffonts"_s, {pdf});
    ASSERT_TRUE(fonts.waitForFinished(60000));
    EXPECT_TRUE(
        QString::fromUtf8(fonts.readAllStandardOutput())
            .contains(QRegularExpression(u"LXGWWenKaiMono\\S* +CID TrueType +\\S+ +yes"_s)));
    EXPECT_LT(QFileInfo(pdf).size(), 100000);
}

// Runs of ten characters in order and one out of order: two ranges of glyphs for every eleven.
QString ManyDistinctCharacters() {
    QString text;
    for (int k = 0; k < 1200; ++k) {
        for (int i = 0; i < 10; ++i) text += QChar(0x4E00 + 16 * k + i);
        text += QChar(0x9E00 + k % 256);
        if (k % 4 == 3) text += u"\r\n"_s;
    }
    return text;
}

// The Chinese characters of a text but 槩, which the font draws with the glyph of 㮣 (U+3BA3):
// a glyph names one character.
QSet<QChar> HanCharacters(const QString& text) {
    QSet<QChar> characters;
    for (const QChar c : text)
        if (c.unicode() >= 0x4E00 && c != u'槩') characters.insert(c);
    return characters;
}

QSet<QChar> CopiedHanCharacters(const QString& pdf) {
    QProcess toText;
    toText.start(u"pdftotext"_s, {pdf, u"-"_s});
    EXPECT_TRUE(toText.waitForFinished(60000));
    return HanCharacters(QString::fromUtf8(toText.readAllStandardOutput()));
}

// A document of many distinct characters keeps every one of them for search and copy, in the
// box's pages and in reading material: past a hundred ranges of glyphs, Qt's map from glyphs to
// characters was cut off.
TEST_F(PdfOutput, EveryCharacterDrawnCanBeCopied) {
    const QString text = ManyDistinctCharacters();
    EXPECT_EQ(CopiedHanCharacters(Write(u"characters.pdf"_s, text)), HanCharacters(text));

    const QString annotated = testing_pages::Annotated(text, true);
    QFile reading(folder_.filePath(u"reading.pdf"_s));
    ASSERT_TRUE(reading.open(QIODevice::WriteOnly));
    DocumentSource source;
    source.runs.push_back({annotated, {}, true});
    reading.write(ExportedBytes(source, DocumentFormat::Pdf));
    reading.close();
    EXPECT_EQ(CopiedHanCharacters(reading.fileName()), HanCharacters(text));
}

// Where the printed font is missing, the tool's pages take another font with Chinese characters
// and keep every column; with none, the run fails naming the font to install.
TEST_F(PdfOutput, WithoutThePrintedFontAnotherKeepsTheColumnsOrTheRunSaysWhatToInstall) {
    const QString input = folder_.filePath(u"in.txt"_s), pdf = folder_.filePath(u"out.pdf"_s);
    QFile text(input);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(kProse.toUtf8());
    text.close();
    for (const bool otherChineseFont : {true, false}) {
        // Fonts as a system without LXGW WenKai Mono has them.
        const QString fonts = folder_.filePath(u"fonts.conf"_s);
        QFile config(fonts);
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            ("<?xml version=\"1.0\"?>\n<fontconfig>\n"
             "<dir>/usr/share/fonts/truetype/dejavu</dir>\n" +
             QString(otherChineseFont ? u"<dir>/usr/share/fonts/truetype/lxgw-wenkai</dir>\n"_s
                                      : u""_s) +
             u"<cachedir>"_s + folder_.filePath(u"cache"_s) +
             u"</cachedir>\n<selectfont><rejectfont><glob>*WenKaiMono*</glob>"
             u"</rejectfont></selectfont>\n</fontconfig>\n"_s)
                .toUtf8());
        config.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"FONTCONFIG_FILE"_s, fonts);
        for (const QString& layout : {u"box"_s, u"reading"_s}) {
            QProcess tool;
            tool.setProcessEnvironment(environment);
            tool.start(QStringLiteral(SORVANI_ANNOTATE),
                       {u"--tones"_s, u"--layout"_s, layout, u"--output"_s, pdf, u"--format"_s,
                        u"pdf"_s, input});
            ASSERT_TRUE(tool.waitForFinished(120000));
            const QString err = QString::fromUtf8(tool.readAllStandardError());
            if (otherChineseFont) {
                EXPECT_EQ(tool.exitCode(), 0) << err.toStdString();
                if (layout == u"box"_s) ExpectAligned(testing_pages::Annotated(kProse, true), pdf);
                QFile::remove(pdf);
            } else {
                EXPECT_EQ(tool.exitCode(), 1) << layout.toStdString();
                EXPECT_TRUE(err.contains(u"fonts-lxgw-wenkai"_s)) << err.toStdString();
                EXPECT_FALSE(QFile::exists(pdf));
            }
        }
    }
}

// Where Chromium sets each ruby of the page that has a syllable: its base's text, how far the base
// stands below the syllable, how far the syllable's centre is from the base's, and the syllable's
// left, right and top, all of the texts themselves (a grid's square and lines lie around them). A
// script added for the test (the page itself has none) reads them. Empty when Chromium is
// missing.
QStringList RubiesInChromium(QByteArray html) {
    const QString browser = QStandardPaths::findExecutable(u"chromium"_s);
    if (browser.isEmpty()) return {};
    QTemporaryDir folder;
    html.replace("</body>", R"js(<script>
const rows = [];
for (const ruby of document.querySelectorAll("ruby")) {
  const base = document.createRange(), syllable = document.createRange();
  base.selectNodeContents(ruby.firstChild);
  syllable.selectNodeContents(ruby.querySelector("rt"));
  if (syllable.toString() === "") continue;
  const b = base.getBoundingClientRect(), t = syllable.getBoundingClientRect();
  rows.push([ruby.firstChild.textContent, (b.top - t.top).toFixed(2),
             ((t.left + t.right - b.left - b.right) / 2).toFixed(2), t.left.toFixed(2),
             t.right.toFixed(2), t.top.toFixed(2)].join(" "));
}
document.body.setAttribute("data-rubies", rows.join("|"));
</script>
</body>)js");
    QFile page(folder.filePath(u"page.html"_s));
    if (!page.open(QIODevice::WriteOnly)) return {};
    page.write(html);
    page.close();

    QProcess chromium;
    chromium.start(browser, {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s,
                             u"--disable-background-networking"_s, u"--no-first-run"_s,
                             u"--user-data-dir="_s + folder.filePath(u"profile"_s), u"--dump-dom"_s,
                             QUrl::fromLocalFile(page.fileName()).toString()});
    if (!chromium.waitForFinished(120000)) return {};
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    const QString found = QRegularExpression(u"data-rubies=\"([^\"]*)\""_s).match(dom).captured(1);
    return found.split(u'|', Qt::SkipEmptyParts);
}

// Every syllable above its base and centred over it; in the reading layout neighbouring syllables
// on a line apart too.
void ExpectRubiesInPlace(const QByteArray& html, bool apart) {
    const int rubies = static_cast<int>(html.count("<ruby>") - html.count("<rt></rt>"));
    const QStringList rows = RubiesInChromium(html);
    if (rows.isEmpty() && QStandardPaths::findExecutable(u"chromium"_s).isEmpty())
        GTEST_SKIP() << "Chromium is not installed";
    EXPECT_EQ(rows.size(), rubies);
    EXPECT_GT(rubies, 100);
    double worst = 0, closest = 1e9;
    QStringList previous;
    for (const QString& row : rows) {
        const QStringList fields = row.split(u' ');
        ASSERT_EQ(fields.size(), 6) << row.toStdString();
        EXPECT_GT(fields[1].toDouble(), 5) << "not above: " << row.toStdString();
        EXPECT_LT(std::abs(fields[2].toDouble()), 0.5) << "not centred: " << row.toStdString();
        worst = std::max(worst, std::abs(fields[2].toDouble()));
        if (apart && !previous.isEmpty() && previous[5] == fields[5]) {
            const double gap = fields[3].toDouble() - previous[4].toDouble();
            closest = std::min(closest, gap);
            EXPECT_GT(gap, 0.5) << "touching: " << previous.join(u' ').toStdString() << " and "
                                << row.toStdString();
        }
        previous = fields;
    }
    std::printf("chromium: %lld syllables over their characters, worst centring %.2f px%s\n",
                static_cast<long long>(rows.size()), worst,
                apart ? qPrintable(u", closest neighbours %1 px apart"_s.arg(closest)) : "");
}

TEST(WebPage, ChromiumSetsEverySyllableOverItsCharacter) {
    const QString annotated = testing_pages::Annotated(kProse + kWide, true);
    ExpectRubiesInPlace(ExportedText(annotated, DocumentFormat::Html, HtmlWriter::BoxPage()),
                        false);
}

TEST(WebPage, ChromiumSetsTheReadingLayoutWithNeighbouringSyllablesApart) {
    const QString annotated = testing_pages::Annotated(kProse + kWide, true);
    for (const int size : {10, 16, 36}) {
        PrintedPage page;
        page.choices.size = size;
        page.choices.toneColours = true;
        ExpectRubiesInPlace(ExportedText(annotated, DocumentFormat::Html, page), true);
    }
}

// The page as Chromium prints it, to a PDF in `folder`. Empty when Chromium is missing or fails.
QString PrintedByChromium(const QByteArray& html, const QTemporaryDir& folder) {
    const QString browser = QStandardPaths::findExecutable(u"chromium"_s);
    QFile page(folder.filePath(u"page.html"_s));
    if (browser.isEmpty() || !page.open(QIODevice::WriteOnly)) return {};
    page.write(html);
    page.close();
    const QString pdf = folder.filePath(u"page.pdf"_s);
    QProcess chromium;
    chromium.start(browser, {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s,
                             u"--disable-background-networking"_s, u"--no-first-run"_s,
                             u"--user-data-dir="_s + folder.filePath(u"profile"_s),
                             u"--no-pdf-header-footer"_s, u"--print-to-pdf="_s + pdf,
                             QUrl::fromLocalFile(page.fileName()).toString()});
    if (!chromium.waitForFinished(120000) || !QFile::exists(pdf)) return {};
    return pdf;
}

// The ruled lines of a printed page: rows of its picture (72 dots an inch, in grey) inked across
// half its width or more, rows side by side counted once.
int RuledLinesOfFirstPage(const QString& pdf) {
    const QString picture = pdf + u"-first"_s;
    QProcess render;
    render.start(u"pdftoppm"_s, {u"-gray"_s, u"-r"_s, u"72"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s,
                                 u"-singlefile"_s, pdf, picture});
    if (!render.waitForFinished(60000)) return -1;
    const QImage image(picture + u".pgm"_s);
    int lines = 0;
    bool previousRuled = false;
    for (int y = 0; y < image.height(); ++y) {
        int inked = 0;
        for (int x = 0; x < image.width(); ++x) inked += qGray(image.pixel(x, y)) < 250;
        const bool ruled = inked * 2 >= image.width();
        lines += ruled && !previousRuled;
        previousRuled = ruled;
    }
    return lines;
}

TEST(WebPage, ChromiumPrintsTheGridWithSyllablesCentredAndPagesNumbered) {
    // One long paragraph, so that every line but the last runs across the page.
    const QString annotated =
        testing_pages::Annotated(kProse.section(u"\r\n"_s, 0, 0).repeated(5), true);
    PrintedPage page;
    page.choices.grid = true;
    page.choices.toneColours = true;
    const QByteArray html = ExportedText(annotated, DocumentFormat::Html, page);
    ExpectRubiesInPlace(html, true);
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";

    QTemporaryDir folder;
    const QString pdf = PrintedByChromium(html, folder);
    ASSERT_FALSE(pdf.isEmpty()) << "Chromium printed no PDF";
    const std::vector<testing_pages::Word> words = testing_pages::PdfWords(pdf);
    const testing_pages::Checked checked =
        testing_pages::CheckReadingPages(words, page.choices.size);
    const QString problems = checked.problems.join(u'\n');
    EXPECT_GT(checked.syllables, 300);
    EXPECT_EQ(checked.centred, checked.syllables) << problems.toStdString();
    EXPECT_EQ(checked.overlaps, 0) << problems.toStdString();
    EXPECT_EQ(checked.numbered, checked.pages);
    EXPECT_GT(checked.pages, 1);
    // No line starts with closing punctuation: each such mark has a character before it on its
    // line (the marks stand lower than the squared characters, so rows are told by overlap).
    for (const testing_pages::Word& mark : words) {
        if (!ClosesText(mark.text.left(1)) || mark.bottom - mark.top < page.choices.size * 0.8)
            continue;
        const bool follows = std::ranges::any_of(words, [&](const testing_pages::Word& word) {
            return word.page == mark.page && word.right <= mark.left + 1 &&
                   word.top < mark.bottom && word.bottom > mark.top &&
                   word.bottom - word.top >= page.choices.size * 0.8;
        });
        EXPECT_TRUE(follows) << "a line starts with " << mark.text.toStdString();
    }

    // Four lines under every line of syllables, and the squares' sides, printed; none without
    // the grid.
    // The rows of the first page, told by their syllables (punctuation stands lower than the
    // squared characters).
    std::vector<double> syllableTops;
    for (const testing_pages::Word& word : words)
        if (word.page == 0 && word.bottom - word.top < page.choices.size * 0.8 && word.top < 700)
            syllableTops.push_back(word.top);
    std::sort(syllableTops.begin(), syllableTops.end());
    int rowsOfFirstPage = 0;
    for (size_t i = 0; i < syllableTops.size(); ++i)
        rowsOfFirstPage += i == 0 || syllableTops[i] - syllableTops[i - 1] > 1;
    const int ruled = RuledLinesOfFirstPage(pdf);
    EXPECT_GE(ruled, 4 * (rowsOfFirstPage - 1));
    page.choices.grid = false;
    QTemporaryDir plainFolder;
    EXPECT_EQ(RuledLinesOfFirstPage(PrintedByChromium(
                  ExportedText(annotated, DocumentFormat::Html, page), plainFolder)),
              0);
    std::printf(
        "chromium's print: %d syllables, worst centring %.3f pt, %d ruled lines over %d "
        "rows of the first page\n",
        checked.syllables, checked.worst, ruled, rowsOfFirstPage);
}

}  // namespace
}  // namespace sorvani::documents
