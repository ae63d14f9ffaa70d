#pragma once
// "Generacja siatki": GENERUJ and "Sprawdź model".

#include "core/mesh/MeshDriver.h"

class CommandContext;

class MeshCommands {
 public:
  explicit MeshCommands(CommandContext& context);

  MesherOptions& mesherOptions() { return mesher_; }

  void generateMesh();
  // Looks for what would keep the boundary from meshing, at the area last
  // asked for, and points it out.
  void checkModel();

 private:
  CommandContext& c_;
  MesherOptions mesher_;
  double lastArea_ = 10.0;  // the largest triangle area last asked for
};
