#include "reading_style.h"

namespace sorvani::documents {
namespace {

// Red, green, blue and purple, as learners' dictionaries mark the four tones; dark enough to
// print.
constexpr QRgb kToneColours[] = {0x000000, 0xC8102E, 0x1E8C3A, 0x1F5FBF, 0x7B2D8E};

}  // namespace

QColor ToneColour(const ReadingChoices& choices, int tone) {
    return QColor(choices.toneColours && tone >= 1 && tone <= 4 ? kToneColours[tone] : 0);
}

QString ToneColourName(int tone) { return QColor(kToneColours[tone]).name(); }

}  // namespace sorvani::documents
