// The contract of sorvani-annotate as scripts see it: its output bytes, its exit status, its one
// line on standard error, and what it leaves on disk.
#include <random>

#include "annotate_tool.h"
#include "annotator.h"
#include "lexicon.h"
#include "path_text.h"
#include "text_decoder.h"
#include "utf8.h"
#include "word_table.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#endif

namespace sorvani {
namespace {

using namespace testing_tool;

TEST_F(AnnotateTool, WritesPinyinOverCharactersInUtf8WithCrLf) {
    const Outcome plain = Annotate("中国啊\n");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out,
              "Zhong Guo A \r\n"
              "中    国  啊\r\n"
              "\r\n"
              "\r\n");
    const Outcome toned = Annotate("中国啊", "--tones");
    EXPECT_EQ(toned.out,
              "Zhōng Guó Ā \r\n"
              "中    国  啊\r\n");
}

TEST_F(AnnotateTool, EveryLineBreakBecomesCrLfBeforeAnnotating) {
    const std::string expected = Annotate("a\r\nb\r\n\r\nc").out;
    EXPECT_EQ(Annotate("a\nb\n\nc").out, expected);
    EXPECT_EQ(Annotate("a\rb\r\rc").out, expected);
    EXPECT_EQ(Annotate("a\nb\r\rc").out, expected);
    EXPECT_EQ(expected, "a \r\na \r\nb \r\nb \r\n\r\n\r\nc \r\nc \r\n");
}

TEST_F(AnnotateTool, ReadsUtf8WithOrWithoutMarkAndOtherwiseCodePage936) {
    const std::string expected = Annotate("中国😀").out;
    EXPECT_EQ(expected, "Zhong Guo ? \r\n中    国  😀\r\n");
    EXPECT_EQ(Annotate("\xEF\xBB\xBF中国😀").out, expected);
    // 中国 in code page 936, which is not UTF-8.
    EXPECT_EQ(Annotate("\xD6\xD0\xB9\xFA").out, "Zhong Guo \r\n中    国  \r\n");
}

TEST_F(AnnotateTool, ReadsAFileOrStandardInput) {
    WriteBytes(dir_ / "in.txt", "中");
    const Outcome fromFile = Annotate("", "-- " + Quote(dir_ / "in.txt"));
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.out, "Zhong \r\n中    \r\n");
    EXPECT_EQ(Annotate("中", "-").out, fromFile.out);
    const Outcome empty = Annotate("");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
}

TEST_F(AnnotateTool, ALongLineWrapsIntoPairsThatKeepEveryCharacter) {
    // Long enough for the output to be written in many pieces.
    std::string input;
    for (int i = 0; i < 10000; ++i) input += "中国啊😀";
    const Outcome outcome = Annotate(input);
    EXPECT_EQ(outcome.status, 0);
    std::istringstream lines(outcome.out);
    std::string line, characters;
    size_t syllables = 0;
    for (int number = 0; std::getline(lines, line); ++number) {
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        if (number % 2 == 0) {
            syllables += std::count(line.begin(), line.end(), ' ');
        } else {
            std::erase(line, ' ');
            characters += line;
        }
    }
    EXPECT_EQ(characters, input);
    EXPECT_EQ(syllables, 40000u);
    EXPECT_GT(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 3000);
}

TEST_F(AnnotateTool, OutputFileIsReplacedOnlyByACompleteRun) {
    const fs::path output = dir_ / "out.txt";
    WriteBytes(output, "old");
    Outcome outcome = Annotate("中", "--output " + Quote(output));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(ReadBytes(output), "Zhong \r\n中    \r\n");

    WriteBytes(output, "old");
    // An empty pinyin cell stops the run rather than losing text.
    test_support::WriteDictionaryFile(dictionary_, {{u"中", u"中", u"", u""}});
    outcome = Annotate("a中", "--output " + Quote(output));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("dictionary.dll"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(output), "old");

    outcome = Run("--dictionary " + Quote(dir_ / "missing.dll") + " --output " + Quote(output));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(ReadBytes(output), "old");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 5);  // no temporary file left: the dictionary, the output, the streams' three
}

