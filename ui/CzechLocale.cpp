#include "ui/CzechLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallCzechTranslations(QCoreApplication& app) {
  const QLocale czech(QLocale::Czech, QLocale::Czechia);
  QLocale::setDefault(czech);
  // "qt_cs" names the catalogues of every Qt module; it is owned by the
  // application so that it lives as long as the texts it translates.
  auto* translator = new QTranslator(&app);
  if (!translator->load(czech, "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}
