#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace sorvani::documents {

// One piece of RTF source.
struct RtfToken {
    enum class Kind {
        GroupStart,     // {
        GroupEnd,       // }
        ControlWord,    // \word or \wordN; name in `text`
        ControlSymbol,  // \ followed by one non-letter, in `symbol`
        Byte,           // \'hh, in `symbol`
        Text,           // a run of literal bytes in `text`
        Binary,         // the data of \binN, in `text`
        End,
    };
    Kind kind = Kind::End;
    QByteArrayView text;
    char symbol = 0;
    bool hasParameter = false;
    int parameter = 0;
};

// Splits RTF source into tokens. Never reads past the end: truncated control words and
// \bin lengths larger than the rest of the input end at the end of the input.
class RtfTokenizer {
  public:
    explicit RtfTokenizer(QByteArrayView source) : source_(source) {}

    RtfToken Next();

  private:
    RtfToken ReadControl();
    RtfToken ReadText();
    RtfToken ReadBinary(int length);
    bool AtEnd() const { return position_ >= source_.size(); }
    char Peek() const { return source_[position_]; }

    QByteArrayView source_;
    qsizetype position_ = 0;
};

}  // namespace sorvani::documents
