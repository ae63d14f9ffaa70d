#include "front/app/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/boundary/Physics.h"
#include "front/app/Glyphs.h"
#include "front/app/QtPrompter.h"
#include "front/commands/Commands.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/ShownNames.h"
#include "front/ui/UiText.h"
#include "front/view/Canvas.h"

MainWindow::MainWindow(Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), state_(std::make_unique<AppState>()) {
  setObjectName(QStringLiteral("GL"));
  if (prompter == nullptr) {
    ownPrompter_ = std::make_unique<QtPrompter>(this);
    prompter = ownPrompter_.get();
  }
  prompter_ = prompter;
  ModelInit(*state_);
  commands_ = std::make_unique<Commands>(*state_, *prompter_);
  buildSurface();
  buildMenus();
  wireCanvas();
  wireCommands();

  commands_->context().setCaption(QStringLiteral("Vendrel Korbel v1.0"));
  resize(640, 480);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(320, 240));
  }
}

// The drawing surface is the whole client area; the toolbar panel and the
// status bar lie on it, so margins count from the client area's edges.
void MainWindow::buildSurface() {
  canvas_ = new Canvas(*state_, this);
  setCentralWidget(canvas_);
  auto* toolbar = new QWidget(canvas_);
  toolbar->setObjectName(QStringLiteral("toolbarPanel"));
  toolbar->setFixedHeight(26);
  toolbar->setAutoFillBackground(true);
  buildToolbar(toolbar);
  auto* statusBar = new QWidget(canvas_);
  statusBar->setObjectName(QStringLiteral("StatusBar1"));
  statusBar->setFixedHeight(16);
  statusBar->setAutoFillBackground(true);
  buildStatusBar(statusBar);
  auto* layout = new QVBoxLayout(canvas_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolbar);
  layout->addStretch();
  layout->addWidget(statusBar);
}

// The mouse on the surface goes to the command that is waiting for it.
void MainWindow::wireCanvas() {
  connect(canvas_, &Canvas::mousePressed, this, [this](Qt::MouseButton button, int x, int y) {
    if (commands_->context().busy() || commands_->solution().segmentClick(button, x, y, canvas_->height()))
      return;
    if (commands_->physics().mousePressed(button, x, y)) return;
    commands_->contours().mouseDown(button, x, y, canvas_->height());
  });
  connect(canvas_, &Canvas::mouseReleased, this,
          [this](Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers modifiers) {
            commands_->physics().mouseReleased(button, x, y, modifiers, canvas_->height());
          });
  connect(canvas_, &Canvas::mouseMoved, this, [this](int x, int y) {
    commands_->contours().cursorMoved(x, y, canvas_->height());
    commands_->solution().segmentCursorMoved(x, y, canvas_->height());
    commands_->physics().mouseMoved(x, y);
    showReadOut(canvas_->readOut(x, y));
  });
  connect(canvas_, &Canvas::gridLimitHit, &commands_->context(), &CommandContext::gridLimitReached);
  commands_->view().setDrawingArea([this] { return canvas_->drawingArea(); });
  commands_->solution().setImageSource(
      {[this] { return canvas_->savedSize(); },
       [this](QPainter& painter, const QString& title) { canvas_->paintSaved(painter, title); }});
}

// What the commands change shows in the window.
void MainWindow::wireCommands() {
  connect(&commands_->context(), &CommandContext::repaintRequested, canvas_, &Canvas::invalidateScene);
  connect(&commands_->context(), &CommandContext::overlayChanged, canvas_, &Canvas::overlayChanged);
  connect(&commands_->context(), &CommandContext::popupRequested, this, [this](int menu, const QPoint& at) {
    (PopupMenu(menu) == PopupMenu::General ? prawymenu_ : lamaPop_)->popup(canvas_->mapToGlobal(at));
  });
  connect(&commands_->context(), &CommandContext::closeAskedAgain, this, &QWidget::close,
          Qt::QueuedConnection);
  connect(&commands_->context(), &CommandContext::historyChanged, this, &MainWindow::showCurrentPhysics);
  connect(&commands_->context(), &CommandContext::currentPhysicsChanged, this,
          &MainWindow::showCurrentPhysics);
  showCurrentPhysics();
  // The caption marks unsaved changes in Qt's way: "[*]" shows as "*" while
  // the project differs from its file. The file's name in it is shown as
  // every name is, so that no mark in it turns the title around.
  connect(&commands_->context(), &CommandContext::captionChanged, this,
          [this](const QString& caption) { setWindowTitle(ShownName(caption) + QStringLiteral("[*]")); });
  connect(&commands_->context(), &CommandContext::historyChanged, this,
          [this] { setWindowModified(!state_->history.isClean()); });
  connect(&commands_->context(), &CommandContext::statusTextChanged, this,
          [this](int panel, const QString& text) { panels_[panel]->setText(text); });
  // A solution gone takes its picture and its read-out with it.
  connect(&commands_->context(), &CommandContext::solutionChanged, canvas_, &Canvas::invalidateScene);
  connect(&commands_->context(), &CommandContext::solutionChanged, this, [this] { showReadOut({}); });
  connect(&commands_->context(), &CommandContext::repaintRequested, this, [this] {
    if (!canvas_->solutionShown()) showReadOut({});
  });
}

