#include "options.h"

#include <algorithm>

#include "tool_error.h"

namespace sorvani::annotate {
namespace {

// "-" stands for the standard stream.
std::optional<std::filesystem::path> StreamOrFile(const std::string& argument) {
    if (argument == "-") return std::nullopt;
    return PathFromUtf8(argument);
}

// Takes the value of "--name VALUE" or "--name=VALUE" when the argument is that option.
bool TakeValue(const std::string& name, const std::vector<std::string>& arguments, size_t& i,
               std::optional<std::string>& value, const std::string& expected = "a file name") {
    const std::string& argument = arguments[i];
    std::string text;
    if (argument == name) {
        if (i + 1 == arguments.size()) throw UsageError(name + " needs " + expected);
        text = arguments[++i];
    } else if (argument.starts_with(name + "=")) {
        text = argument.substr(name.size() + 1);
    } else {
        return false;
    }
    if (value) throw UsageError(name + " is given twice");
    if (text.empty()) throw UsageError(name + " needs " + expected);
    value = text;
    return true;
}

DocumentFormat FormatOf(const std::optional<std::string>& format,
                        const std::optional<std::filesystem::path>& output) {
    if (!format)
        return output ? DocumentFormatOfName(output->u16string()).value_or(DocumentFormat::Text)
                      : DocumentFormat::Text;
    if (*format == "text") return DocumentFormat::Text;
    if (*format == "rtf") return DocumentFormat::Rtf;
    if (*format == "pdf") return DocumentFormat::Pdf;
    if (*format == "html") return DocumentFormat::Html;
    if (*format == "docx") return DocumentFormat::Docx;
    throw UsageError("--format must be text, rtf, pdf, html or docx, not " + *format);
}

Paper PaperOf(const std::optional<std::string>& page) {
    if (!page || *page == "a4") return Paper::A4;
    if (*page == "letter") return Paper::Letter;
    throw UsageError("--page must be a4 or letter, not " + *page);
}

bool BoxLayoutOf(const std::optional<std::string>& layout) {
    if (!layout || *layout == "reading") return false;
    if (*layout == "box") return true;
    throw UsageError("--layout must be reading or box, not " + *layout);
}

int SizeOf(const std::optional<std::string>& size) {
    if (!size) return PageOptions{}.size;
    const bool digits = size->size() <= 2 && std::all_of(size->begin(), size->end(), [](char c) {
                            return c >= '0' && c <= '9';
                        });
    const int points = digits ? std::stoi(*size) : 0;
    if (points < PageOptions::kSmallestSize || points > PageOptions::kLargestSize)
        throw UsageError("--size must be a number of points from 10 to 36, not " + *size);
    return points;
}

}  // namespace

const char* const kUsage =
    "Usage: sorvani-annotate [--tones] [--words] [--sandhi] [--user-words FILE]\n"
    "                        [--dictionary FILE] [--output FILE] [--format FORMAT]\n"
    "                        [--page PAPER] [--layout LAYOUT] [--size POINTS]\n"
    "                        [--capitals] [--tone-colours] [--grid] [INPUT]\n"
    "Annotates Chinese text with pinyin: a line of syllables over each line of characters.\n"
    "\n"
    "  INPUT              an RTF file (its text), or a text file; standard input when absent\n"
    "                     or -. Text is UTF-16 when it starts with a UTF-16 byte-order mark;\n"
    "                     else UTF-8 when nearly all of it is (bytes that are no UTF-8 read\n"
    "                     as U+FFFD), judged by its first 64 KB from the first non-ASCII\n"
    "                     byte on; else code page 936 (GBK). Text with a NUL byte is refused.\n"
    "  --tones            syllables with tone marks\n"
    "  --words            readings by word: the text is cut into words by the lexicon\n"
    "                     (VeRevorLexicon.dat), and a character of a word in the word table\n"
    "                     (VeRevorWords.dat, both beside the program) takes its reading in\n"
    "                     that word (银行 yínháng, 长大 zhǎngdà); recommended for reading "
    "material\n"
    "  --sandhi           tone change of 一 and 不 by the next syllable (一定 yídìng,\n"
    "                     一起 yìqǐ, 不是 búshì); without it they keep their own tones\n"
    "  --user-words FILE  your own readings, which win over the tables (turns --words on):\n"
    "                     UTF-8 lines of a word, a tab and its syllables separated by\n"
    "                     spaces, with tone marks or numbers (单田芳<TAB>shan4 tian2 fang1);\n"
    "                     # starts a comment; a bad line is reported and skipped\n"
    "  --dictionary FILE  the pinyin dictionary (default: VeRevor.dll beside the program)\n"
    "  --output FILE      write to FILE, replacing it only when complete; standard output\n"
    "                     when absent or -\n"
    "  --format FORMAT    text: UTF-8 with CR LF line ends; rtf: RTF in the document font, as\n"
    "                     the desktop program exports it; pdf: printed pages; html: a web\n"
    "                     page with each syllable over its character; docx: a Word document\n"
    "                     with each syllable over its character as Word's phonetic guide\n"
    "                     sets it (default: as the --output FILE is named, *.rtf, *.pdf,\n"
    "                     *.html, *.htm or *.docx; else text)\n"
    "  --page PAPER       the paper of PDF and DOCX output and of the web page's print: a4\n"
    "                     (default) or letter\n"
    "  --layout LAYOUT    PDF and HTML: reading (default), reading material with each\n"
    "                     syllable centred over its character, lines filled to the page,\n"
    "                     more space between paragraphs and page numbers; or box, the\n"
    "                     annotated lines as the desktop program's box shows them (DOCX\n"
    "                     is always reading material)\n"
    "  --size POINTS      the characters' size in the reading layout, 10 to 36 (default 16);\n"
    "                     the syllables take half\n"
    "  --capitals         syllables capitalised in the reading layout, as in the text\n"
    "                     (default: small letters, as printed pinyin is written)\n"
    "  --tone-colours     syllables coloured by tone in the reading layout: red, green, blue,\n"
    "                     purple; the neutral tone plain\n"
    "  --grid             PDF and web page in the reading layout: each character in a square\n"
    "                     with dashed centre lines (田字格) and its syllable on four lines\n"
    "                     (四线三格), as exercise books print them\n"
    "  --help             show this text\n"
    "  --version          show the program's version\n"
    "\n"
    "RTF, PDF, HTML and DOCX need the module sorvani-annotate-rtf beside the program, built with "
    "the\n"
    "desktop program. Exit status: 0 success, 1 failure, 2 usage error.\n";

Options ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    std::optional<std::string> dictionary, output, format, page, layout, size, input, userWords;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            if (input) throw UsageError("more than one input file: " + argument);
            input = argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--tones") {
            options.tones = true;
        } else if (argument == "--words") {
            options.readings.byWord = true;
        } else if (argument == "--sandhi") {
            options.readings.toneChange = true;
        } else if (argument == "--capitals") {
            options.page.capitals = true;
        } else if (argument == "--tone-colours") {
            options.page.toneColours = true;
        } else if (argument == "--grid") {
            options.page.grid = true;
        } else if (!TakeValue("--dictionary", arguments, i, dictionary) &&
                   !TakeValue("--user-words", arguments, i, userWords) &&
                   !TakeValue("--output", arguments, i, output) &&
                   !TakeValue("--format", arguments, i, format, "text, rtf, pdf, html or docx") &&
                   !TakeValue("--page", arguments, i, page, "a4 or letter") &&
                   !TakeValue("--layout", arguments, i, layout, "reading or box") &&
                   !TakeValue("--size", arguments, i, size, "a number of points")) {
            throw UsageError("unknown option " + argument);
        }
    }
    if (dictionary) options.dictionary = PathFromUtf8(*dictionary);
    if (userWords) {
        options.userWords = PathFromUtf8(*userWords);
        options.readings.byWord = true;
    }
    if (output) options.output = StreamOrFile(*output);
    if (input) options.input = StreamOrFile(*input);
    options.format = FormatOf(format, options.output);
    options.page.paper = PaperOf(page);
    options.page.box = BoxLayoutOf(layout);
    options.page.size = SizeOf(size);
    return options;
}

}  // namespace sorvani::annotate
