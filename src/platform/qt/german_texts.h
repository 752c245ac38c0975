// Qt's own texts in German: the standard buttons, the file dialogs and the other dialogs Qt
// builds, whatever language the system is set to.
#pragma once

class QCoreApplication;

namespace kardo {

// Installs Qt's German translation on app (the translator belongs to app); false when the
// translation file is not installed, and Qt's dialogs then stay in English.
bool InstallGermanQtTexts(QCoreApplication& app);

} // namespace kardo
