#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTextCharFormat>
#include <QTextDocument>
#include <stop_token>
#include <vector>

namespace sorvani::documents {

// The text and character formatting (font, size, colour, bold, italic, underline,
// strike-through) of RTF source, gathered before any document is built: the tool needs only the
// text, and the window's document is filled from it in one pass, at a cost linear in the source.
struct RtfContent {
    // Where a format begins in the text; it holds up to the next run's start.
    struct Run {
        qsizetype start;
        int format;  // index into formats
        bool operator==(const Run&) const = default;
    };

    // The text as a text document holds it (QTextDocument::toRawText): paragraphs separated by
    // U+2029, none after the last. It holds only characters: what is no character (NUL, control
    // characters other than the tab, noncharacters, surrogate halves without their partner)
    // became U+FFFD or, for NUL, was dropped.
    QString text;
    std::vector<Run> runs;
    std::vector<QTextCharFormat> formats;  // each distinct format once
    // False for a source that ends before the document's closing brace: a file cut short.
    bool complete = false;
};

// Reading is best effort and never fails: what cannot be understood is skipped, and a truncated
// source gives what it holds. Throws sorvani::LongWorkCancelled once a stop is requested.
RtfContent ReadRtfContent(QByteArrayView source, const std::stop_token& stop = {});

// Format changes a paragraph may have in a document. A text document lays out, draws and measures
// a paragraph at a cost per format change within it, all at once, so a paragraph whose format
// changes at every character freezes the window for seconds.
inline constexpr int kMostFormatChangesInParagraph = 1000;

// The runs of the content with at most `most` of them starting in any paragraph: past that, a
// paragraph keeps the format it has reached, and the next paragraph starts in the format the text
// had there. The text is not touched.
std::vector<RtfContent::Run> LimitFormatChanges(const RtfContent& content, int most);

// Replaces the document's content with the text and formatting, at most
// kMostFormatChangesInParagraph format changes in a paragraph; its raw text is then exactly the
// content's text. Returns false when some paragraph had more, whose formatting is then
// simplified. Leaves no undo record. Throws sorvani::LongWorkCancelled once a stop is requested.
bool FillDocument(const RtfContent& content, QTextDocument& document,
                  const std::stop_token& stop = {});

// Both in one. Returns whether the source held the whole document (RtfContent::complete).
bool ReadRtf(QByteArrayView source, QTextDocument& document);

}  // namespace sorvani::documents
