#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

#include "reading_choices.h"

namespace sorvani::documents {

// A character of the reading layout with its syllable, or a run of letters and digits of the
// text that has none: set as one piece, never parted.
struct ReadingCell {
    QString text;
    QString syllable;  // empty when the text carries none
    int tone = 0;      // 1 to 4 from the syllable's tone mark; 0 for none or the neutral tone
    bool spaceBefore = false;  // the text has a space before it
};

// Reads the box's text, a line at a time, back into paragraphs of cells: each line pair of the
// annotation into its characters and their syllables, the pairs that the annotation wrapped
// joined into the paragraph they continue, and any other line as characters without syllables.
class ReadingCellReader {
  public:
    struct Receiver {
        std::function<void(ReadingCell&&)> cell;
        std::function<void()> paragraphEnd;
    };

    ReadingCellReader(const ReadingChoices& choices, Receiver receiver);

    // A line of the text, without its line break.
    void AddLine(QStringView line);
    // Ends the last paragraph.
    void Finish();

  private:
    void ReadPair(QStringView pinyin, QStringView characters);
    void ReadPlain(QStringView line);
    void Add(QString text, QString syllable, bool spaceBefore);
    void EndParagraph();

    ReadingChoices choices_;
    Receiver receiver_;
    QString pinyinLine_;
    bool pending_ = false;  // pinyinLine_ waits for the line below it
    bool open_ = false;     // a paragraph has cells and no end yet
    // The last cell, held back so that letters that follow it join it.
    ReadingCell held_;
    bool holding_ = false;
    bool heldJoins_ = false;
};

}  // namespace sorvani::documents