TEST_F(AnnotateTool, NamesAPathWithThePlatformsSeparators) {
    // Given with forward slashes, as Windows also accepts; named as the system writes it.
    fs::create_directory(dir_ / "in");
    const Outcome outcome = Annotate("", Quote(dir_.generic_string() + "/in/absent.txt"));
    EXPECT_EQ(outcome.status, 1);
    const std::string named = (fs::path("in") / "absent.txt").make_preferred().string();
    EXPECT_NE(outcome.err.find(named + ": file not found"), std::string::npos) << outcome.err;
}

TEST_F(AnnotateTool, FailuresExitWithOneAndNameTheFile) {
    Outcome outcome = Annotate("", Quote(dir_ / "absent.txt"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1);
    EXPECT_NE(outcome.err.find("absent.txt: file not found"), std::string::npos) << outcome.err;

    outcome = Annotate("", Quote(dir_));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("is a directory"), std::string::npos) << outcome.err;

    outcome = Annotate(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "sorvani-annotate: standard input: not a text file (it holds NUL bytes)\n");

    outcome = Annotate("中", "--output " + Quote(dir_ / "no" / "such" / "folder.txt"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("folder.txt"), std::string::npos) << outcome.err;

    // A record added after the last ends after three fields.
    std::ofstream(dictionary_, std::ios::binary | std::ios::app) << "\"1\",\"2\",\"3\"\r\n";
    const size_t added = test_support::SmallDictionaryRecords().size() + 1;
    outcome = Annotate("中");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1);
    EXPECT_NE(outcome.err.find("record " + std::to_string(added)), std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("dictionary.dll"), std::string::npos) << outcome.err;
}

TEST_F(AnnotateTool, AMissingFileIsReportedInOneFormWhateverItWasFor) {
    const fs::path missing = dir_ / "missing";
    for (const std::string& arguments :
         {"--dictionary " + Quote(dictionary_) + " " + Quote(missing),
          "--dictionary " + Quote(missing), "--user-words " + Quote(missing)}) {
        const Outcome outcome = Run(arguments, "单");
        EXPECT_EQ(outcome.status, 1) << arguments;
        EXPECT_EQ(outcome.err, "sorvani-annotate: " + PathText(missing) + ": file not found\n");
    }
}

#ifndef _WIN32
TEST_F(AnnotateTool, AFailureIsOneLineWithItsRealReason) {
    // A name may hold any byte but / and NUL; the message shows it escaped, on one line.
    Outcome outcome = Annotate("", Quote(dir_ / "two\nlines\x1B.txt"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find("two\\nlines\\x1B.txt: file not found"), std::string::npos)
        << outcome.err;

    outcome = Annotate("", Quote(dir_ / std::string(5000, 'a')));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(": file cannot be read (File name too long)"), std::string::npos)
        << outcome.err;

    fs::create_symlink("loop", dir_ / "loop");
    outcome = Annotate("", Quote(dir_ / "loop"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("loop: file cannot be read (Too many levels of symbolic links)"),
              std::string::npos)
        << outcome.err;
    outcome = Run("--dictionary " + Quote(dir_ / "loop"), "中");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("(Too many levels of symbolic links)"), std::string::npos)
        << outcome.err;
}
#endif

TEST_F(AnnotateTool, AFullDiskIsAFailureOfTheOutput) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    std::string input;
    for (int i = 0; i < 20000; ++i) input += "中国啊";  // more than one piece of output
    const Outcome outcome = RunTo("/dev/full", "--dictionary " + Quote(dictionary_) + " -", input);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "sorvani-annotate: standard output: cannot write (No space left on device)\n");
}

