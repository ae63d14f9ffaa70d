#include "front/app/PolishTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallPolishTranslation() {
  static QTranslator qtPolish;
  if (!qtPolish.isEmpty()) return true;
  if (!qtPolish.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  return QCoreApplication::installTranslator(&qtPolish);
}
