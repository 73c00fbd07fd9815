#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace vardex;

// Qt's own dialogs answer in Czech on any machine (the package with Qt's
// translations is part of the program's dependencies).
TEST(QtTranslations, QtsOwnButtonsAndDialogsSpeakCzech)
{
    QCoreApplication &app = *QCoreApplication::instance();
    ASSERT_EQ(installCzechQtTranslations(app), QString());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
    // The rest of the suite sees Qt's own texts again.
    for (QTranslator *t : app.findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}
