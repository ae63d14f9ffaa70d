#pragma once
// Internal nodes: the hole points of the mesh, free of any element.

#include <cstdint>

#include "core/model/Model.h"

// Deletes internal node k; later rows move down by one. False when there is
// no node k.
bool DeleteInternalNode(Model& model, int32_t k);

// Whether a node at (x, y) is picked by a click at the model point (px, py):
// on each axis it lies strictly within 5 % of the click's coordinate on
// either side, or exactly on it (so a click at 0 or below can pick too).
bool PickedByClick(float x, float y, double px, double py);
