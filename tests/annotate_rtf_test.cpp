// sorvani-annotate with RTF: it reads RTF as the window's import does and writes RTF as the
// window's export does.
#include <QApplication>
#include <QProcess>

#include "annotate_tool.h"
#include "document_files.h"
#include "document_font.h"
#include "frmmain.h"
#include "qt_text.h"
#include "recording_prompts.h"
#include "utf8.h"
#include "zip_reader.h"

namespace sorvani {
namespace {

using namespace testing_tool;
using namespace shell;

class AnnotateRtf : public AnnotateTool {
  protected:
    AnnotateRtf() {
        // The tool must start Qt by itself where there is no display; this process's own
        // application is already running.
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) qunsetenv(name);
    }
};

// Bold and a font size, code page 936 bytes, \u characters with their fallbacks (a surrogate
// pair among them), a line break inside a paragraph, an empty paragraph and a skipped group.
const std::string kRtf =
    "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}{\\*\\generator x;}"
    "\\f0\\fs30 \\b\\'d6\\'d0\\b0 \\u22269?a\\line {\\i b}\\par\\par \\u-10179?\\u-8704? c}";
const std::string kRtfText = "中国a\nb\n\n😀 c";

TEST_F(AnnotateRtf, RtfInputIsAnnotatedAsItsText) {
    const Outcome fromStandardInput = Annotate(kRtf, "--tones");
    EXPECT_EQ(fromStandardInput.status, 0);
    EXPECT_EQ(fromStandardInput.err, "");
    EXPECT_EQ(fromStandardInput.out, Annotate(kRtfText, "--tones").out);
    // The content tells RTF, not the name.
    WriteBytes(dir_ / "in.txt", kRtf);
    EXPECT_EQ(Annotate("", Quote(dir_ / "in.txt")).out, Annotate(kRtfText).out);
}

TEST_F(AnnotateRtf, OutputIsRtfForAnRtfFileNameOrWhenAskedFor) {
    const Outcome named = Annotate("中国", "--output " + Quote(dir_ / "out.rtf"));
    EXPECT_EQ(named.status, 0);
    EXPECT_EQ(named.err, "");
    const std::string rtf = ReadBytes(dir_ / "out.rtf");
    EXPECT_TRUE(rtf.starts_with("{\\rtf1")) << rtf;
    EXPECT_NE(rtf.find("\\u20013"), std::string::npos) << rtf;

    EXPECT_EQ(Annotate("中国", "--format rtf").out, rtf);
    Annotate("中国", "--output " + Quote(dir_ / "OUT.RTF"));
    EXPECT_EQ(ReadBytes(dir_ / "OUT.RTF"), rtf);
    Annotate("中国", "--format=rtf --output " + Quote(dir_ / "out.txt"));
    EXPECT_EQ(ReadBytes(dir_ / "out.txt"), rtf);
    Annotate("中国", "--format text --output " + Quote(dir_ / "text.rtf"));
    EXPECT_EQ(ReadBytes(dir_ / "text.rtf"), Annotate("中国").out);
}

TEST_F(AnnotateRtf, AFailingRtfRunLeavesTheOutputAsItWas) {
    const fs::path output = dir_ / "out.rtf";
    WriteBytes(output, "old");
    test_support::WriteDictionaryFile(dictionary_, {{u"中", u"中", u"", u""}});
    Outcome outcome = Annotate(kRtf, "--output " + Quote(output));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("dictionary.dll"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(output), "old");

    // A file cut short would lose the rest of its text.
    WriteBytes(dir_ / "cut.rtf", kRtf.substr(0, kRtf.size() - 1));
    outcome = Annotate("", Quote(dir_ / "cut.rtf") + " --output " + Quote(output));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1);
    EXPECT_NE(outcome.err.find("cut.rtf: damaged RTF"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(output), "old");

    // A platform that Qt cannot start on, chosen by the user.
    qputenv("QT_QPA_PLATFORM", "none");
    outcome = Annotate(kRtf, "--output " + Quote(output));
    qunsetenv("QT_QPA_PLATFORM");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find("Qt cannot start"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(output), "old");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 6);  // no temporary file: dictionary, output, input, the streams' three
}

