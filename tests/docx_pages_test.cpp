// The Word document as an office program shows it: LibreOffice opens it and prints it to PDF,
// where every syllable stands centred over its character (pdftotext's word boxes); and its
// document part keeps to the standard's form of the elements it uses (xmllint against a schema
// of them); syllables wider than their characters stay at least a point apart, and what keeps
// them apart is no part of the text a reader copies. Skipped where LibreOffice, pdftotext or
// xmllint is not installed.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "page_alignment.h"
#include "reading_style.h"
#include "text_export.h"
#include "zip_reader.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;
using testing_pages::Word;

// Prose with its punctuation, quotes and brackets, one-letter syllables, syllables far wider than
// their characters side by side, and letters, digits and characters a markup language escapes.
const QString kLesson =
    u"鹅，鹅，鹅，曲项向天歌。白毛浮绿水，红掌拨清波。\r\n"
    u"双双燕子飞过窗前，撞上了床边的灯光，庄上装窗的人说：“双窗光亮。”\r\n"
    u"妈妈说：“好啊，我们一起去吧！”小明（七岁）高兴地跳了起来，拿上书包就往门外跑。\r\n"
    u"春天来了，小草从地下探出头来，柳树长出了嫩绿的新芽，燕子从南方飞回来，在屋檐下筑巢。"
    u"老师说，学习语言要多听、多说、多读、多写。2024 年 <a> & b 的课本。\r\n"_s;