TEST_F(AnnotateTool, UsageErrorsExitWithTwo) {
    for (const std::string arguments :
         {"--bogus", "--output", "--dictionary", "a.txt b.txt", "--output x --output y",
          "--output=", "--format", "--format doc", "--format=RTF", "--page a5", "--page",
          "--layout grid", "--size 9", "--size 37", "--size 16pt", "--size", "--size -1"}) {
        const Outcome outcome = Annotate("", arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_EQ(LineCount(outcome.err), 1) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
    }
    const Outcome help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: sorvani-annotate"), std::string::npos);
}

TEST_F(AnnotateTool, DictionaryDefaultsToTheOneBesideTheProgram) {
    const fs::path program = dir_ / fs::path(SORVANI_ANNOTATE).filename();
    fs::copy_file(SORVANI_ANNOTATE, program);
    Outcome outcome = Run("", "中", program);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(kDictionaryFileName), std::string::npos) << outcome.err;

    fs::copy_file(dictionary_, DictionaryFilePath(dir_));
    outcome = Run("", "中", program);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Zhong \r\n中    \r\n");
}

#ifndef _WIN32
TEST_F(AnnotateTool, ALinkToTheProgramFindsTheDictionaryBesideTheProgramItself) {
    // As from a folder of commands: a link to the program, with another dictionary beside the
    // link that must not be taken.
    fs::create_directories(dir_ / "commands");
    const fs::path link = dir_ / "commands" / fs::path(SORVANI_ANNOTATE).filename();
    fs::create_symlink(SORVANI_ANNOTATE, link);
    test_support::WriteDictionaryFile(DictionaryFilePath(dir_ / "commands"),
                                      {{u"中", u"中", u"", u"beside the link"}});
    const Outcome outcome = Run("", "中", link);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Zhong \r\n中    \r\n");
}
#endif

// A run that needs RTF, named for what asks for it.
struct RtfRun {
    const char* name;
    const char* arguments;  // "OUTPUT" stands for an existing file named *.rtf
    const char* input;
};

// The case by its name, in the test names that ctest lists.
void PrintTo(const RtfRun& run, std::ostream* out) { *out << run.name; }

class RtfWithoutItsModule : public AnnotateTool, public testing::WithParamInterface<RtfRun> {};

TEST_P(RtfWithoutItsModule, FailsNamingTheModuleAndLeavesTheOutput) {
    const fs::path program = dir_ / fs::path(SORVANI_ANNOTATE).filename();
    fs::copy_file(SORVANI_ANNOTATE, program);
    const fs::path output = dir_ / "out.rtf";
    WriteBytes(output, "old");
    std::string arguments = GetParam().arguments;
    if (arguments == "OUTPUT") arguments = "--output " + Quote(output);
    const Outcome outcome =
        Run("--dictionary " + Quote(dictionary_) + " " + arguments, GetParam().input, program);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1);
    EXPECT_NE(outcome.err.find("sorvani-annotate-rtf"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(ReadBytes(output), "old");
}

INSTANTIATE_TEST_SUITE_P(Runs, RtfWithoutItsModule,
                         testing::Values(RtfRun{"OutputFileNamedRtf", "OUTPUT", "中"},
                                         RtfRun{"FormatRtf", "--format rtf", "中"},
                                         RtfRun{"RtfInput", "-", "{\\rtf1 中}"}),
                         [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
TEST_F(AnnotateTool, AFullDiskStopsTheRunAtItsFirstFailedWrite) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    // Endless text through a pipe: only a run that stops at its first failed write ends.
    const fs::path pipe = dir_ / "endless";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN);  // the writer learns of the run's end from EPIPE
    std::thread writer([&pipe] {
        const int fd = open(pipe.c_str(), O_WRONLY);
        if (fd < 0) return;
        const std::string text = LongText(1 << 16);
        while (write(fd, text.data(), text.size()) > 0) {
        }
        close(fd);
    });
    const Outcome outcome =
        RunTo("/dev/full", "--dictionary " + Quote(dictionary_) + " " + Quote(pipe));
    // A run that never opened the pipe would leave the writer waiting for a reader.
    close(open(pipe.c_str(), O_RDONLY | O_NONBLOCK));
    writer.join();
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "sorvani-annotate: standard output: cannot write (No space left on device)\n");
}
#endif

