#include "rtf_tokenizer.h"

#include <algorithm>
#include <limits>

namespace sorvani::documents {
namespace {

// Longer names are no RTF control words; the rest of the letters is dropped.
constexpr qsizetype kMaxControlWordLength = 32;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

RtfToken Token(RtfToken::Kind kind, QByteArrayView text = {}, char symbol = 0) {
    RtfToken token;
    token.kind = kind;
    token.text = text;
    token.symbol = symbol;
    return token;
}

bool EndsText(char c) { return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n'; }

}  // namespace

RtfToken RtfTokenizer::Next() {
    // Raw line breaks are no text in RTF.
    while (!AtEnd() && (Peek() == '\r' || Peek() == '\n')) ++position_;
    if (AtEnd()) return {};
    switch (Peek()) {
        case '{':
            ++position_;
            return Token(RtfToken::Kind::GroupStart);
        case '}':
            ++position_;
            return Token(RtfToken::Kind::GroupEnd);
        case '\\':
            ++position_;
            return ReadControl();
        default:
            return ReadText();
    }
}

RtfToken RtfTokenizer::ReadControl() {
    if (AtEnd()) return {};
    if (!IsLetter(Peek())) {
        const char symbol = source_[position_++];
        if (symbol == '\'') {
            const int high = AtEnd() ? -1 : HexValue(source_[position_]);
            const int low = position_ + 1 < source_.size() ? HexValue(source_[position_ + 1]) : -1;
            if (high < 0 || low < 0) return Token(RtfToken::Kind::ControlSymbol, {}, '\'');
            position_ += 2;
            return Token(RtfToken::Kind::Byte, {}, static_cast<char>(high * 16 + low));
        }
        // A backslash before a raw line break is a paragraph mark.
        if (symbol == '\r' || symbol == '\n') return Token(RtfToken::Kind::ControlWord, "par");
        return Token(RtfToken::Kind::ControlSymbol, {}, symbol);
    }
    const qsizetype start = position_;
    while (!AtEnd() && IsLetter(Peek())) ++position_;
    RtfToken token =
        Token(RtfToken::Kind::ControlWord,
              source_.sliced(start, std::min(position_ - start, kMaxControlWordLength)));
    const bool negative = !AtEnd() && Peek() == '-' && position_ + 1 < source_.size() &&
                          IsDigit(source_[position_ + 1]);
    if (negative) ++position_;
    if (!AtEnd() && IsDigit(Peek())) {
        // Overlong numbers saturate instead of overflowing.
        long long value = 0;
        while (!AtEnd() && IsDigit(Peek())) {
            value = std::min<long long>(value * 10 + (source_[position_++] - '0'),
                                        std::numeric_limits<int>::max());
        }
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (!AtEnd() && Peek() == ' ') ++position_;
    if (token.text == "bin") return ReadBinary(token.hasParameter ? token.parameter : 0);
    return token;
}

RtfToken RtfTokenizer::ReadText() {
    const qsizetype start = position_;
    while (!AtEnd() && !EndsText(Peek())) ++position_;
    return Token(RtfToken::Kind::Text, source_.sliced(start, position_ - start));
}

RtfToken RtfTokenizer::ReadBinary(int length) {
    const qsizetype taken = std::clamp<qsizetype>(length, 0, source_.size() - position_);
    const RtfToken token = Token(RtfToken::Kind::Binary, source_.sliced(position_, taken));
    position_ += taken;
    return token;
}

}  // namespace sorvani::documents
