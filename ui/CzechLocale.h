#pragma once
// The program speaks Czech whatever the host's language: Qt's own dialogs
// (printing, choosing a file or a colour) and its number and date formats
// included.

class QCoreApplication;

// Sets the Czech locale as the default and installs Qt's Czech translations
// from the system's Qt translations folder; false when they are not
// installed (the dialogs then stay in Qt's own English).
bool InstallCzechTranslations(QCoreApplication& app);
