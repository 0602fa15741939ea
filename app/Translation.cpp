#include "app/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavlo {

void installTurkishTranslation(QCoreApplication& application)
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    // Parented to the application, so it lives as long as the texts it serves.
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_tr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

}  // namespace tavlo
