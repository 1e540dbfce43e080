// The user's own readings: a word's syllables corrected where the box shows it, kept in the user's
// word list, which every annotation reads first.
#include <QDir>
#include <QStringList>
#include <exception>
#include <string>
#include <vector>

#include "frmmain.h"
#include "lexicon.h"
#include "user_word_list.h"

namespace sorvani::shell {

namespace {

// The longest word that may be given readings: names and phrases, not sentences.
constexpr qsizetype kLongestWord = 32;
// A message names at most this many of the list's bad lines.
constexpr size_t kMostLinesNamed = 10;

// The Han characters of a selection in the box: in an annotated text, those of its character
// lines, whatever part of the pinyin lines is selected with them.
QString HanCharacters(const QString& selection) {
    QString characters;
    for (const QChar c : selection)
        if (sorvani::IsLexiconUnit(c.unicode())) characters += c;
    return characters;
}

QString LineNumbers(const std::vector<size_t>& lines) {
    QStringList numbers;
    for (size_t i = 0; i < std::min(lines.size(), kMostLinesNamed); ++i)
        numbers << QString::number(lines[i]);
    QString named = numbers.join(QStringLiteral("、"));
    if (lines.size() > kMostLinesNamed) named += QStringLiteral("等%1").arg(lines.size());
    return named;
}

// Why the typed syllables cannot be the word's, in Chinese.
QString BadReading(const QString& word, const QString& syllables,
                   const sorvani::UserWords::Problem& problem) {
    using Kind = sorvani::UserWords::Problem::Kind;
    if (problem.kind == Kind::SyllableCount)
        return QStringLiteral(
                   "“%1”有%2个字，读音“%3”却有%4个音节：每个字要有一个音节。读音没有保存。")
            .arg(word)
            .arg(problem.characters)
            .arg(syllables)
            .arg(problem.syllables);
    return QStringLiteral(
               "“%1”不是正确的拼音：请用声调符号（如 shàn）或声调的数字（如 shan4）写出每个"
               "音节，音节之间用空格分开。读音没有保存。")
        .arg(syllables);
}

}  // namespace

void frmmain::LoadUserWords() {
    const QString path = UserWordListPath();
    const UserWordList list = ReadUserWordList(path);
    Annotation.SetUserWords(list.words);
    QString problem;
    if (list.failure)
        problem = *list.failure + QStringLiteral("。注音时不用自定义读音。");
    else if (!list.badLines.empty())
        problem = QStringLiteral(
                      "自定义读音文件“%1”的第%2行写得不对，注音时跳过了。每行应是一个词、一个"
                      "制表符（Tab）和这个词的音节，音节之间用空格分开。")
                      .arg(QDir::toNativeSeparators(path), LineNumbers(list.badLines));
    // Told once, not before every run; told again when the list goes wrong anew.
    if (!problem.isEmpty() && problem != toldUserWordsProblem_) CmdDlg->Inform(problem);
    toldUserWordsProblem_ = problem;
}

QString frmmain::CurrentSyllables(const QString& word) {
    const sorvani::ReadingChooser* chooser = ChooseReadings();
    const std::u16string text = word.toStdU16String();
    const std::vector<sorvani::SyllableId> chosen =
        chooser ? chooser->DecideAll(text) : std::vector<sorvani::SyllableId>(text.size(), 0);
    QStringList syllables;
    for (size_t i = 0; i < text.size(); ++i) {
        std::u16string_view syllable;
        if (chosen[i]) {
            syllable = chooser->Syllable(chosen[i]);
        } else if (const int row = Dictionary.FindRow(text[i])) {
            syllable = Dictionary.Cell(row, 3);
        }
        if (!syllable.empty())
            syllables << QString::fromUtf16(syllable.data(),
                                            static_cast<qsizetype>(syllable.size()));
    }
    return syllables.join(u' ');
}

void frmmain::CorrectReading() {
    if (Busy()) return;
    const QString word = HanCharacters(Wj->textCursor().selectedText());
    if (word.size() < 2 || word.size() > kLongestWord) {
        CmdDlg->Inform(
            QStringLiteral("请先在文档中选中要自定义读音的词（2到%1个汉字），再选“自定义读音”。")
                .arg(kLongestWord));
        return;
    }
    try {
        const auto typed = CmdDlg->AskText(
            QStringLiteral("“%1”的读音（音节之间用空格分开，可以带声调符号，也可以写声调的数字，"
                           "如 shan4 lao3 shi1）：")
                .arg(word),
            CurrentSyllables(word));
        if (!typed) return;
        const QString syllables = typed->simplified();
        const sorvani::UserWords parsed =
            sorvani::ParseUserWords((word + u'\t' + syllables).toStdString());
        if (!parsed.problems.empty()) {
            CmdDlg->Inform(BadReading(word, syllables, parsed.problems.front()));
            return;
        }
        QStringList marked;
        for (const std::u16string& syllable : parsed.words.front().syllables)
            marked << QString::fromStdU16String(syllable);
        if (const auto failure = PutUserWord(UserWordListPath(), word, marked.join(u' '))) {
            CmdDlg->Inform(*failure + QStringLiteral("。读音没有保存。"));
            return;
        }
        CmdDlg->Inform(QStringLiteral("“%1”的读音“%2”已保存，以后注音都用这个读音。")
                           .arg(word, marked.join(u' ')));
    } catch (...) {
        if (const auto message = FailureMessage(std::current_exception())) CmdDlg->Inform(*message);
    }
}

void frmmain::EditUserWords() {
    const QString path = UserWordListPath();
    if (const auto failure = CreateUserWordList(path)) {
        CmdDlg->Inform(*failure);
        return;
    }
    if (!OpenExternally(QUrl::fromLocalFile(path)))
        CmdDlg->Inform(QStringLiteral("无法打开自定义读音文件“%1”：没有找到打开文本文件的程序。"
                                      "可以用记事本等文本编辑器打开它。")
                           .arg(QDir::toNativeSeparators(path)));
}

}  // namespace sorvani::shell
