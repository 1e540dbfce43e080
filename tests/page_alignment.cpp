#include "page_alignment.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "annotator.h"
#include "character_width.h"
#include "cp936.h"
#include "dictionary_file.h"
#include "utf16.h"

namespace sorvani::testing_pages {
namespace {

using namespace Qt::StringLiterals;

// Columns as a monospaced font draws them: a letter of a syllable takes one even where the code
// page gives it two bytes.
int DrawnColumns(char32_t c) {
    if (c < 0x1100) return IsJoiningMark(c) ? 0 : 1;
    return CharacterColumns(c);
}

// A character the code page lacks, which the page draws from another font or not at all.
bool OutsideCodePage(char32_t c) {
    return c != U'?' && !IsJoiningMark(c) &&
           cp936::Encode(QString::fromUcs4(&c, 1).toStdU16String()).find_first_not_of('?') ==
               std::string::npos;
}

struct Token {
    int column = 0;
    QString text;
};

// The items of a line, parted by spaces; a character outside the code page is an item of its own.
std::vector<Token> Tokens(const QString& line) {
    std::vector<Token> tokens;
    const std::u16string text = line.toStdU16String();
    int column = 0;
    bool inToken = false;
    for (size_t i = 0; i < text.size(); i += utf16::CharacterLength(text, i)) {
        const char32_t c = utf16::CharacterAt(text, i);
        const bool alone = OutsideCodePage(c);
        if (c == U' ') {
            inToken = false;
        } else if (!inToken || alone) {
            tokens.push_back({column, {}});
            inToken = true;
        }
        if (inToken) tokens.back().text += QString::fromUcs4(&c, 1);
        if (alone) inToken = false;
        column += DrawnColumns(c);
    }
    return tokens;
}

// The words of a character line parted as Tokens parts the text, each piece where its columns
// put it in the word.
std::vector<Word> Pieces(const std::vector<Word>& words, double columnPoints) {
    std::vector<Word> pieces;
    for (const Word& word : words) {
        const QString line = word.text;
        for (const Token& token : Tokens(line))
            pieces.push_back({word.page, word.left + token.column * columnPoints, word.top,
                              token.text, word.right, word.bottom});
    }
    return pieces;
}

}  // namespace

std::vector<Word> PdfWords(const QString& pdf) {
    QProcess process;
    process.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression element(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    std::vector<Word> words;
    int page = -1;
    for (const auto& match : element.globalMatch(html)) {
        if (match.captured(0).startsWith(u"<page"_s)) {
            ++page;
            continue;
        }
        words.push_back({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                         match.captured(5), match.captured(3).toDouble(),
                         match.captured(4).toDouble()});
    }
    return words;
}

std::vector<std::vector<Word>> PdfLines(const QString& pdf) {
    std::vector<Word> words = PdfWords(pdf);
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return a.page != b.page ? a.page < b.page : a.top < b.top;
    });
    // Words from other fonts stand a little higher or lower on the same line.
    std::vector<std::vector<Word>> lines;
    for (const Word& word : words) {
        if (lines.empty() || lines.back().front().page != word.page ||
            word.top - lines.back().front().top > 4)
            lines.emplace_back();
        lines.back().push_back(word);
    }
    for (auto& line : lines)
        std::sort(line.begin(), line.end(),
                  [](const Word& a, const Word& b) { return a.left < b.left; });
    return lines;
}

QString Annotated(const QString& text, bool tones) {
    PinyinDictionary dictionary;
    LoadPinyinDictionary(dictionary, DictionaryFilePath(SORVANI_PROGRAM_DIR));
    Annotator annotator(dictionary, WordTableFilePath(SORVANI_PROGRAM_DIR));
    return QString::fromStdU16String(
        annotator.Annotated(text.toStdU16String(), tones ? ToneMarks::With : ToneMarks::Without));
}

Alignment Measure(const QString& text, const std::vector<std::vector<Word>>& pdfLines,
                  double columnPoints) {
    Alignment result;
    result.pdfLines = static_cast<int>(pdfLines.size());
    const QStringList lines = text.split(u"\r\n"_s);
    auto problem = [&](const QString& what) {
        if (result.problems.size() < 5) result.problems << what;
    };
    size_t next = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const std::vector<Token> syllables = Tokens(lines[i]), characters = Tokens(lines[i + 1]);
        const std::vector<Word>* shown[2] = {nullptr, nullptr};
        for (int k = 0; k < 2; ++k) {
            if ((k == 0 ? syllables : characters).empty()) continue;
            ++result.textLines;
            if (next < pdfLines.size()) shown[k] = &pdfLines[next++];
        }
        if (syllables.empty() || characters.empty()) continue;
        // A character for which the machine has no font at all is not drawn: its word is missing.
        std::vector<const Word*> matched;
        const std::vector<Word> pieces =
            shown[1] ? Pieces(*shown[1], columnPoints) : std::vector<Word>();
        if (shown[1]) {
            size_t w = 0;
            for (const Token& token : characters) {
                const bool same =
                    w < pieces.size() && pieces[w].text.normalized(QString::NormalizationForm_C) ==
                                             token.text.normalized(QString::NormalizationForm_C);
                const bool outsideCodePage =
                    cp936::Encode(token.text.toStdU16String()).find_first_not_of('?') ==
                    std::string::npos;
                matched.push_back(same ? &pieces[w++] : nullptr);
                if (!same && !outsideCodePage) w = pieces.size() + 1;
            }
            if (w != pieces.size()) matched.clear();
        }
        if (!shown[0] || shown[0]->size() != syllables.size() || matched.empty()) {
            ++result.broken;
            problem(u"line %1 is not shown as one line pair: %2"_s.arg(i).arg(lines[i + 1]));
            continue;
        }
        ++result.pairs;
        // A syllable stands over the character in its column, which may be inside a word of the
        // character line: a character with a one-letter syllable has no space after it.
        size_t c = 0;
        for (size_t k = 0; k < syllables.size(); ++k) {
            while (c + 1 < characters.size() && characters[c + 1].column <= syllables[k].column)
                ++c;
            if (c >= characters.size() || !matched[c]) continue;
            const double expected =
                matched[c]->left + (syllables[k].column - characters[c].column) * columnPoints;
            const double distance = std::abs((*shown[0])[k].left - expected);
            ++result.syllables;
            result.worst = std::max(result.worst, distance);
            if (distance > 0.5) {
                ++result.misplaced;
                problem(u"%1 over %2 is %3 pt off"_s.arg((*shown[0])[k].text, matched[c]->text)
                            .arg(distance));
            }
        }
    }
    return result;
}

}  // namespace sorvani::testing_pages
