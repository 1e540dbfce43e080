#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <ostream>
#include <vector>

// What the tests compare documents by: paragraph texts and formatted runs.
namespace sorvani::documents::inspection {

// A stretch of text with one formatting, the document's defaults filled in.
struct TextRun {
    QString text;
    QString family;
    double points = 0;
    QColor color;  // invalid: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor background{};  // invalid: none

    bool operator==(const TextRun&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TextRun& run);

QStringList Paragraphs(const QTextDocument& document);

// The runs of the document; neighbouring fragments with the same formatting are merged and
// paragraph ends are left out.
std::vector<TextRun> Runs(const QTextDocument& document);

// The run that holds the first occurrence of the text, or an empty run.
TextRun RunOf(const QTextDocument& document, const QString& text);

}  // namespace sorvani::documents::inspection
