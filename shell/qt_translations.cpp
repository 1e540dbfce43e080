#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sorvani::shell {

QTranslator* InstallQtChineseTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    // Where Qt is installed (a Linux distribution), else beside the program (a copied build).
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (translator->load(QStringLiteral("qtbase_zh_CN"), folder) &&
            QCoreApplication::installTranslator(translator))
            return translator;
    }
    delete translator;
    return nullptr;
}

}  // namespace sorvani::shell