// What a PDF shows: its pages with every word and where it stands. The file's bytes differ
// between processes (its date, the names and order of the embedded font subsets).
std::string PageContent(const fs::path& pdf) {
    QProcess words;
    words.start(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    if (!words.waitForFinished(60000) || words.exitCode() != 0) return ReadBytes(pdf).substr(0, 8);
    const std::string content = words.readAllStandardOutput().toStdString();
    return content.substr(content.find("<doc>"));
}

TEST_F(AnnotateRtf, WritesWhatTheWindowExportsAfterAnnotating) {
    const fs::path shipped = fs::path(SORVANI_PROGRAM_DIR) / kDictionaryFileName;
    PinyinDictionary dictionary;
    LoadPinyinDictionary(dictionary, shipped);
    auto recording = std::make_unique<RecordingPrompts>();
    RecordingPrompts& prompts = *recording;
    frmmain window(dictionary, std::move(recording));
    // Readings by word and the tone change too, from the word table the tool finds beside it.
    window.Annotation.ReadWordsFrom(WordTableFilePath(SORVANI_PROGRAM_DIR));
    window.aczy->setChecked(true);
    window.ybbd->setChecked(true);
    window.show();
    QApplication::processEvents();

    // Besides real files, one with what is no character and what a text document would take
    // for paragraph and line ends.
    WriteBytes(dir_ / "odd.rtf",
               "{\\rtf1 \\u20013?\\u0 a\\u-2147483648 b\\u13?c\\'0ad\\u8233?\\u8232?e\\~f"
               "\\u-10179?g\\u64976?\\line\\par\\par}");
    for (const auto& [input, tones] :
         {std::pair{fs::path(SORVANI_RTF_FIXTURES) / "wordpad_chinese.rtf", true},
          {fs::path(SORVANI_RTF_FIXTURES) / "libreoffice_chinese.rtf", false},
          {dir_ / "odd.rtf", true}}) {
        const std::string fixture = input.filename().string();
        prompts.chosenFile = QString::fromStdString(input.string());
        window.LoadFile_Click();
        prompts.answerYes = tones;
        window.zy_Click();
        const fs::path exported = dir_ / "window.rtf";
        prompts.answerYes = false;
        prompts.chosenFile = QString::fromStdString(exported.string());
        window.dcwj_Click();

        const fs::path output = dir_ / "tool.rtf";
        const Outcome outcome =
            Run((tones ? "--tones" : "") + std::string(" --words --sandhi --dictionary ") +
                Quote(shipped) + " --output " + Quote(output) + " " + Quote(input));
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(ReadBytes(output), ReadBytes(exported)) << fixture;

        // The page, the web page and the Word document too, chosen by the name or by --format.
        for (const auto& [name, format] : {std::pair{"page.pdf", "--page a4"},
                                           {"page.html", "--format html"},
                                           {"page.docx", "--format docx"}}) {
            prompts.chosenFile = QString::fromStdString((dir_ / name).string());
            window.dcwj_Click();
            const bool pdf = std::string(name).ends_with(".pdf");
            const std::string tool = (tones ? "--tones " : "") + std::string(format) +
                                     " --dictionary " + Quote(shipped) + " " + Quote(input);
            const Outcome page = Run(pdf ? tool + " --output " + Quote(dir_ / "tool.pdf") : tool);
            EXPECT_EQ(page.status, 0) << page.err;
            if (pdf)
                EXPECT_EQ(PageContent(dir_ / "tool.pdf"), PageContent(dir_ / name));
            else
                EXPECT_EQ(page.out, ReadBytes(dir_ / name));
        }
    }
}

// A plain text long enough to be read, annotated and written in many pieces: the document comes
// out as the window exports the box holding the tool's text output.
TEST_F(AnnotateRtf, WritesPlainTextAsTheWindowExportsItsAnnotation) {
    std::string input = "\xEF\xBB\xBF";
    for (int i = 0; i < 2000; ++i) {
        input += "中国a \r\n啊\r汉语  b\n\t";
        // A line that the layout wraps, and a character outside the dictionary.
        if (i % 100 == 0) input += std::string(300, 'x') + "中\xF0\x9F\x98\x80\r\n\r\n";
    }
    WriteBytes(dir_ / "in.txt", input);
    // Pages take long to draw: a few lines for them.
    WriteBytes(dir_ / "short.txt", input.substr(0, input.find("\r\n", 2000)));
    for (const auto& [tones, file, format] : {std::tuple{"", "in.txt", DocumentFormat::Rtf},
                                              {"--tones ", "in.txt", DocumentFormat::Rtf},
                                              {"", "in.txt", DocumentFormat::Html},
                                              {"--tones ", "in.txt", DocumentFormat::Html},
                                              {"--tones ", "in.txt", DocumentFormat::Docx},
                                              {"--tones ", "short.txt", DocumentFormat::Pdf}}) {
        const std::string input = tones + Quote(dir_ / file);
        const Outcome text = Annotate("", input);
        ASSERT_EQ(text.status, 0) << text.err;
        QTextDocument document;
        document.setDefaultFont(documents::DocumentFont());
        document.setPlainText(documents::QStringOf(DecodeUtf8(text.out).value()));
        const fs::path window = dir_ / "window", tool = dir_ / "tool";
        WriteBytes(
            window,
            documents::ExportedBytes(documents::DocumentSourceOf(document), format).toStdString());
        const char* name = format == DocumentFormat::Rtf    ? "rtf"
                           : format == DocumentFormat::Html ? "html"
                           : format == DocumentFormat::Docx ? "docx"
                                                            : "pdf";
        const Outcome outcome = Annotate(
            "", "--format " + std::string(name) + " --output " + Quote(tool) + " " + input);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        if (format == DocumentFormat::Pdf)
            EXPECT_EQ(PageContent(tool), PageContent(window));
        else
            EXPECT_EQ(ReadBytes(tool), ReadBytes(window)) << input << " " << name;
    }
}

// A paragraph separator or a frame mark of the text document in a text file ends a line where
// the tool reads it as the window does; every pair after it stays a pair, in the web page and on
// the pages of the PDF, where a syllable line must not land a page before its characters.
TEST_F(AnnotateRtf, ALineBreakOfAnyKindKeepsEveryPairOfTheWebPageAndThePdf) {
    const auto annotate = [&](const std::string& start, const std::string& output) {
        std::string input = start;
        for (int i = 0; i < 200; ++i) input += "中国\n";
        WriteBytes(dir_ / "in.txt", input);
        const Outcome outcome =
            Annotate("", "--output " + Quote(dir_ / output) + " " + Quote(dir_ / "in.txt"));
        EXPECT_EQ(outcome.status, 0) << outcome.err;
    };
    // Each mark and what it reads as.
    for (const auto& [mark, read] :
         {std::pair{"\u2029", "\n"}, {"\u2028", "\n"}, {"\uFDD0", "\uFFFD"}}) {
        annotate(mark, "out.html");
        const std::string html = ReadBytes(dir_ / "out.html");
        size_t rubies = 0;
        for (size_t at = 0; (at = html.find("<ruby>", at)) != std::string::npos; ++at) ++rubies;
        EXPECT_EQ(rubies, 400u) << mark;
        annotate(mark, "out.pdf");
        annotate(read, "read.pdf");
        EXPECT_EQ(PageContent(dir_ / "out.pdf"), PageContent(dir_ / "read.pdf")) << mark;
    }
}

// The Word document: chosen by its name, with the size, case and colours chosen.
TEST_F(AnnotateRtf, WritesAWordDocumentWithTheChosenSizeCaseAndColours) {
    const fs::path docx = dir_ / "lesson.docx";
    const Outcome named = Annotate("中国\n", "--tones --output " + Quote(docx));
    ASSERT_EQ(named.status, 0) << named.err;
    const QByteArray plain =
        testing_zip::ReadZip(QByteArray::fromStdString(ReadBytes(docx))).value("word/document.xml");
    EXPECT_TRUE(plain.contains("> zhōng </w:t>")) << plain.constData();
    EXPECT_FALSE(plain.contains("<w:color"));

    const Outcome chosen =
        Annotate("中国\n", "--tones --format docx --size 20 --capitals --tone-colours");
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    const QByteArray document =
        testing_zip::ReadZip(QByteArray::fromStdString(chosen.out)).value("word/document.xml");
    EXPECT_TRUE(document.contains("<w:hps w:val=\"20\"/><w:hpsRaise w:val=\"40\"/>"))
        << document.constData();
    EXPECT_TRUE(document.contains("<w:color w:val=\"C8102E\"/>"));
    EXPECT_TRUE(document.contains("> Zhōng </w:t>") && document.contains("> Guó </w:t>"));
}

// The layout options reach the pages: the size, the case and the tone colours of the reading
// layout, and the box's lines instead.
TEST_F(AnnotateRtf, LayoutOptionsShapeThePdfAndTheWebPage) {
    const std::string text = "中国\n";
    const std::string reading =
        Annotate(text, "--tones --format html --size 36 --capitals --tone-colours").out;
    EXPECT_NE(reading.find("font-size: 36pt"), std::string::npos) << reading;
    EXPECT_NE(reading.find("<ruby>中<rt class=\"t1\">Zhōng</rt></ruby>"), std::string::npos);
    EXPECT_NE(reading.find("rt.t1 { color: #c8102e; }"), std::string::npos);
    EXPECT_NE(Annotate(text, "--tones --format html").out.find("<rt class=\"t1\">zhōng</rt>"),
              std::string::npos);
    const std::string box = Annotate(text, "--tones --format html --layout box").out;
    EXPECT_NE(box.find("<ruby>中<rt>Zhōng</rt></ruby>"), std::string::npos) << box;

    // The PDF: syllables in small letters over characters set apart, or the box's lines.
    for (const auto& [layout, words] :
         {std::pair{"reading", "zhōng guó 中 国"}, std::pair{"box", "Zhōng Guó 中 国"}}) {
        const fs::path pdf = dir_ / (std::string(layout) + ".pdf");
        const Outcome outcome =
            Annotate(text, "--tones --layout " + std::string(layout) + " --output " + Quote(pdf));
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        QProcess toText;
        toText.start(QStringLiteral("pdftotext"),
                     {QString::fromStdString(pdf.string()), QStringLiteral("-")});
        if (!toText.waitForFinished(60000) || toText.exitCode() != 0) continue;
        EXPECT_EQ(QString::fromUtf8(toText.readAllStandardOutput()).simplified(),
                  QString::fromUtf8(words).append(layout == std::string("reading") ? " 1" : ""))
            << layout;
    }
}

// Written as it is made, a document meets a full disk while the text is still being annotated.
TEST_F(AnnotateRtf, AFullDiskIsAFailureOfEachFormat) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    std::string input;
    for (int i = 0; i < 5000; ++i) input += "中国啊\r\n";  // more than one piece of output
    for (const char* format : {"rtf", "html", "pdf", "docx"}) {
        const Outcome outcome =
            RunTo("/dev/full", "--dictionary " + Quote(dictionary_) + " --format " + format, input);
        EXPECT_EQ(outcome.status, 1) << format;
        EXPECT_EQ(outcome.err,
                  "sorvani-annotate: standard output: cannot write (No space left on device)\n")
            << format;
    }
}

