#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vardex {

QString installCzechQtTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Owned by the application, so that it lives as long as the dialogs.
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_cs"), folder)) {
        delete translator;
        return QStringLiteral("Chybí české překlady knihovny Qt (qtbase_cs.qm v %1)").arg(folder);
    }
    QCoreApplication::installTranslator(translator);
    return {};
}

} // namespace vardex
