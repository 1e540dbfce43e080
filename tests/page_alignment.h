// Reads where a PDF viewer finds the words of an annotated page (pdftotext's word boxes) and
// checks them against the annotated text: every line pair on one line, every syllable over its
// character.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace sorvani::testing_pages {

struct Word {
    int page = 0;
    double left = 0;
    double top = 0;
    QString text;
    double right = 0;
    double bottom = 0;
};

// The words of the PDF, page by page as pdftotext lists them. Empty when pdftotext is missing or
// fails.
std::vector<Word> PdfWords(const QString& pdf);

// The words of the PDF in reading order, grouped into the lines they stand on. Empty when
// pdftotext is missing or fails.
std::vector<std::vector<Word>> PdfLines(const QString& pdf);

// Annotated text as the shipped dictionary gives it, with CR LF line ends.
QString Annotated(const QString& text, bool tones = false);

struct Alignment {
    int textLines = 0;     // lines of the text that hold a word
    int pdfLines = 0;      // lines the PDF shows
    int pairs = 0;         // line pairs compared
    int broken = 0;        // line pairs not shown as two lines of their words
    int syllables = 0;     // syllables compared with their characters
    int misplaced = 0;     // syllables more than 0.5 pt from where they belong
    double worst = 0;      // the largest distance, in points
    QStringList problems;  // the first few, for the failure message
};

// Compares the PDF's lines with the text's. A syllable belongs where its column on the pinyin line
// stands on the character line, measured from the left edge of the word of the character line
// that holds that column.
Alignment Measure(const QString& text, const std::vector<std::vector<Word>>& pdfLines,
                  double columnPoints);

}  // namespace sorvani::testing_pages