#ifndef _WIN32
// Address space limits mean nothing to a program built with AddressSanitizer, which reserves
// terabytes at its start.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORVANI_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SORVANI_ADDRESS_SANITIZER
#endif

TEST_F(AnnotateRtf, RunningOutOfMemoryIsAFailureOfItsOwn) {
#ifdef SORVANI_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address space limit does not work with AddressSanitizer";
#endif
    // Under ulimit -v 100000 a PDF run ended with an uncaught std::bad_alloc, leaving its
    // temporary file. Wherever memory runs out (loading Qt, laying out, compressing a page),
    // the run ends with a message of its own and the old file whole.
    const fs::path output = dir_ / "out.pdf";
    WriteBytes(output, "old");
    WriteBytes(dir_ / "input.txt", LongText(200000));
    int outOfMemory = 0;
    for (int kilobytes = 60000; kilobytes <= 200000; kilobytes += 20000) {
        const int raw =
            std::system(("ulimit -v " + std::to_string(kilobytes) + "; " + Quote(SORVANI_ANNOTATE) +
                         " --dictionary " + Quote(dictionary_) + " --output " + Quote(output) +
                         " " + Quote(dir_ / "input.txt") + " 2> " + Quote(dir_ / "stderr"))
                            .c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << kilobytes << " KB: " << raw;
        const std::string err = ReadBytes(dir_ / "stderr");
        if (WEXITSTATUS(raw) == 0) break;
        EXPECT_EQ(WEXITSTATUS(raw), 1) << kilobytes << " KB";
        outOfMemory += err == "sorvani-annotate: out of memory\n";
        EXPECT_TRUE(err == "sorvani-annotate: out of memory\n" ||
                    err.find("RTF support cannot be loaded") != std::string::npos)
            << kilobytes << " KB: " << err;
        EXPECT_EQ(ReadBytes(output), "old") << kilobytes << " KB";
        for (const auto& entry : fs::directory_iterator(dir_)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "dictionary.dll" || name == "input.txt" || name == "out.pdf" ||
                        name == "stderr")
                << kilobytes << " KB left " << name;
        }
    }
    EXPECT_GT(outOfMemory, 0);
    EXPECT_TRUE(ReadBytes(output).starts_with("%PDF"));
}

