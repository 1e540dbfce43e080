#include "rtf_reader.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <algorithm>
#include <array>
#include <vector>

#include "code_pages.h"
#include "rtf_character_state.h"
#include "rtf_tables.h"
#include "rtf_tokenizer.h"

namespace sorvani::documents {
namespace {

// Groups nested deeper than this share the state of the deepest kept one, so that hostile
// nesting costs no memory; real documents stay far below it.
constexpr size_t kMaxGroupDepth = 1024;
constexpr int kMaxUnicodeSkip = 64;

// Destinations whose text is not part of the document.
constexpr auto kSkippedDestinations =
    std::to_array<QByteArrayView>({"annotation",   "colorschememapping",
                                   "datastore",    "filetbl",
                                   "footer",       "footerf",
                                   "footerl",      "footerr",
                                   "footnote",     "header",
                                   "headerf",      "headerl",
                                   "headerr",      "info",
                                   "latentstyles", "listoverridetable",
                                   "listtable",    "nonshppict",
                                   "object",       "pict",
                                   "revtbl",       "rsidtbl",
                                   "stylesheet",   "themedata"});

// Control words that stand for one character.
struct SpecialCharacter {
    QByteArrayView word;
    char16_t character;
};
constexpr auto kSpecialCharacters = std::to_array<SpecialCharacter>({
    {"line", u'\u2028'},
    {"tab", u'\t'},
    {"cell", u'\t'},
    {"emdash", u'\u2014'},
    {"endash", u'\u2013'},
    {"bullet", u'\u2022'},
    {"lquote", u'\u2018'},
    {"rquote", u'\u2019'},
    {"ldblquote", u'\u201C'},
    {"rdblquote", u'\u201D'},
    {"emspace", u'\u2003'},
    {"enspace", u'\u2002'},
    {"qmspace", u'\u2005'},
    {"zwj", u'\u200D'},
    {"zwnj", u'\u200C'},
});

enum class Destination { Text, Skipped, FontTable, ColorTable };

struct GroupState {
    RtfCharacterState characters;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

class RtfReader {
  public:
    explicit RtfReader(QTextDocument& document) : cursor_(&document) {}

    // True when the source held the whole document, up to its closing brace.
    bool Read(QByteArrayView source);

  private:
    void Handle(const RtfToken& token);
    void HandleControlWord(QByteArrayView word, bool hasParameter, int parameter);
    void HandleControlSymbol(char symbol);
    bool HandleDestinationWord(QByteArrayView word);
    bool HandleDocumentWord(QByteArrayView word, int parameter);
    void HandleTableWord(QByteArrayView word, int parameter);
    void BeginGroup();
    void EndGroup();
    void AppendBytes(QByteArrayView bytes);
    void FlushBytes();
    void AppendText(const QString& text);
    void AppendDocumentText(const QString& text);
    void FlushDocumentText();
    int CodePage() const;
    const RtfFont* FontOf(int number) const {
        return fonts_.Find(number < 0 ? defaultFont_ : number);
    }
    QTextCharFormat CurrentFormat() const;

    GroupState& State() { return groups_.back(); }
    const GroupState& State() const { return groups_.back(); }

