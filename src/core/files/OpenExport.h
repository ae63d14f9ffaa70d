#pragma once
// The mesh in open formats that other solvers and viewers read, with the
// boundary edges tagged by the conditions and boundaries they were meshed
// with: Gmsh MSH 4.1 and 2.2 (ASCII) and VTK's XML unstructured grid.
//
// Tags: the triangles form one region, physical surface 1 "obszar".
// Condition k is physical curve k, boundary b is physical curve 100 + b,
// so the two never meet. In MSH 4.1 every model element that has edges is
// its own curve entity, tagged with its element number; in MSH 2.2 that
// number is the elementary tag, and an edge is written once per physical
// group it belongs to. Triangles keep their numbers, edges follow them.

#include <optional>
#include <string>
#include <string_view>

#include "core/files/ProjectFile.h"
#include "core/model/Model.h"

enum class OpenFormat { Msh41, Msh22, Vtu };

inline constexpr int32_t kRegionTag = 1;
inline constexpr int32_t kBoundaryTagBase = 100;
static_assert(kMaxConditions < kBoundaryTagBase, "condition tags would reach the boundary tags");

// The open format a file name asks for by its extension, in any case:
// ".msh" is MSH 4.1 (2.2 when `msh22`), ".vtu" the unstructured grid.
std::optional<OpenFormat> OpenFormatForName(std::string_view fileName, bool msh22 = false);

// The whole file. The model must hold a mesh. Coordinates are written so
// that they read back as exactly the stored single-precision values.
std::string EncodeOpenExport(const Model& model, OpenFormat format);

// Writes the file safely; on failure the message is "Nie można zapisać do pliku".
FileResult WriteOpenExport(const Model& model, OpenFormat format, const std::string& path);
