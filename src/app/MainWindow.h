#pragma once

#include <QMainWindow>
#include <memory>

#include "edit/EditState.h"
#include "model/Model.h"
#include "view/DisplaySettings.h"
#include "view/ViewTransform.h"

// The program's one window. It owns the model, the view, the display
// switches and the editing state, and hands them to the commands.
class MainWindow : public QMainWindow {
  Q_OBJECT

public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  Model& model() { return *model_; }
  ViewTransform& view() { return view_; }
  DisplaySettings& display() { return display_; }
  EditState& edit() { return edit_; }

private:
  std::unique_ptr<Model> model_;
  ViewTransform view_;
  DisplaySettings display_;
  EditState edit_;
};
