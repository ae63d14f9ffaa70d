#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vendrel Korbel"));
  // Qt's own buttons and file dialogs in Polish, whatever the system language.
  QTranslator qtPolish;
  if (qtPolish.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtPolish);
  }
  MainWindow window;
  window.show();
  return QApplication::exec();
}
