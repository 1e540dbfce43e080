#pragma once

#include <QPrinter>
#include <QString>
#include <stop_token>

#include "reading_choices.h"

namespace sorvani::shell {

// Prints the text (CR LF between lines, as the box gives it) as reading material with the
// choices, through the same painter as the PDF export, on A4 or, when the printer was set to it,
// Letter. Throws DocumentError when nothing could be printed (the printer failed, or no installed
// font draws Chinese characters); stopped, it abandons the job and throws
// sorvani::LongWorkCancelled. May run on a worker thread.
void PrintReadingMaterial(QPrinter& printer, const QString& text,
                          sorvani::documents::ReadingChoices choices,
                          const std::stop_token& stop = {});

}  // namespace sorvani::shell
