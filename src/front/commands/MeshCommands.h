#pragma once
// "Generacja siatki": GENERUJ and "Sprawdź model".

#include <memory>

#include "core/mesh/MeshDriver.h"
#include "front/mesh/MeshDialogs.h"
#include "front/ui/Lazy.h"

class CommandContext;

class MeshCommands {
 public:
  explicit MeshCommands(CommandContext& context);
  ~MeshCommands();

  MesherOptions& mesherOptions() { return mesher_; }

  // Asks for the area and meshes, showing a progress indicator with
  // "Anuluj" when it takes long; a cancel leaves everything as it was.
  void generateMesh();
  // "Limit siatki": the basic limit or the large one.
  void chooseLimit();
  // "Statystyka siatki": counts, areas, angles and the smallest angles' spread.
  void showStatistics();
  const MeshLimitChoice& limit() const { return limit_; }
  // Looks for what would keep the boundary from meshing, at the area last
  // asked for, and points it out.
  void checkModel();

 private:
  CommandContext& c_;
  void applyLimit();

  MesherOptions mesher_;
  MeshLimitChoice limit_;
  Lazy<MeshLimitDialog> limitDialog_;
  Lazy<MeshStatisticsWindow> statisticsWindow_;
  double lastArea_ = 10.0;  // the largest triangle area last asked for
};