    QTextCursor cursor_;
    std::vector<GroupState> groups_{GroupState{}};
    size_t unkeptDepth_ = 0;
    size_t fontEntryDepth_ = 0;  // the group a font table entry began in
    bool finished_ = false;
    int documentCodePage_ = kCodePageWestern;
    int defaultFont_ = 0;
    int pendingSkip_ = 0;
    RtfFontTable fonts_;
    RtfColorTable colors_;
    QByteArray pendingBytes_;
    QString pendingText_;
    QTextCharFormat pendingFormat_;
    int pendingBreaks_ = 0;
};

bool RtfReader::Read(QByteArrayView source) {
    RtfTokenizer tokenizer(source);
    // The first group is the document; its closing brace ends it.
    for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::Kind::End && !finished_;
         token = tokenizer.Next())
        Handle(token);
    FlushBytes();
    FlushDocumentText();
    // The last paragraph mark ends the last paragraph; it opens no new one.
    for (int i = 1; i < pendingBreaks_; ++i) cursor_.insertBlock();
    return finished_;
}

void RtfReader::Handle(const RtfToken& token) {
    using Kind = RtfToken::Kind;
    if (token.kind == Kind::Text || token.kind == Kind::Byte) {
        QByteArrayView bytes =
            token.kind == Kind::Text ? token.text : QByteArrayView(&token.symbol, 1);
        const qsizetype skipped = std::min<qsizetype>(pendingSkip_, bytes.size());
        pendingSkip_ -= static_cast<int>(skipped);
        AppendBytes(bytes.sliced(skipped));
        return;
    }
    FlushBytes();
    switch (token.kind) {
        case Kind::GroupStart:
            BeginGroup();
            return;
        case Kind::GroupEnd:
            EndGroup();
            return;
        default:
            break;
    }
    // The fallback of a \u character: one skipped unit per control word, symbol or \bin.
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return;
    }
    if (token.kind == Kind::ControlWord)
        HandleControlWord(token.text, token.hasParameter, token.parameter);
    else if (token.kind == Kind::ControlSymbol)
        HandleControlSymbol(token.symbol);
}

void RtfReader::BeginGroup() {
    pendingSkip_ = 0;
    if (groups_.size() >= kMaxGroupDepth) {
        ++unkeptDepth_;
        return;
    }
    groups_.push_back(groups_.back());
}

void RtfReader::EndGroup() {
    pendingSkip_ = 0;
    if (unkeptDepth_ > 0) {
        --unkeptDepth_;
        return;
    }
    // A font table entry ends with its own group, not with groups inside its name.
    if (groups_.size() == fontEntryDepth_) fonts_.EndEntry();
    // A closing brace without its opening one leaves the reader's base state in place.
    if (groups_.size() == 1) return;
    groups_.pop_back();
    // The document's own group is closed: nothing after it belongs to the document.
    finished_ = groups_.size() == 1;
}

void RtfReader::HandleControlWord(QByteArrayView word, bool hasParameter, int parameter) {
    if (HandleDestinationWord(word) || HandleDocumentWord(word, parameter)) return;
    if (word == "uc") {
        State().unicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip);
    } else if (word == "u") {
        if (!hasParameter) return;
        AppendText(QString(QChar(static_cast<char16_t>(parameter))));
        pendingSkip_ = State().unicodeSkip;
    } else if (const auto special =
                   std::ranges::find(kSpecialCharacters, word, &SpecialCharacter::word);
               special != kSpecialCharacters.end()) {
        AppendText(QString(QChar(special->character)));
    } else if (State().destination == Destination::FontTable ||
               State().destination == Destination::ColorTable) {
        HandleTableWord(word, parameter);
    } else if (word == "par" || word == "sect" || word == "page" || word == "row") {
        if (State().destination != Destination::Text) return;
        FlushDocumentText();
        ++pendingBreaks_;
    } else {
        State().characters.Apply(word, hasParameter, parameter);
    }
}

bool RtfReader::HandleDestinationWord(QByteArrayView word) {
    Destination& destination = State().destination;
    if (word == "fonttbl")
        destination = Destination::FontTable;
    else if (word == "colortbl")
        destination = Destination::ColorTable;
    else if (std::ranges::find(kSkippedDestinations, word) != kSkippedDestinations.end())
        destination = Destination::Skipped;
    else
        return false;
    return true;
}

bool RtfReader::HandleDocumentWord(QByteArrayView word, int parameter) {
    if (word == "ansicpg") {
        if (parameter > 0) documentCodePage_ = parameter;
    } else if (word == "ansi") {
        documentCodePage_ = kCodePageWestern;
    } else if (word == "mac") {
        documentCodePage_ = 10000;
    } else if (word == "pc") {
        documentCodePage_ = 437;
    } else if (word == "pca") {
        documentCodePage_ = 850;
    } else if (word == "deff") {
        defaultFont_ = parameter;
    } else {
        return false;
    }
    return true;
}

