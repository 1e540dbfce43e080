#include "rtf_reader.h"

#include <QTextCharFormat>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "code_pages.h"
#include "rtf_character_state.h"
#include "rtf_tables.h"
#include "rtf_tokenizer.h"
#include "text_insertion.h"
#include "utf16.h"

namespace sorvani::documents {
namespace {

// Groups nested deeper than this share the state of the deepest kept one, so that hostile
// nesting costs no memory; real documents stay far below it.
constexpr size_t kMaxGroupDepth = 1024;
constexpr int kMaxUnicodeSkip = 64;
constexpr size_t kTokensBetweenStopChecks = 4096;

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
    // Inside an embedded object, whose data is no text but whose \result is: the text a reader
    // shows in its place.
    bool inObject = false;
};

// What a run's format is made of, resolved through the font and colour tables as they stand when
// its text comes, so that formats can be compared cheaply and each distinct one built once.
struct FormatKey {
    QString family;
    int halfPoints = RtfCharacterState::kDefaultHalfPoints;
    std::optional<QRgb> color;
    std::optional<QRgb> background;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    auto Tied() const {
        return std::tie(family, halfPoints, color, background, bold, italic, underline, strike);
    }
    bool operator==(const FormatKey& other) const { return Tied() == other.Tied(); }
    bool operator<(const FormatKey& other) const { return Tied() < other.Tied(); }
};

QTextCharFormat FormatOf(const FormatKey& key) {
    QTextCharFormat format;
    if (!key.family.isEmpty()) format.setFontFamilies({key.family});
    format.setFontPointSize(key.halfPoints / 2.0);
    if (key.color) format.setForeground(QColor(*key.color));
    if (key.background) format.setBackground(QColor(*key.background));
    if (key.bold) format.setFontWeight(QFont::Bold);
    if (key.italic) format.setFontItalic(true);
    if (key.underline) format.setFontUnderline(true);
    if (key.strike) format.setFontStrikeOut(true);
    return format;
}

// Units that are no characters: control characters other than the tab (a text document would
// also take CR and LF for paragraph ends), DEL, and the noncharacters, among them the text
// document's own frame marks U+FDD0 and U+FDD1. Surrogates are checked once the text is whole,
// since the halves of a pair come from separate \u words.
bool IsNoCharacter(char16_t unit) {
    return (unit < 0x20 && unit != u'\t') || (unit >= 0x7F && unit < 0xA0) ||
           (unit >= 0xFDD0 && unit <= 0xFDEF) || unit >= 0xFFFE;
}

// The character of \uN: N is a signed 16-bit number, negative for units above 32767; any other
// number names no character.
char16_t UnicodeUnit(int parameter) {
    if (parameter < -0x8000 || parameter > 0xFFFF) return QChar::ReplacementCharacter;
    return static_cast<char16_t>(parameter < 0 ? parameter + 0x10000 : parameter);
}

void ReplaceLoneSurrogates(QString& text) {
    char16_t* const units = reinterpret_cast<char16_t*>(text.data());
    const std::u16string_view view(units, static_cast<size_t>(text.size()));
    for (size_t i = 0, length = 0; i < view.size(); i += length) {
        length = utf16::CharacterLength(view, i);
        if (length == 1 && utf16::IsSurrogate(units[i])) units[i] = QChar::ReplacementCharacter;
    }
}

// Appends the text's characters: NUL is dropped, the rest of what is no character becomes U+FFFD.
void AppendCharacters(QString& out, QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() == 0) continue;
        out += IsNoCharacter(c.unicode()) ? QChar(QChar::ReplacementCharacter) : c;
    }
}

QString CharactersOf(QStringView text) {
    QString characters;
    AppendCharacters(characters, text);
    return characters;
}

class RtfReader {
  public:
    RtfContent Read(QByteArrayView source, const std::stop_token& stop);

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
    void AppendText(QStringView text);
    void AppendDocumentText(QStringView text);
    int CodePage() const;
    const RtfFont* FontOf(int number) const {
        return fonts_.Find(number < 0 ? defaultFont_ : number);
    }
    FormatKey CurrentFormat() const;

    GroupState& State() { return groups_.back(); }
    const GroupState& State() const { return groups_.back(); }

    RtfContent content_;
    std::vector<GroupState> groups_{GroupState{}};
    size_t unkeptDepth_ = 0;
    size_t fontEntryDepth_ = 0;  // the group a font table entry began in
    int documentCodePage_ = kCodePageWestern;
    int defaultFont_ = 0;
    int pendingSkip_ = 0;
    RtfFontTable fonts_;
    RtfColorTable colors_;
    CodePageDecoders decoders_;
    QByteArray pendingBytes_;
    // Paragraph marks not yet written: the last one of the document opens no new paragraph.
    int pendingBreaks_ = 0;
    std::map<FormatKey, int> formatIndexes_;
    std::optional<FormatKey> runFormat_;  // that of the last run
};

RtfContent RtfReader::Read(QByteArrayView source, const std::stop_token& stop) {
    RtfTokenizer tokenizer(source);
    // The first group is the document; its closing brace ends it.
    size_t tokens = 0;
    for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::Kind::End && !content_.complete;
         token = tokenizer.Next()) {
        if (++tokens % kTokensBetweenStopChecks == 0) ThrowIfStopped(stop);
        Handle(token);
    }
    FlushBytes();
    if (pendingBreaks_ > 1) content_.text += QString(pendingBreaks_ - 1, QChar::ParagraphSeparator);
    ReplaceLoneSurrogates(content_.text);
    return std::move(content_);
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
    content_.complete = groups_.size() == 1;
}

