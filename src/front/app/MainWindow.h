#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "core/state/AppState.h"

class Canvas;
class Commands;
class Prompter;
class QLabel;
class QMenu;
class QAction;
class QComboBox;

// The program's one window: menus, toolbar, status bar and the drawing
// surface. It owns the state and the commands, and wires one to the other.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Without a prompter the window asks through real message boxes.
  explicit MainWindow(Prompter* prompter = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  AppState& state() { return *state_; }
  Commands& commands() { return *commands_; }
  Canvas& canvas() { return *canvas_; }
  QString statusText(int panel) const;
  QMenu& popupMenu() { return *prawymenu_; }
  QMenu& polylineMenu() { return *lamaPop_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildToolbar(QWidget* panel);
  void buildStatusBar(QWidget* bar);
  QAction* action(const char* name, const QString& caption, const QKeySequence& shortcut = {});
  // A menu item that runs a command of one of the sets.
  template <typename Set>
  QAction* action(const char* name, const QString& caption, void (Set::*command)(),
                  const QKeySequence& shortcut = {});
  void exitProgram();
  // The toolbar's selectors follow the current condition and boundary.
  void showCurrentPhysics();

  std::unique_ptr<AppState> state_;
  std::unique_ptr<Prompter> ownPrompter_;
  Prompter* prompter_;
  std::unique_ptr<Commands> commands_;
  Canvas* canvas_ = nullptr;
  QLabel* panels_[6] = {};
  QMenu* prawymenu_ = nullptr;
  QMenu* lamaPop_ = nullptr;
  QComboBox* currentCondition_ = nullptr;
  QComboBox* currentBoundary_ = nullptr;
  bool exitConfirmed_ = false;
};
