#pragma once
// Boundary nodes and elements changed one at a time by number: deletions
// that keep the tables dense and every reference right, and the merge of
// nodes that lie on the same point.

#include <cstdint>

#include "core/edit/EditState.h"
#include "core/model/Model.h"

enum class NodeDeletion { Deleted, InUse, NoSuchNode };

// Each takes the editing state whose polyline under way, if any, keeps its
// own rows as they are renumbered.

// Deletes node k unless an element uses it: later nodes move down by one
// and every element end past k follows them.
NodeDeletion DeleteNode(Model& model, int32_t k, EditState* edit = nullptr);

// Deletes element k; later elements move down with all four fields. False
// when there is no element k.
bool DeleteElement(Model& model, int32_t k, EditState* edit = nullptr);

// Merges every node that lies exactly (same single-precision x and y) on an
// earlier node into that node: its element ends go to the earlier node and
// the row is deleted. Returns how many nodes were removed.
int32_t RemoveDuplicateNodes(Model& model, EditState* edit = nullptr);
