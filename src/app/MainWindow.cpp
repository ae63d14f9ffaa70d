#include "app/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), model_(std::make_unique<Model>()) {
  ModelInit(*model_, view_, display_, edit_);
  setWindowTitle(QString::fromUtf8(kProgramCaption.data(), static_cast<qsizetype>(kProgramCaption.size())));
  resize(640, 480);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

MainWindow::~MainWindow() = default;
