#include <QApplication>
#include <cstdlib>

#include "artwork.h"
#include "dictionary_file.h"
#include "frmstart.h"
#include "pinyin_dictionary.h"
#include "program_directory.h"
#include "user_prompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ApplicationIcon());
    sorvani::PinyinDictionary dictionary;
    DialogPrompts prompts;
    frmstart splash(dictionary, sorvani::DictionaryFilePath(sorvani::ProgramDirectory()), prompts);
    splash.show();
    const int status = QApplication::exec();
    // Closing the failure report may already have ended the event loop with status 0.
    return splash.StartFailed() ? EXIT_FAILURE : status;
}