void RtfReader::HandleControlWord(QByteArrayView word, bool hasParameter, int parameter) {
    if (HandleDestinationWord(word) || HandleDocumentWord(word, parameter)) return;
    if (word == "uc") {
        State().unicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip);
    } else if (word == "u") {
        if (!hasParameter) return;
        const char16_t unit = UnicodeUnit(parameter);
        AppendText(QStringView(&unit, 1));
        pendingSkip_ = State().unicodeSkip;
    } else if (const auto special =
                   std::ranges::find(kSpecialCharacters, word, &SpecialCharacter::word);
               special != kSpecialCharacters.end()) {
        AppendText(QStringView(&special->character, 1));
    } else if (State().destination == Destination::FontTable ||
               State().destination == Destination::ColorTable) {
        HandleTableWord(word, parameter);
    } else if (word == "par" || word == "sect" || word == "page" || word == "row") {
        if (State().destination == Destination::Text) ++pendingBreaks_;
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
    else if (word == "result" && State().inObject)
        destination = Destination::Text;
    else if (std::ranges::find(kSkippedDestinations, word) != kSkippedDestinations.end())
        destination = Destination::Skipped;
    else
        return false;
    if (word == "object") State().inObject = destination == Destination::Skipped;
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
            AppendText(u"\u00A0");
            return;
        case '_':
            AppendText(u"\u2011");
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
    const QString text = decoders_.Decode(CodePage(), pendingBytes_);
    pendingBytes_.clear();
    AppendText(text);
}

void RtfReader::AppendText(QStringView text) {
    switch (State().destination) {
        case Destination::Text:
            AppendDocumentText(text);
            return;
        case Destination::FontTable:
            fonts_.AppendText(CharactersOf(text));
            return;
        case Destination::ColorTable:
            colors_.AppendText(text);
            return;
        case Destination::Skipped:
            return;
    }
}

void RtfReader::AppendDocumentText(QStringView text) {
    const bool dropped = std::ranges::all_of(text, [](QChar c) { return c.unicode() == 0; });
    if (dropped && pendingBreaks_ == 0) return;
    QString& out = content_.text;
    FormatKey format = CurrentFormat();
    if (format != runFormat_) {
        const auto [entry, added] =
            formatIndexes_.try_emplace(format, static_cast<int>(content_.formats.size()));
        if (added) content_.formats.push_back(FormatOf(format));
        content_.runs.push_back({out.size(), entry->second});
        runFormat_ = std::move(format);
    }
    if (pendingBreaks_ > 0) {
        out += QString(pendingBreaks_, QChar::ParagraphSeparator);
        pendingBreaks_ = 0;
    }
    AppendCharacters(out, text);
}

FormatKey RtfReader::CurrentFormat() const {
    const RtfCharacterState& state = State().characters;
    const RtfCharacterState::Shown shown = state.Effective();
    FormatKey format;
    if (const RtfFont* font = FontOf(shown.font)) format.family = font->name;
    format.halfPoints = shown.halfPoints;
    if (const auto color = colors_.Find(state.color)) format.color = color->rgb();
    if (const auto color = colors_.Find(state.background)) format.background = color->rgb();
    format.bold = shown.bold;
    format.italic = shown.italic;
    format.underline = state.underline;
    format.strike = state.strike;
    return format;
}

}  // namespace

RtfContent ReadRtfContent(QByteArrayView source, const std::stop_token& stop) {
    return RtfReader().Read(source, stop);
}

std::vector<RtfContent::Run> LimitFormatChanges(const RtfContent& content, int most) {
    std::vector<RtfContent::Run> kept;
    // The paragraph separator (or the text's end) after the last run taken, and the runs that
    // started in its paragraph.
    qsizetype paragraphEnd = -1;
    int changes = 0;
    // The format of the last run left out, in force until the next run; -1 for none.
    int leftOut = -1;
    for (size_t i = 0; i < content.runs.size();) {
        RtfContent::Run run = content.runs[i];
        if (leftOut >= 0 && run.start > paragraphEnd + 1)
            run = {paragraphEnd + 1, leftOut};  // it goes on into the next paragraph
        else
            ++i;
        leftOut = -1;
        if (run.start > paragraphEnd) {
            paragraphEnd = content.text.indexOf(QChar::ParagraphSeparator, run.start);
            if (paragraphEnd < 0) paragraphEnd = content.text.size();
            changes = 0;
        }
        if (++changes > most)
            leftOut = run.format;
        else
            kept.push_back(run);
    }
    if (leftOut >= 0 && paragraphEnd + 1 < content.text.size())
        kept.push_back({paragraphEnd + 1, leftOut});
    return kept;
}

bool FillDocument(const RtfContent& content, QTextDocument& document, const std::stop_token& stop) {
    const std::vector<RtfContent::Run> runs =
        LimitFormatChanges(content, kMostFormatChangesInParagraph);
    DocumentFilling filling(document);
    for (size_t i = 0; i < runs.size(); ++i) {
        const qsizetype start = runs[i].start;
        const qsizetype end = i + 1 < runs.size() ? runs[i + 1].start : content.text.size();
        InsertText(filling.Cursor(), QStringView(content.text).sliced(start, end - start),
                   content.formats[static_cast<size_t>(runs[i].format)], stop);
    }
    // A document of paragraph ends alone has no run.
    if (runs.empty()) InsertText(filling.Cursor(), content.text, {}, stop);
    return runs == content.runs;
}

bool ReadRtf(QByteArrayView source, QTextDocument& document) {
    const RtfContent content = ReadRtfContent(source);
    FillDocument(content, document);
    return content.complete;
}

}  // namespace sorvani::documents
