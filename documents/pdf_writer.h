#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringView>
#include <memory>
#include <vector>

#include "pdf_document.h"
#include "printed_page.h"

namespace sorvani::documents {

// Writes annotated text as PDF pages, a line at a time, in the printed font and size with the
// font's subset embedded, so that the page looks the same in every viewer and its text can be
// copied. A page breaks only between line pairs (a pinyin line and the character line below it),
// counted from the first line. A character the font lacks is drawn from another font but keeps
// its columns, so that the rest of its line stays aligned; a right-to-left letter or a direction
// control is drawn on its own, so that no character moves out of its columns. Where the printed
// font is missing, another installed font with Chinese characters stands in, each character set in
// its columns; with none, a line of Chinese characters throws DocumentError naming what to
// install.
class PdfWriter {
  public:
    PdfWriter(QIODevice& out, PrintedPage page);

    // A line of the text, without its line break.
    void AddLine(QStringView line);
    // Completes the document. False when the device would not take it.
    bool Finish();

  private:
    // Draws the text from `begin` that the font draws itself; returns where it ends.
    qsizetype DrawRun(QStringView line, qsizetype begin, double& x, double baseline);
    double Advance(char16_t character);
    // Draws a line in a font other than the printed one: each word scaled to its columns.
    void DrawInColumns(QStringView line, double baseline);

    PrintedPage page_;
    PdfDocument document_;
    QPdfWriter& writer_ = document_.writer;
    QPainter& painter_ = document_.painter;
    double ascent_ = 0;
    double halfEm_ = 0;
    int linesPerPage_ = 0;
    bool eachInItsColumns_ = false;  // the printed font is missing: another one stands in
    bool noChineseFont_ = false;
    int line_ = 0;
    // By character of the Basic Multilingual Plane: its advance in the font, 0 when not known
    // yet, and below 0 when it is drawn on its own (the font lacks it, or it is a mark or
    // changes the direction).
    std::vector<float> advances_;
};

}  // namespace sorvani::documents
