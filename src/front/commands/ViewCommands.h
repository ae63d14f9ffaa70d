#pragma once
// "Widok" and the toolbar's zoom and pan buttons: what part of the model
// the surface shows, the view dialogs, and the mesh shown or hidden.

#include <memory>

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
  void showAll();
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
};
