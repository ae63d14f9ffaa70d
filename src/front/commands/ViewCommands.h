#pragma once
// "Widok" and the toolbar's zoom and pan buttons: what part of the model
// the surface shows, the view dialogs, and the mesh shown or hidden.

#include <functional>
#include <memory>
#include <utility>

#include "core/view/ViewTransform.h"
#include "front/ui/Lazy.h"

class CommandContext;
struct ViewTransform;
class ScreenSettingsDialog;
class GridDialog;
class RegionDialog;

class ViewCommands {
 public:
  explicit ViewCommands(CommandContext& context);
  ~ViewCommands();

  ScreenSettingsDialog& screenSettingsDialog() { return *screenDialog_; }
  GridDialog& gridDialog() { return *gridDialog_; }
  RegionDialog& regionDialog() { return *regionDialog_; }

  void zoomIn();
  void zoomOut();
  void panLeft();
  void panRight();
  void panUp();
  void panDown();
  // "Pokaż wszystko"; with a solution shown, all of the solution's mesh in
  // what the drawing area leaves free.
  void showAll();
  // Where the drawing goes (the window's canvas).
  void setDrawingArea(std::function<DrawingArea()> area) { area_ = std::move(area); }
  void screenSettings();
  void gridSettings();
  void regionSettings();
  void toggleMeshShown();
  // Each element in its condition's colour, with a legend; off at start.
  void toggleConditionColours();
  // The mesh's triangles in their materials' colours, with a legend.
  void toggleMaterialColours();

 private:
  // Moves the view and repaints.
  void moved(void (*move)(ViewTransform&));

  CommandContext& c_;
  Lazy<ScreenSettingsDialog> screenDialog_;
  // Shows the spacing of the start until the user types another, not the
  // spacing when first opened.
  Lazy<GridDialog> gridDialog_;
  Lazy<RegionDialog> regionDialog_;
  std::function<DrawingArea()> area_;
};