TEST_F(AnnotateRtf, ADamagedModuleIsNamedNotMapped) {
    // A module cut short ended the run with SIGBUS when the loader touched its missing pages.
    const fs::path program = dir_ / fs::path(SORVANI_ANNOTATE).filename();
    fs::copy_file(SORVANI_ANNOTATE, program);
    const fs::path module = dir_ / "sorvani-annotate-rtf.so";
    const std::string whole =
        ReadBytes(fs::path(SORVANI_ANNOTATE).parent_path() / module.filename());
    ASSERT_GT(whole.size(), 100000u);
    for (const size_t size : {whole.size() / 2, whole.size() - 1, size_t{40}}) {
        WriteBytes(module, std::string_view(whole).substr(0, size));
        const Outcome outcome =
            Run("--dictionary " + Quote(dictionary_) + " --format pdf", "中", program);
        EXPECT_EQ(outcome.status, 1) << size;
        EXPECT_EQ(outcome.err,
                  "sorvani-annotate: " + module.string() + ": RTF support cannot be loaded (" +
                      (size == 40 ? "not a module for this system" : "damaged: it ends early") +
                      ")\n");
    }
    WriteBytes(module, whole);
    EXPECT_EQ(Run("--dictionary " + Quote(dictionary_) + " --format pdf", "中", program).status, 0);
}
#endif