TEST_F(AnnotateTool, EndlessInputEndsClearly) {
    if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero here";
    Outcome outcome = Annotate("", "/dev/zero");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "sorvani-annotate: /dev/zero: not a text file (it holds NUL bytes)\n");

    outcome = Run("--dictionary /dev/zero", "中");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(LineCount(outcome.err), 1);
    EXPECT_NE(outcome.err.find("too large for a dictionary: /dev/zero"), std::string::npos)
        << outcome.err;
}

TEST_F(AnnotateTool, AReadErrorOnStandardInputIsAFailure) {
#ifdef _WIN32
    GTEST_SKIP() << "a folder cannot be standard input here";
#else
    // Reading a folder fails, where the shell lets it be opened as standard input.
    const std::string command = Quote(SORVANI_ANNOTATE) + " --dictionary " + Quote(dictionary_) +
                                " < " + Quote(dir_) + " > " + Quote(dir_ / "out") + " 2> " +
                                Quote(dir_ / "err");
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
    EXPECT_EQ(ReadBytes(dir_ / "err"), "sorvani-annotate: standard input: read error\n");
#endif
}

TEST_F(AnnotateTool, ALongInputReadInPiecesGivesTheOutputOfTheWholeText) {
    // The input is read in pieces that end inside characters, CR LF pairs and surrogate pairs.
    std::string input;
    for (int i = 0; i < 100000; ++i) input += i % 7 ? (i % 5 ? "中国啊" : "a\u0301") : "😀\r\n";
    const Outcome outcome = Annotate(input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;

    PinyinDictionary dictionary;
    LoadPinyinDictionary(dictionary, dictionary_);
    Annotator annotator(dictionary, dir_ / "no words");
    EXPECT_TRUE(outcome.out == EncodeUtf8(annotator.Annotated(text::DecodeText(input, u"\r\n"),
                                                              ToneMarks::Without)));
}

}  // namespace
TEST_F(AnnotateTool, WordsAndSandhiChooseReadingsWithTheWordTableBesideTheProgram) {
    const fs::path program = dir_ / fs::path(SORVANI_ANNOTATE).filename();
    fs::copy_file(SORVANI_ANNOTATE, program);
    test_support::WriteDictionaryFile(dictionary_, {{u"中", u"中", u"zhōng", u"zhong"},
                                                    {u"国", u"國", u"guó", u"guo"},
                                                    {u"一", u"一", u"yī", u"yi"},
                                                    {u"定", u"定", u"dìng", u"ding"}});
    const std::string withDictionary = "--tones --dictionary " + Quote(dictionary_) + " ";

    // Without the options the table is not even looked for.
    Outcome outcome = Run(withDictionary, "中国一定", program);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Zhōng Guó Yī Dìng \r\n中    国  一 定   \r\n");
    outcome = Run(withDictionary + "--words", "中国", program);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(kWordTableFileName), std::string::npos) << outcome.err;

    WriteBytes(WordTableFilePath(dir_), WordTable::Serialise({{u"中国", {u"zhòng", u"guó"}}}));
    // The lexicon lies beside the table too.
    outcome = Run(withDictionary + "--words", "中国", program);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(kLexiconFileName), std::string::npos) << outcome.err;
    WriteBytes(LexiconFilePath(dir_), std::string(100, 'x'));
    outcome = Run(withDictionary + "--words", "中国", program);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Damaged lexicon"), std::string::npos) << outcome.err;
    WriteBytes(LexiconFilePath(dir_), Lexicon::Serialise({{u"一定", 1000, 0}}, {"d"}, 4000));
    outcome = Run(withDictionary + "--words", "中国一定", program);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Zhòng Guó Yī Dìng \r\n中    国  一 定   \r\n");
    outcome = Run(withDictionary + "--words --sandhi", "中国一定", program);
    EXPECT_EQ(outcome.out, "Zhòng Guó Yí Dìng \r\n中    国  一 定   \r\n");
    outcome = Run(withDictionary + "--sandhi", "中国一定", program);
    EXPECT_EQ(outcome.out, "Zhōng Guó Yí Dìng \r\n中    国  一 定   \r\n");
    // The dictionary given still rules the characters outside words.
    test_support::WriteDictionaryFile(dictionary_, {{u"中", u"中", u"zhōng", u"zhong"},
                                                    {u"国", u"國", u"guó", u"guo"},
                                                    {u"定", u"定", u"tìng", u"ting"}});
    outcome = Run(withDictionary + "--words", "中国定", program);
    EXPECT_EQ(outcome.out, "Zhòng Guó Tìng \r\n中    国  定   \r\n");
}