void RtfReader::HandleTableWord(QByteArrayView word, int parameter) {
    if (State().destination == Destination::FontTable) {
        if (word == "f") {
            fonts_.BeginEntry(parameter);
            fontEntryDepth_ = groups_.size();
        } else if (word == "fcharset") {
            fonts_.SetCodePage(CodePageOfCharset(parameter));
        } else if (word == "cpg") {
            fonts_.SetCodePage(parameter);
        }
    } else if (word == "red") {
        colors_.SetRed(parameter);
    } else if (word == "green") {
        colors_.SetGreen(parameter);
    } else if (word == "blue") {
        colors_.SetBlue(parameter);
    }
}

void RtfReader::HandleControlSymbol(char symbol) {
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            AppendBytes(QByteArrayView(&symbol, 1));
            return;
        case '*':
            // An optional destination; none of them holds document text.
            State().destination = Destination::Skipped;
            return;
        case '~':
            AppendText(QString(QChar(u'\u00A0')));
            return;
        case '_':
            AppendText(QString(QChar(u'\u2011')));
            return;
        default:
            return;  // \- optional hyphen, \: index subentry, \| formula
    }
}

int RtfReader::CodePage() const {
    // Font names are in their own font's code page, text in that of the font it shows in.
    const int fontCodePage = [this] {
        if (State().destination == Destination::FontTable) return fonts_.PendingCodePage();
        const RtfFont* font = FontOf(State().characters.Effective().font);
        return font ? font->codePage : 0;
    }();
    return fontCodePage != 0 ? fontCodePage : documentCodePage_;
}

void RtfReader::AppendBytes(QByteArrayView bytes) {
    if (State().destination != Destination::Skipped) pendingBytes_ += bytes;
}

void RtfReader::FlushBytes() {
    if (pendingBytes_.isEmpty()) return;
    const QString text = DecodeCodePage(CodePage(), pendingBytes_);
    pendingBytes_.clear();
    AppendText(text);
}

void RtfReader::AppendText(const QString& text) {
    switch (State().destination) {
        case Destination::Text:
            AppendDocumentText(text);
            return;
        case Destination::FontTable:
            fonts_.AppendText(text);
            return;
        case Destination::ColorTable:
            colors_.AppendText(text);
            return;
        case Destination::Skipped:
            return;
    }
}

void RtfReader::AppendDocumentText(const QString& text) {
    for (; pendingBreaks_ > 0; --pendingBreaks_) cursor_.insertBlock();
    const QTextCharFormat format = CurrentFormat();
    if (format != pendingFormat_) {
        FlushDocumentText();
        pendingFormat_ = format;
    }
    pendingText_ += text;
}

void RtfReader::FlushDocumentText() {
    if (pendingText_.isEmpty()) return;
    cursor_.insertText(pendingText_, pendingFormat_);
    pendingText_.clear();
}

QTextCharFormat RtfReader::CurrentFormat() const {
    const RtfCharacterState& state = State().characters;
    const RtfCharacterState::Shown shown = state.Effective();
    QTextCharFormat format;
    const RtfFont* font = FontOf(shown.font);
    if (font && !font->name.isEmpty()) format.setFontFamilies({font->name});
    format.setFontPointSize(shown.halfPoints / 2.0);
    if (const auto color = colors_.Find(state.color)) format.setForeground(*color);
    if (const auto color = colors_.Find(state.background)) format.setBackground(*color);
    if (shown.bold) format.setFontWeight(QFont::Bold);
    if (shown.italic) format.setFontItalic(true);
    if (state.underline) format.setFontUnderline(true);
    if (state.strike) format.setFontStrikeOut(true);
    return format;
}

}  // namespace

bool ReadRtf(QByteArrayView source, QTextDocument& document) {
    document.clear();
    return RtfReader(document).Read(source);
}

}  // namespace sorvani::documents
