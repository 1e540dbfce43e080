#pragma once

class QCoreApplication;
class QTranslator;

namespace sorvani::shell {

// Gives Qt's own texts (the buttons of message boxes, the file dialogs, Qt's failure
// descriptions) in Simplified Chinese, as the rest of the window is; the program's own texts are
// written in Chinese already. The translator installed, owned by the application, or none when
// Qt's translations are not installed: Qt then speaks English.
QTranslator* InstallQtChineseTranslations(QCoreApplication& application);

}  // namespace sorvani::shell
