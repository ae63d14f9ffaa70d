#pragma once
// Switches of the drawn layers (0 hidden, 1 shown).

#include <cstdint>

struct DisplaySettings {
  int32_t showNodes = 1;
  int32_t showElements = 1;
  int32_t showNodeNumbers = 0;
  int32_t showElementNumbers = 0;
  int32_t showInternalNodes = 1;
  int32_t colourByCondition = 0;  // each element in its condition's colour, with a legend
  int32_t colourByMaterial = 0;   // the mesh's triangles in their materials' colours, with a legend
  bool operator==(const DisplaySettings&) const = default;
};
