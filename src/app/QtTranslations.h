#pragma once

#include <QString>

class QCoreApplication;

namespace vardex {

// Makes Qt's own dialogs (files, printing, fonts, message boxes) speak
// Czech, whatever the machine's locale: loads Qt's Czech translations from
// Qt's translations folder into `app`. The program keeps working without
// them (the dialogs then show Qt's English); the returned text says what is
// missing, empty when they were loaded.
QString installCzechQtTranslations(QCoreApplication &app);

} // namespace vardex