QByteArray WordDocument(const QString& annotated, const ReadingChoices& choices) {
    QByteArray docx;
    PrintedPage page;
    page.choices = choices;
    TextExport document(DocumentFormat::Docx, page, QFont(),
                        [&docx](QByteArrayView bytes) { docx += bytes; });
    document.Add(annotated);
    document.Finish();
    return docx;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Has LibreOffice convert the document in the folder to a file of the given filter, beside it.
void Convert(const QString& office, const QTemporaryDir& folder, const QString& document,
             const QString& filter) {
    QProcess convert;
    convert.start(office, {u"-env:UserInstallation="_s +
                               QUrl::fromLocalFile(folder.filePath(u"profile"_s)).toString(),
                           u"--headless"_s, u"--convert-to"_s, filter, u"--outdir"_s, folder.path(),
                           document});
    ASSERT_TRUE(convert.waitForFinished(180000)) << convert.errorString().toStdString();
    EXPECT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
}

// Neighbouring syllables closer than this would read as one word.
constexpr double kLeastGap = 1.0;

struct Centring {
    int pages = 0, numbered = 0, syllables = 0, centred = 0, touching = 0;
    double worst = 0, closest = 1e9;
    QStringList problems;
};

// Each syllable against the character whose box stands just below its centre. A viewer may take
// a character and the punctuation beside it for one word: the character is then its first or
// last em.
Centring Measure(const std::vector<Word>& words, const ReadingChoices& choices) {
    const double size = choices.size;
    // A word's box is about as high as its font is large: the syllables' small font tells them
    // from the characters, down to 7 points under 10.
    const double threshold = (size + SyllablePoints(choices)) / 2 * 1.1;
    Centring result;
    std::vector<Word> characters, syllables;
    for (const Word& word : words) {
        result.pages = std::max(result.pages, word.page + 1);
        // The page's number, alone at its foot.
        if (word.text == QString::number(word.page + 1) && word.top > 700) {
            ++result.numbered;
            continue;
        }
        ((word.bottom - word.top) > threshold ? characters : syllables).push_back(word);
    }
    // In reading order, so that neighbours on a line follow each other.
    std::sort(syllables.begin(), syllables.end(), [](const Word& a, const Word& b) {
        return a.page != b.page              ? a.page < b.page
               : std::abs(a.top - b.top) > 1 ? a.top < b.top
                                             : a.left < b.left;
    });
    const Word* previous = nullptr;
    for (const Word& syllable : syllables) {
        ++result.syllables;
        if (previous && previous->page == syllable.page &&
            std::abs(previous->top - syllable.top) <= 1) {
            const double gap = syllable.left - previous->right;
            result.closest = std::min(result.closest, gap);
            if (gap < kLeastGap) {
                ++result.touching;
                if (result.problems.size() < 5)
                    result.problems << u"%1 touches %2"_s.arg(previous->text, syllable.text);
            }
        }
        previous = &syllable;
        const double centre = (syllable.left + syllable.right) / 2;
        const Word* below = nullptr;
        for (const Word& character : characters)
            if (character.page == syllable.page && character.top >= syllable.top &&
                character.top <= syllable.bottom + size * 0.5 && character.left <= centre &&
                character.right >= centre)
                below = &character;
        if (!below) {
            if (result.problems.size() < 5) result.problems << syllable.text + u" stands alone"_s;
            continue;
        }
        double target = (below->left + below->right) / 2;
        if (below->text.size() > 1) {
            const double first = below->left + size / 2, last = below->right - size / 2;
            target = std::abs(first - centre) < std::abs(last - centre) ? first : last;
        }
        const double distance = std::abs(target - centre);
        result.worst = std::max(result.worst, distance);
        if (distance <= 1)
            ++result.centred;
        else if (result.problems.size() < 5)
            result.problems
                << u"%1 over %2 is %3 pt off"_s.arg(syllable.text, below->text).arg(distance);
    }
    return result;
}

class WordDocumentInLibreOffice : public testing::TestWithParam<int> {};

TEST_P(WordDocumentInLibreOffice, OpensWithEverySyllableCentredOverItsCharacter) {
    const QString office = QStandardPaths::findExecutable(u"soffice"_s);
    if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir folder;
    ReadingChoices choices;
    choices.size = GetParam();
    choices.toneColours = true;
    const QString annotated = testing_pages::Annotated(kLesson.repeated(3), true);
    const QString docx = folder.filePath(u"lesson.docx"_s);
    ASSERT_TRUE(WriteFile(docx, WordDocument(annotated, choices)));

    Convert(office, folder, docx, u"pdf"_s);
    const std::vector<Word> words = testing_pages::PdfWords(folder.filePath(u"lesson.pdf"_s));
    ASSERT_FALSE(words.empty()) << "LibreOffice made no PDF of the document";

    const Centring centring = Measure(words, choices);
    const QString problems = centring.problems.join(u'\n');
    const int annotatedCharacters =
        static_cast<int>(3 * kLesson.count(QRegularExpression(u"[\u4E00-\u9FFF]"_s)));
    EXPECT_EQ(centring.syllables, annotatedCharacters) << problems.toStdString();
    EXPECT_EQ(centring.centred, centring.syllables) << problems.toStdString();
    EXPECT_EQ(centring.touching, 0) << problems.toStdString();
    EXPECT_EQ(centring.numbered, centring.pages);
    std::printf("%d pt: %d syllables, worst centring %.3f pt, closest neighbours %.2f pt apart\n",
                choices.size, centring.syllables, centring.worst, centring.closest);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WordDocumentInLibreOffice, testing::Values(10, 16, 36));

// What a teacher copies from the document is its text alone: the space that keeps syllables apart
// lives in the phonetic guide, not between the characters.
TEST(WordDocumentInLibreOfficeText, IsTheCharactersAndPunctuationOfTheLessonAlone) {
    const QString office = QStandardPaths::findExecutable(u"soffice"_s);
    if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir folder;
    const QString docx = folder.filePath(u"lesson.docx"_s);
    ASSERT_TRUE(
        WriteFile(docx, WordDocument(testing_pages::Annotated(kLesson, true), ReadingChoices())));
    Convert(office, folder, docx, u"txt:Text (encoded):UTF8,LF,,"_s);
    QFile text(folder.filePath(u"lesson.txt"_s));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    QString read = QString::fromUtf8(text.readAll());
    if (read.startsWith(u'\uFEFF')) read.remove(0, 1);
    EXPECT_EQ(read.toStdString(), QString(kLesson).replace(u"\r\n"_s, u"\n"_s).toStdString());
}

TEST(WordDocumentSchema, TheDocumentPartKeepsToTheStandardsFormOfItsElements) {
    const QString lint = QStandardPaths::findExecutable(u"xmllint"_s);
    if (lint.isEmpty()) GTEST_SKIP() << "xmllint is not installed";
    QTemporaryDir folder;
    ReadingChoices choices;
    choices.toneColours = true;
    for (const QString& text : {testing_pages::Annotated(kLesson, true), QString()}) {
        const QString part = folder.filePath(u"document.xml"_s);
        ASSERT_TRUE(WriteFile(
            part, testing_zip::ReadZip(WordDocument(text, choices)).value("word/document.xml")));
        QProcess check;
        check.start(lint, {u"--noout"_s, u"--schema"_s, QStringLiteral(SORVANI_DOCX_SCHEMA), part});
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
    }
}

}  // namespace
}  // namespace sorvani::documents
