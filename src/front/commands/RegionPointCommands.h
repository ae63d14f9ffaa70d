#pragma once
// Materials and the region points that place them: "Fizyka > Materiały...",
// "Dodaj", "Zmień" and "Usuń" of "Punkt obszaru", and the general pop-up
// menu's insertion and removal at the clicked point, each one step of the
// history.

#include <memory>

#include "front/ui/Lazy.h"

class CommandContext;
class MaterialsDialog;
class RegionPointDialog;

class RegionPointCommands {
 public:
  explicit RegionPointCommands(CommandContext& context);
  ~RegionPointCommands();

  MaterialsDialog& materialsDialog() { return *materials_; }
  RegionPointDialog& regionPointDialog() { return *dialog_; }

  void editMaterials();
  void addRegionPoint();
  void changeRegionPoint();
  void deleteRegionPoint();
  // At the pop-up menu's click: the dialog opens on a new point there, for
  // its material and largest area; "Anuluj" leaves no point.
  void insertRegionPointAtClick();
  void removeRegionPointsAtClick();

 private:
  // Appends a point at (x, y) and lets the dialog fill it in.
  void addAt(float x, float y);

  CommandContext& c_;
  Lazy<MaterialsDialog> materials_;
  Lazy<RegionPointDialog> dialog_;
};
