#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>

namespace sorvani::documents {

// Writes annotated text as a UTF-8 web page, a line at a time: each line pair becomes a line in
// which every annotated character stands in <ruby>字<rt>zì</rt></ruby>, so that the browser sets
// the syllable over it (and a screen reader reads both); a character without a syllable stays
// plain. A line that is no pinyin line over its character line is written as it is. Everything
// copied from the text is escaped.
class HtmlWriter {
  public:
    // Receives the page's bytes as they are written.
    using Sink = std::function<void(QByteArrayView)>;

    explicit HtmlWriter(Sink sink);

    // A line of the text, without its line break.
    void AddLine(QStringView line);
    // Writes what is still open and the end of the page.
    void Finish();

  private:
    void WritePair(QStringView pinyin, QStringView characters);
    void WritePlain(QStringView line);

    Sink sink_;
    QByteArray out_;
    QString pinyinLine_;
    bool pending_ = false;  // pinyinLine_ waits for the line below it
};

// The text (lines parted at every line break) as a web page.
QByteArray WriteHtml(QStringView text);

}  // namespace sorvani::documents
