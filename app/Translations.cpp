#include "Translations.h"
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

void install(QApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace Translations
