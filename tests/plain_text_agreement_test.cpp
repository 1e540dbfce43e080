// The window's import and sorvani-annotate read the same bytes of a plain-text file as the same
// text: the tool's output is what the window shows after importing the file and annotating it.
#include <QApplication>

#include "annotate_tool.h"
#include "document_files.h"
#include "frmmain.h"
#include "recording_prompts.h"
#include "text_decoder.h"
#include "utf8.h"

namespace sorvani {
namespace {

using namespace testing_tool;
using namespace shell;

struct PlainTextCase {
    const char* name;
    std::string bytes;
};

void PrintTo(const PlainTextCase& param, std::ostream* out) { *out << param.name; }

std::string Utf16LittleEndian(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

std::string LongUtf8WithAStrayByteAtTheEnd() {
    std::string bytes;
    for (int i = 0; i < 200; ++i) bytes += "中国啊\n";
    return bytes + "\xFF";
}

class WindowAndTool : public AnnotateTool, public testing::WithParamInterface<PlainTextCase> {};

TEST_P(WindowAndTool, ReadTheSameBytesAsTheSameText) {
    const fs::path file = dir_ / "input.txt";
    WriteBytes(file, GetParam().bytes);
    PinyinDictionary dictionary;
    LoadPinyinDictionary(dictionary, dictionary_);
    auto recording = std::make_unique<RecordingPrompts>();
    RecordingPrompts& prompts = *recording;
    frmmain window(dictionary, std::move(recording));
    // One reading per character, as the tool gives without --words.
    window.aczy->setChecked(false);
    window.ybbd->setChecked(false);
    prompts.chosenFile = QString::fromStdString(file.string());
    window.LoadFile_Click();
    const std::u16string imported = documents::CrLfText(*window.Wj->document()).toStdU16String();
    EXPECT_EQ(imported, text::DecodeText(GetParam().bytes, u"\r\n"));
    prompts.answerYes = false;
    window.zy_Click();
    const std::u16string annotated = documents::CrLfText(*window.Wj->document()).toStdU16String();

    const Outcome tool = Annotate("", Quote(file));
    EXPECT_EQ(tool.status, 0) << tool.err;
    EXPECT_EQ(tool.out, EncodeUtf8(annotated));
}

INSTANTIATE_TEST_SUITE_P(
    PlainText, WindowAndTool,
    testing::Values(
        PlainTextCase{"Utf16WithMark", "\xFF\xFE" + Utf16LittleEndian(u"中国\r\na啊")},
        PlainTextCase{"Utf16BigEndianWithMark", std::string("\xFE\xFF\x4E\x2D\x00\x0A\x55\x4A", 8)},
        PlainTextCase{"Utf16WithoutMarkOrAscii", Utf16LittleEndian(u"中国啊")},
        PlainTextCase{"Utf8MarkBeforeCodePage936", "\xEF\xBB\xBF\xD6\xD0\xB9\xFA"},
        PlainTextCase{"CodePage936", "\xD6\xD0\xB9\xFA\r\n\xB0\xA1"},
        PlainTextCase{"Utf8", "中国 啊"}, PlainTextCase{"Utf8WithMark", "\xEF\xBB\xBF中国啊"},
        PlainTextCase{"Utf8WithAStrayByte", LongUtf8WithAStrayByteAtTheEnd()},
        PlainTextCase{"MixedLineBreaks", "中\r\n国\n啊\r\r\na\n\r"}, PlainTextCase{"Empty", ""},
        // Breaks of a text document and its frame marks.
        PlainTextCase{"UnicodeSeparatorsAndNoncharacters", "中\u2029国\u2028啊\uFDD0a\uFDD1\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AnnotateTool, WindowAndToolBothRefuseNulBytes) {
    const fs::path file = dir_ / "picture.txt";
    WriteBytes(file, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    PinyinDictionary dictionary;
    auto recording = std::make_unique<RecordingPrompts>();
    RecordingPrompts& prompts = *recording;
    frmmain window(dictionary, std::move(recording));
    window.Wj->setPlainText(QStringLiteral("kept"));
    prompts.chosenFile = QString::fromStdString(file.string());
    window.LoadFile_Click();
    EXPECT_EQ(window.Wj->toPlainText(), QStringLiteral("kept"));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].contains(QStringLiteral("既不是文本文件")))
        << prompts.shown[0].toStdString();

    const Outcome tool = Annotate("", Quote(file));
    EXPECT_EQ(tool.status, 1);
    EXPECT_NE(tool.err.find("picture.txt: not a text file"), std::string::npos) << tool.err;
}

}  // namespace
}  // namespace sorvani