MainWindow::~MainWindow() = default;

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && commands_->solution().pickingSegment()) {
    commands_->solution().cancelSegmentPick();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

QString MainWindow::statusText(int panel) const {
  return panels_[panel]->text();
}

void MainWindow::buildToolbar(QWidget* panel) {
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(0);
  addToolButtons(panel, row);
  // The condition and the boundary that new contour elements get.
  row->addWidget(new QLabel(Ui("MainWindow", "Warunek:"), panel));
  currentCondition_ =
      addSelector(panel, row, "biezacyWarunek", Ui("MainWindow", "Warunek brzegowy nowych elementów"),
                  &PhysicsCommands::setCurrentCondition);
  row->addSpacing(6);
  row->addWidget(new QLabel(Ui("MainWindow", "Brzeg:"), panel));
  currentBoundary_ = addSelector(panel, row, "biezacyBrzeg", Ui("MainWindow", "Brzeg nowych elementów"),
                                 &PhysicsCommands::setCurrentBoundary);
  row->addStretch();
  // The large mesh limit, while it is in force, at the toolbar's free end.
  auto* limit = new QLabel(panel);
  limit->setObjectName(QStringLiteral("limitSiatki"));
  row->addWidget(limit);
  connect(&commands_->context(), &CommandContext::meshLimitChanged, limit, [limit](const QString& text) {
    limit->setText(text);
    limit->setToolTip(text.isEmpty() ? QString()
                                     : Ui("MainWindow", "Limit siatki (Generacja siatki > Limit siatki...)"));
  });
}

void MainWindow::addToolButtons(QWidget* panel, QHBoxLayout* row) {
  const auto run = [this](auto command) {
    return std::function<void()>([this, command] { commands_->run(command); });
  };
  struct Button {
    const char* name;
    Glyph glyph;
    const char* hint;
    std::function<void()> command;
  };
  const char* const pan = QT_TRANSLATE_NOOP("MainWindow", "Przesuń zawartość ekranu");
  const Button groups[][6] = {
      {{"NowyB", Glyph::NewFile, QT_TRANSLATE_NOOP("MainWindow", "Nowy projekt"),
        run(&FileCommands::newProject)},
       {"OtworzB", Glyph::OpenFile, QT_TRANSLATE_NOOP("MainWindow", "Otwórz plik"),
        run(&FileCommands::openProject)},
       {"ZapiszB", Glyph::SaveFile, QT_TRANSLATE_NOOP("MainWindow", "Zapisz plik"),
        run(&FileCommands::saveProject)}},
      {{"SpeedButton1", Glyph::Polyline, QT_TRANSLATE_NOOP("MainWindow", "Linia łamana"),
        run(&ContourCommands::startPolyline)},
       {"SpeedButton2", Glyph::Ellipse, QT_TRANSLATE_NOOP("MainWindow", "Okrąg"),
        run(&ContourCommands::ellipse)},
       {"WyborB", Glyph::Select, QT_TRANSLATE_NOOP("MainWindow", "Wybór elementów"),
        run(&PhysicsCommands::startSelection)}},
      {{"ZoomPlB", Glyph::ZoomIn, QT_TRANSLATE_NOOP("MainWindow", "Powiększenie fragmentu ekranu"),
        run(&ViewCommands::zoomIn)},
       {"ZoomMiB", Glyph::ZoomOut, QT_TRANSLATE_NOOP("MainWindow", "Pomniejszenie fragmentu ekranu"),
        run(&ViewCommands::zoomOut)},
       {"PanLeft", Glyph::PanLeft, pan, run(&ViewCommands::panLeft)},
       {"PanDown", Glyph::PanDown, pan, run(&ViewCommands::panDown)},
       {"panUp", Glyph::PanUp, pan, run(&ViewCommands::panUp)},
       {"PanRight", Glyph::PanRight, pan, run(&ViewCommands::panRight)}},
      {{"SolveB", Glyph::Solve, QT_TRANSLATE_NOOP("MainWindow", "Oblicz"), run(&MeshCommands::generateMesh)},
       {"ListawynB", Glyph::ResultList, QT_TRANSLATE_NOOP("MainWindow", "Lista wyników"),
        run(&ListCommands::listMesh)}},
  };
  for (const auto& group : groups) {
    for (const Button& b : group) {
      if (b.name == nullptr) break;
      auto* button = new QToolButton(panel);
      button->setObjectName(QString::fromLatin1(b.name));
      button->setAutoRaise(true);
      button->setFixedSize(20, 20);
      button->setIconSize(QSize(16, 16));
      button->setIcon(GlyphIcon(b.glyph));
      button->setToolTip(Ui("MainWindow", b.hint));
      if (b.command) connect(button, &QToolButton::clicked, this, b.command);
      row->addWidget(button);
    }
    row->addSpacing(10);
  }
}

QComboBox* MainWindow::addSelector(QWidget* panel, QHBoxLayout* row, const char* name, const QString& hint,
                                   void (PhysicsCommands::*choose)(int32_t)) {
  auto* box = new QComboBox(panel);
  box->setObjectName(QString::fromLatin1(name));
  box->setToolTip(hint);
  box->setFixedHeight(20);
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  box->setFocusPolicy(Qt::NoFocus);
  connect(box, &QComboBox::activated, this,
          [this, choose](int index) { (commands_->physics().*choose)(index + 1); });
  row->addWidget(box);
  return box;
}

void MainWindow::buildStatusBar(QWidget* bar) {
  const int widths[6] = {60, 60, 5, 150, 150, 150};
  const char* texts[6] = {"x=", "y=", "", "", "", ""};
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  for (int i = 0; i < 6; ++i) {
    panels_[i] = new QLabel(QString::fromLatin1(texts[i]), bar);
    panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
    panels_[i]->setFixedWidth(widths[i]);
    panels_[i]->setFrameStyle(i == 2 ? QFrame::NoFrame : QFrame::Panel | QFrame::Sunken);
    row->addWidget(panels_[i]);
  }
  row->addStretch();
}

void MainWindow::showReadOut(const QString& text) {
  if (text.isEmpty() && !readOutShown_) return;
  readOutShown_ = !text.isEmpty();
  QLabel* panel = panels_[5];
  // Wider than its 150 pixels while the disc's three values need it, into
  // the free end of the bar, never widening the window.
  panel->setMinimumWidth(150);
  panel->setMaximumWidth(std::max(150, panel->fontMetrics().horizontalAdvance(text) + 8));
  panel->setText(text);
}

void MainWindow::exitProgram() {
  if (commands_->context().busy() || !commands_->files().confirmExit()) return;
  exitConfirmed_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!exitConfirmed_ && commands_->context().busy()) {
    // Not lost: the generation ends at once, and then the question comes.
    commands_->context().closeWhileBusy();
    event->ignore();
    return;
  }
  if (exitConfirmed_ || commands_->files().confirmExit()) {
    exitConfirmed_ = true;
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::showCurrentPhysics() {
  const Model& m = state_->model;
  const char decimalPoint = UserDecimalPoint();
  const auto fill = [](QComboBox* box, int32_t count, int32_t current, const auto& hint) {
    const QSignalBlocker quiet(box);
    box->clear();
    for (int32_t i = 1; i <= count; ++i) {
      box->addItem(QString::number(i));
      box->setItemData(i - 1, hint(i), Qt::ToolTipRole);
    }
    box->setCurrentIndex(current - 1);
  };
  fill(currentCondition_, m.bcCount, m.CurrentBc, [&](int32_t i) {
    return QString::fromStdString(ConditionText(i, m.BcTable[i], m.ProblemKind, decimalPoint));
  });
  fill(currentBoundary_, m.boundaryCount, m.CurrentBoundary,
       [&](int32_t i) { return QString::fromStdString(BoundaryText(i, m.BoundaryTable[i])); });
}
