// The print command: the document as reading material on the printer the user chooses.
#include <QPrinter>

#include "background_work.h"
#include "document_files.h"
#include "document_printing.h"
#include "frmmain.h"
#include "long_command.h"
#include "reading_settings.h"
#include "rtf_reader.h"

namespace sorvani::shell {

std::optional<sorvani::documents::ReadingChoices> frmmain::ChooseLayout(bool forPrinting) {
    const auto choices = CmdDlg->ChooseLayout(LoadLayoutChoices(), forPrinting);
    if (choices) SaveLayoutChoices(*choices);
    return choices;
}

void frmmain::PrintDocument() {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    const auto choices = ChooseLayout(true);
    if (!choices) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Sorvani"));
    if (!CmdDlg->ChoosePrinter(printer)) return;
    try {
        // As the export does: the text is taken between turns of the event loop, and the pages
        // are painted in the background.
        EventLoop& events = command.Events();
        const QString text = sorvani::documents::PagesText(
            sorvani::documents::DocumentSourceOf(*Wj->document(), [&] { events.Yield(); }));
        RunInBackground(
            [&](std::stop_token stop) { PrintReadingMaterial(printer, text, *choices, stop); },
            events);
    } catch (...) {
        // A close of the window ends the printing quietly.
        if (const auto message = FailureMessage(std::current_exception())) CmdDlg->Inform(*message);
        return;
    }
    Wj->setFocus();
}

}  // namespace sorvani::shell