// A file cut short is refused by both on the same judgement: the tool fails naming it, the
// window says so naming it and keeps the document it had.
TEST_F(AnnotateRtf, TheWindowRefusesTheRtfFileCutShortThatTheToolRefuses) {
    const fs::path cut = dir_ / "cut.rtf";
    WriteBytes(cut, kRtf.substr(0, kRtf.size() - 1));
    EXPECT_EQ(Annotate("", Quote(cut)).status, 1);

    PinyinDictionary dictionary;
    auto recording = std::make_unique<RecordingPrompts>();
    RecordingPrompts& prompts = *recording;
    frmmain window(dictionary, std::move(recording));
    window.Wj->setPlainText(QStringLiteral("before"));
    prompts.chosenFile = QString::fromStdString(cut.string());
    window.LoadFile_Click();
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].contains(*prompts.chosenFile)) << prompts.shown[0].toStdString();
    EXPECT_EQ(window.Wj->toPlainText(), QStringLiteral("before"));

    // The whole file is taken by both.
    WriteBytes(cut, kRtf);
    EXPECT_EQ(Annotate("", Quote(cut)).status, 0);
    prompts.shown.clear();
    window.LoadFile_Click();
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(window.Wj->toPlainText().toStdString(), kRtfText);
}

}  // namespace
}  // namespace sorvani
