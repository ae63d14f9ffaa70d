#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "core/state/AppState.h"

class Canvas;
class Commands;
class Prompter;
class QLabel;
class QMenu;
class QAction;
class QComboBox;
class QHBoxLayout;
class PhysicsCommands;

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

  // One item of the menu bar or of the two pop-ups, in the order shown.
  struct MenuEntry {
    const char* menu;              // the menu's caption, or the pop-up's object name
    const char* name;              // the item's object name; nullptr for a separator
    const char* text;              // the Polish source, UTF-8; translated where shown
    const char* shortcut;          // as QKeySequence reads it ("Ctrl+Shift+E"), "" for none
    void (*command)(MainWindow&);  // nullptr: the item does nothing
  };
  // Every item, menu by menu. Undo and redo, "Siatka MES" and "Kolory
  // warunków" get more wiring in buildMenus.
  static std::span<const MenuEntry> menuTable();
  // Runs a command of one of the sets through Commands::run; the menus'
  // tables point at its instances.
  template <auto Command>
  static void run(MainWindow& window);
  // Asks about unsaved changes, then closes the window.
  void exitProgram();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape ends the pointing of a plot's segment.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildMenus();
  QAction* menuItem(const char* name) const;
  void wireHistoryItems();
  void wireViewTicks();
  void wireSolutionItems();
  void buildSurface();
  void wireCanvas();
  void wireCommands();
  void buildToolbar(QWidget* panel);
  void addToolButtons(QWidget* panel, QHBoxLayout* row);
  // A selector of the current condition or boundary; choosing calls `choose`.
  QComboBox* addSelector(QWidget* panel, QHBoxLayout* row, const char* name, const QString& hint,
                         void (PhysicsCommands::*choose)(int32_t));
  void buildStatusBar(QWidget* bar);
  // The toolbar's selectors follow the current condition and boundary.
  void showCurrentPhysics();
  // The value under the cursor on the status bar's last panel; empty text
  // empties it once.
  void showReadOut(const QString& text);

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
  bool readOutShown_ = false;
};
