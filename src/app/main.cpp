#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/MainWindow.h"
#include "app/PolishTranslation.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vendrel Korbel"));
  InstallPolishTranslation();
  try {
    MainWindow window;
    window.show();
    return QApplication::exec();
  } catch (const std::exception& e) {
    // Whatever escapes start-up or the event loop is shown before the end.
    QMessageBox::critical(nullptr, QStringLiteral("Vendrel Korbel"), QString::fromLocal8Bit(e.what()));
    return 1;
  }
}
