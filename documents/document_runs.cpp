#include "document_runs.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextFragment>

namespace sorvani::documents::inspection {

std::ostream& operator<<(std::ostream& out, const TextRun& run) {
    return out << '"' << run.text.toStdString() << "\" " << run.family.toStdString() << ' '
               << run.points << "pt " << run.color.name().toStdString() << (run.bold ? " b" : "")
               << (run.italic ? " i" : "") << (run.underline ? " u" : "")
               << (run.strike ? " s" : "") << ' '
               << (run.background.isValid() ? run.background.name().toStdString() : "");
}

QStringList Paragraphs(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs;
}

std::vector<TextRun> Runs(const QTextDocument& document) {
    std::vector<TextRun> runs;
    const QFont defaultFont = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QStringList families = format.fontFamilies().toStringList();
            TextRun run{.text = it.fragment().text(),
                        .family = families.isEmpty() ? defaultFont.family() : families.front(),
                        .points = format.hasProperty(QTextFormat::FontPointSize)
                                      ? format.fontPointSize()
                                      : defaultFont.pointSizeF(),
                        .color = format.hasProperty(QTextFormat::ForegroundBrush)
                                     ? format.foreground().color().toRgb()
                                     : QColor(),
                        .bold = format.fontWeight() > QFont::Medium,
                        .italic = format.fontItalic(),
                        .underline = format.fontUnderline(),
                        .strike = format.fontStrikeOut(),
                        .background = format.hasProperty(QTextFormat::BackgroundBrush)
                                          ? format.background().color().toRgb()
                                          : QColor()};
            TextRun formatOnly = run;
            formatOnly.text = runs.empty() ? QString() : runs.back().text;
            if (!runs.empty() && runs.back() == formatOnly)
                runs.back().text += run.text;
            else
                runs.push_back(run);
        }
    }
    return runs;
}

TextRun RunOf(const QTextDocument& document, const QString& text) {
    for (const TextRun& run : Runs(document))
        if (run.text.contains(text)) return run;
    return {};
}

}  // namespace sorvani::documents::inspection