TEST_F(AnnotateTool, ALongInputWithReadingsByWordGivesTheRunsOutputOfTheWholeText) {
    // Words of the shipped table, their halves, 一 and 不 before them, line ends and spaces:
    // the input is read in pieces that end inside words, and cut into chunks and wrapped lines
    // inside words.
    const fs::path programDirectory = fs::path(SORVANI_ANNOTATE).parent_path();
    const WordTable words = WordTable::Load(WordTableFilePath(programDirectory));
    ASSERT_GT(words.size(), 1000u);
    std::mt19937 random(3);
    std::u16string text;
    while (text.size() < 300000) {
        const std::u16string_view word = words.Text(random() % words.size());
        switch (random() % 8) {
            case 0:
                text += word.substr(0, word.size() / 2);
                break;
            case 1:
                text += word.substr(word.size() / 2);
                break;
            case 2:
                text += u"一";
                break;
            case 3:
                text += u"不";
                break;
            case 4:
                text += random() % 3 ? u"，" : u"\r\n";
                break;
            case 5:
                text += std::u16string(random() % 5, u' ');
                break;
            default:
                text += word;
        }
    }
    const std::string input = EncodeUtf8(text);
    const Outcome outcome = Run("--tones --words --sandhi", input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;

    PinyinDictionary dictionary;
    LoadPinyinDictionary(dictionary, DictionaryFilePath(programDirectory));
    // The window's annotation, with the lexicon beside the table.
    Annotator annotator(dictionary, WordTableFilePath(programDirectory));
    annotator.ChooseReadings({true, true});
    EXPECT_TRUE(outcome.out == EncodeUtf8(annotator.Annotated(text, ToneMarks::With)));
}

TEST_F(AnnotateTool, ADamagedOrStrangeWordTableIsRefusedByName) {
    const fs::path program = dir_ / fs::path(SORVANI_ANNOTATE).filename();
    fs::copy_file(SORVANI_ANNOTATE, program);
    const fs::path table = WordTableFilePath(dir_);
    const auto refusal = [&](const std::string& why) {
        const Outcome outcome = Run("--words --dictionary " + Quote(dictionary_), "银行", program);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        return outcome.err == "sorvani-annotate: " + why + PathText(table) + "\n" ? ""
                                                                                  : outcome.err;
    };
    std::string good = WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    // A flipped bit in a reading: 'háng' would become 'iáng'.
    std::string flipped = good;
    flipped[kWordTableHeaderBytes] ^= 1;
    WriteBytes(table, flipped);
    EXPECT_EQ(refusal("Damaged word table (its checksum does not match its contents): "), "");
    // A word's end far past the table, with a checksum that fits.
    const size_t offsets = kWordTableHeaderBytes + std::string("háng\nyín\n").size();
    std::fill_n(good.begin() + static_cast<long>(offsets) + 4, 4, '\xFF');
    WordTable::Seal(good);
    WriteBytes(table, good);
    EXPECT_EQ(refusal("Damaged word table (word offsets out of range): "), "");
    fs::remove(table);
#ifndef _WIN32
    // A pipe would wait for its writer.
    ASSERT_EQ(::mkfifo(table.c_str(), 0600), 0);
    const Outcome outcome = Run("--words --dictionary " + Quote(dictionary_), "银行", program);
    EXPECT_EQ(outcome.err, "sorvani-annotate: " + PathText(table) + ": not a regular file\n");
#endif
}

TEST_F(AnnotateTool, UserWordsWinOverTheTablesAndABadLineIsReportedAndSkipped) {
    const fs::path list = dir_ / "words.txt";
    WriteBytes(list, "# our school\n单老师\tshan4 lao3 shi1\n银行\tyin2 hang5 x\n");
    Outcome outcome = Run("--tones --user-words " + Quote(list), "单老师在银行");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // --user-words reads by word: 银行 from the table, as the bad line that would change it is
    // left out.
    EXPECT_EQ(outcome.out.substr(0, outcome.out.find("\r\n")), "Shàn Lǎo Shī Zài Yín Háng ");
    EXPECT_NE(outcome.err.find("words.txt: line 3: 2 characters but 3 syllables; left out"),
              std::string::npos)
        << outcome.err;
    outcome = Run("--tones --user-words " + Quote(dir_), "单");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "sorvani-annotate: " + PathText(dir_) + ": not a regular file\n");
}

