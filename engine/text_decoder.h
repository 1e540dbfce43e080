#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "line_break.h"

// Plain-text files as the window imports them and sorvani-annotate reads them: one decision of the
// encoding, one decoding, one treatment of line breaks, so that both see the same text.
namespace sorvani::text {

// True when the bytes start as an RTF file does; such a file is read as RTF, whatever its name.
bool IsRtf(std::string_view head);

// Bytes of a file that are no text: a NUL byte outside UTF-16 (pictures, programs, archives).
class NotTextError : public std::runtime_error {
  public:
    NotTextError() : std::runtime_error("not a text file (it holds NUL bytes)") {}
};

enum class Encoding { Undecided, Utf8, CodePage936, Utf16LittleEndian, Utf16BigEndian };

// How far past its first non-ASCII byte a text is looked at to choose between UTF-8 and code
// page 936. Bounded, so that a stream is decided without holding the file.
inline constexpr size_t kEncodingSample = 64 * 1024;

// Decodes a text given in pieces; the result does not depend on where the pieces end.
//
// The encoding: UTF-16 when the text starts with a UTF-16 byte-order mark; otherwise (a UTF-8
// mark dropped) UTF-8 when nearly all of its first kEncodingSample bytes from the first non-ASCII
// byte on are valid UTF-8 (at least four valid sequences for each invalid one), else code page
// 936. Bytes that are no character, and noncharacters, become U+FFFD. Every line break (CR LF,
// lone CR, lone LF, U+2028, U+2029: IsLineBreak) becomes `lineBreak`. A NUL byte in UTF-8 or code
// page 936 makes the input no text (NotTextError); a NUL character in UTF-16 becomes U+FFFD.
class TextDecoder {
  public:
    explicit TextDecoder(std::u16string_view lineBreak) : lineBreak_(lineBreak) {}

    // Appends the text of the next bytes to `text`. Holds back what may need later bytes: the
    // start of the input until the encoding is decided (at most kEncodingSample bytes past the
    // first non-ASCII byte), or a character cut by the end of the piece.
    void Decode(std::string_view bytes, std::u16string& text);
    // The input has ended: appends the text of what is held back.
    void Finish(std::u16string& text);

    Encoding encoding() const { return encoding_; }

  private:
    void DecodeHeld(bool last, std::u16string& text);
    void DecideAtMark();
    void DecideUtf8OrCodePage(bool last);
    size_t DecodeDecided(std::string_view bytes, bool last, std::u16string& text);
    size_t DecodeUtf8(std::string_view bytes, bool last, std::u16string& text);
    char16_t* PutUnit(char16_t unit, std::u16string& text, char16_t* out);
    void Append(std::u16string_view units, std::u16string& text);

    std::u16string lineBreak_;
    Encoding encoding_ = Encoding::Undecided;
    bool markChecked_ = false;
    LineBreakReader lines_;
    std::string held_;
    std::u16string units_;
};

// The whole text of the bytes, as TextDecoder gives it.
std::u16string DecodeText(std::string_view bytes, std::u16string_view lineBreak);

}  // namespace sorvani::text
