#include <QApplication>

#include "app/MainWindow.h"
#include "app/PolishTranslation.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vendrel Korbel"));
  InstallPolishTranslation();
  MainWindow window;
  window.show();
  return QApplication::exec();
}
