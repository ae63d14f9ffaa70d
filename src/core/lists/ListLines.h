#pragma once
// The text lines of the element list and of the mesh list's triangles.

#include <cstdint>
#include <string>

#include "core/model/Model.h"

// "3 - 3, 1, 1, 1": number, start, end, condition, boundary.
std::string ElementLine(int32_t number, const Element& element);

// "1 - 4, 1, 5": number and the three corners; "1 - 4, 1, 5 (materiał 2)"
// for a triangle of a material other than the model's own.
std::string TriangleLine(int32_t number, const MeshTriangle& triangle);
