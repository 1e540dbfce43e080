#include "reading_cells.h"

#include "annotated_line_layout.h"
#include "annotated_pair_reader.h"
#include "character_width.h"
#include "column_ruler.h"
#include "pinyin_syllable.h"
#include "qt_text.h"
#include "utf16.h"

namespace sorvani::documents {
namespace {

// Text set as words of its own: letters, digits and signs drawn narrow, none of them Chinese.
bool IsNarrow(QStringView text) {
    const std::u16string_view units = U16View(text);
    for (size_t i = 0; i < units.size(); i += utf16::CharacterLength(units, i))
        if (CharacterColumns(utf16::CharacterAt(units, i)) > 1) return false;
    return true;
}

// The annotation wrapped the pair here: its character line is wider than it lets a line grow.
bool IsWrapped(QStringView characters) {
    ColumnRuler ruler;
    return ruler.Width(U16View(characters)) > kWrapWidth;
}

}  // namespace

ReadingCellReader::ReadingCellReader(const ReadingChoices& choices, Receiver receiver)
    : choices_(choices), receiver_(std::move(receiver)) {}

void ReadingCellReader::AddLine(QStringView line) {
    if (!pending_) {
        pinyinLine_ = line.toString();
        pending_ = true;
        return;
    }
    pending_ = false;
    ReadPair(pinyinLine_, line);
}

void ReadingCellReader::ReadPair(QStringView pinyin, QStringView characters) {
    std::vector<AnnotatedCell> cells;
    if (!ReadAnnotatedPair(U16View(pinyin), U16View(characters), cells)) {
        ReadPlain(pinyin);
        ReadPlain(characters);
        return;
    }
    for (const AnnotatedCell& cell : cells) {
        QString syllable;
        if (cell.annotated) {
            syllable = QtView(cell.entry).toString();
            if (!choices_.capitals) syllable = syllable.toLower();
        }
        Add(QtView(cell.character).toString(), std::move(syllable), cell.textSpacesBefore > 0);
    }
    // A wrapped pair goes on in the next one; the empty pair after a wrap at a line end ends it.
    if (cells.empty() || !IsWrapped(characters)) EndParagraph();
}

void ReadingCellReader::ReadPlain(QStringView line) {
    const std::u16string_view units = U16View(line);
    bool space = false;
    for (size_t i = 0; i < units.size();) {
        const size_t length = ClusterLength(units, i);
        if (units[i] == u' ' || units[i] == u'\t' || units[i] == u'\u3000') {
            space = true;
        } else {
            Add(QtView(units.substr(i, length)).toString(), {}, space);
            space = false;
        }
        i += length;
    }
    EndParagraph();
}

void ReadingCellReader::Add(QString text, QString syllable, bool spaceBefore) {
    const bool joins = syllable.isEmpty() && IsNarrow(text);
    if (holding_ && heldJoins_ && joins && !spaceBefore) {
        held_.text += text;
        return;
    }
    if (holding_) receiver_.cell(std::move(held_));
    held_ = ReadingCell{std::move(text), std::move(syllable), 0, spaceBefore};
    held_.tone = ToneOf(U16View(held_.syllable.toLower()));
    holding_ = true;
    heldJoins_ = joins;
    open_ = true;
}

void ReadingCellReader::EndParagraph() {
    if (holding_) receiver_.cell(std::move(held_));
    holding_ = false;
    if (open_) receiver_.paragraphEnd();
    open_ = false;
}

void ReadingCellReader::Finish() {
    if (pending_) ReadPlain(pinyinLine_);
    pending_ = false;
    EndParagraph();
}

}  // namespace sorvani::documents
