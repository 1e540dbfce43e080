#include "rtf_character_state.h"

#include <algorithm>

namespace sorvani::documents {
namespace {

constexpr int kMaxHalfPoints = 3276;

int HalfPoints(int parameter) {
    return parameter > 0 ? std::min(parameter, kMaxHalfPoints)
                         : RtfCharacterState::kDefaultHalfPoints;
}

}  // namespace

void RtfCharacterState::Apply(QByteArrayView word, bool hasParameter, int parameter) {
    // Toggles: a missing parameter or any other than 0 turns on.
    const bool on = !hasParameter || parameter != 0;
    // Associated properties are those of Chinese text only after \dbch in left-to-right text.
    const bool associated = !rightToLeft && runType == RunType::DoubleByte;
    if (word == "plain") {
        *this = RtfCharacterState{};
    } else if (word == "loch" || word == "hich" || word == "dbch") {
        runType = word == "dbch"   ? RunType::DoubleByte
                  : word == "hich" ? RunType::High
                                   : RunType::Low;
    } else if (word == "rtlch" || word == "ltrch") {
        rightToLeft = word == "rtlch";
    } else if (word == "f" || (word == "af" && !rightToLeft)) {
        SetFont(parameter);
    } else if (word == "fs") {
        halfPoints = HalfPoints(parameter);
    } else if (word == "afs" && associated) {
        doubleByteHalfPoints = HalfPoints(parameter);
    } else if (word == "ab" && associated) {
        doubleByteBold = on;
    } else if (word == "ai" && associated) {
        doubleByteItalic = on;
    } else if (word == "cf") {
        color = parameter;
    } else if (word == "highlight" || word == "cb") {
        background = parameter;
    } else if (word == "b") {
        bold = on;
    } else if (word == "i") {
        italic = on;
    } else if (word == "strike" || word == "striked") {
        strike = on;
    } else if (word == "ulnone") {
        underline = false;
    } else if (word.startsWith("ul") && word != "ulc") {
        underline = on;
    }
}

void RtfCharacterState::SetFont(int number) {
    if (runType == RunType::DoubleByte)
        doubleByteFont = number;
    else
        font = number;
}

RtfCharacterState::Shown RtfCharacterState::Effective() const {
    if (runType != RunType::DoubleByte) return {font, halfPoints, bold, italic};
    return {doubleByteFont.value_or(font), doubleByteHalfPoints.value_or(halfPoints),
            doubleByteBold.value_or(bold), doubleByteItalic.value_or(italic)};
}

}  // namespace sorvani::documents
