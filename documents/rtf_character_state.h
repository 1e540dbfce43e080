#pragma once

#include <QByteArrayView>
#include <optional>

namespace sorvani::documents {

// The character formatting in force at a point of an RTF source.
//
// Word processors give double-byte (Chinese) text its own font, size, weight and slant:
// after \dbch, \af \afs \ab \ai (and \f) set those of the double-byte text, and the text that
// follows \dbch shows in them; after \loch or \hich the ordinary ones apply. Associated
// properties of right-to-left text (after \rtlch) are not kept.
struct RtfCharacterState {
    static constexpr int kDefaultHalfPoints = 24;

    enum class RunType { Low, High, DoubleByte };

    // What text in this state shows in; font -1 is the document's default font.
    struct Shown {
        int font;
        int halfPoints;
        bool bold;
        bool italic;
    };

    // Applies a control word; words that are no character formatting change nothing.
    void Apply(QByteArrayView word, bool hasParameter, int parameter);
    Shown Effective() const;
    // \f, or \af outside right-to-left text: the font of the current run type.
    void SetFont(int number);

    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    int color = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<int> doubleByteFont;
    std::optional<int> doubleByteHalfPoints;
    std::optional<bool> doubleByteBold;
    std::optional<bool> doubleByteItalic;
    RunType runType = RunType::Low;
    bool rightToLeft = false;
};

}  // namespace sorvani::documents