TEST_F(AnnotateTool, ShippedWordTableReadsCommonWords) {
    const Outcome outcome = Run("--tones --words", "银行的行长长大了");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out.substr(0, outcome.out.find("\r\n")),
              "Yín Háng De Háng Zhǎng Zhǎng Dà Le ");
}

namespace {

// Where each item of an annotated line starts, in the columns a monospaced font draws: two for a
// Chinese character or full-width sign, one for anything else (letters with tone marks too).
std::vector<int> ItemColumns(const std::string& line) {
    std::vector<int> columns;
    int column = 0;
    bool inItem = false;
    for (const char16_t c : DecodeUtf8(line).value_or(u"(not UTF-8)")) {
        if (c != u' ' && !inItem) columns.push_back(column);
        inItem = c != u' ' && c < 0x1100;  // each wide character is an item of its own
        column += c >= 0x1100 ? 2 : 1;
    }
    return columns;
}

}  // namespace

TEST_F(AnnotateTool, OneLetterSyllablesKeepEveryLaterSyllableOverItsCharacter) {
    // The first poem a child learns, and a sentence with 啊: é and a take one column each.
    const std::string poem = "鹅，鹅，鹅，曲项向天歌。", sentence = "妈妈说：好啊，我们一起去吧。";
    for (const std::string& text : {poem, sentence}) {
        const Outcome outcome = Run("--tones --words", text + "\n");
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        const size_t pinyinEnd = outcome.out.find("\r\n");
        const size_t charactersEnd = outcome.out.find("\r\n", pinyinEnd + 2);
        const std::string pinyin = outcome.out.substr(0, pinyinEnd);
        const std::string characters =
            outcome.out.substr(pinyinEnd + 2, charactersEnd - pinyinEnd - 2);
        EXPECT_EQ(ItemColumns(pinyin), ItemColumns(characters)) << pinyin << "\n" << characters;
    }
    EXPECT_EQ(Run("--tones --words", poem).out,
              "É ， É ， É ， Qū Xiàng Xiàng Tiān Gē 。 \r\n"
              "鹅， 鹅， 鹅， 曲 项    向    天   歌 。 \r\n");
    // Wǒ in column 23, over 我.
    EXPECT_EQ(Run("--tones --words", sentence).out,
              "Mā Ma Shuō ： Hǎo A ， Wǒ Men Yī Qǐ Qù Ba 。 \r\n"
              "妈 妈 说   ： 好  啊， 我 们  一 起 去 吧 。 \r\n");
}

}  // namespace sorvani
