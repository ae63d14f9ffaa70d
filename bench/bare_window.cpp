// The yardstick for the program's launch: a bare Qt window of the same size,
// with a menu bar, shown as soon as the application exists.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&Plik"));
  window.resize(800, 600);
  window.show();
  return app.exec();
}
