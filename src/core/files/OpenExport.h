#pragma once
// The mesh in open formats that other solvers and viewers read, with the
// boundary edges tagged by the conditions and boundaries they were meshed
// with: Gmsh MSH 4.1 and 2.2 (ASCII) and VTK's XML unstructured grid.
//
// Tags: the triangles form one region, physical surface 1 "obszar".
// Condition k is physical curve k, boundary b is physical curve 100 + b,
// so the two never meet; edges whose element names neither an existing
// condition nor an existing boundary form physical curve 100. In MSH 4.1
// every model element that has edges is its own curve entity, tagged with
// its element number. In MSH 2.2 an edge is written once per physical group
// it belongs to, each copy with its own elementary tag: the element number
// e in its condition's group (and in group 100), 1000 + e in its
// boundary's. Triangles keep their numbers, edges follow them. VTU marks
// the same in cell data and names the groups in its FieldData.
//
// A mesh with materials (the model's table as meshed, or triangles of a
// material other than 0) has, instead of "obszar", one physical surface
// per material that has triangles: material m is surface 200 + m (entity
// and physical tag), named by MaterialGroupName with its properties. VTU
// adds the cell data array "material" (-1 on the edges) and the names.

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/ProjectFile.h"
#include "core/model/Model.h"

struct SolveResult;
namespace openexport {
struct BegunExport;
}

enum class OpenFormat { Msh41, Msh22, Vtu };

inline constexpr int32_t kRegionTag = 1;
// Material m's surface, in a mesh with materials.
inline constexpr int32_t kMaterialTagBase = 200;
inline constexpr int32_t kBoundaryTagBase = 100;
static_assert(kMaxConditions < kBoundaryTagBase, "condition tags would reach the boundary tags");
// The group of edges with neither an existing condition nor boundary.
inline constexpr int32_t kUnnamedTag = kBoundaryTagBase;
inline constexpr std::string_view kUnnamedGroupName = "bez warunku i brzegu";
// MSH 2.2: the elementary tag of an edge's copy in its boundary's group is
// this plus its element number.
inline constexpr int32_t kBoundaryCopyTagBase = 1000;
static_assert(kMaxElements < kBoundaryCopyTagBase, "a boundary copy's tag would meet an element number");

// The open format a file name asks for by its extension, in any case:
// ".msh" is MSH 4.1 (2.2 when `msh22`), ".vtu" the unstructured grid.
std::optional<OpenFormat> OpenFormatForName(std::string_view fileName, bool msh22 = false);

// The whole file. The model must hold a mesh. Coordinates are written as
// the shortest text that reads back as exactly the mesh's doubles.
// With a solution of this mesh (MSH 4.1 and VTU), the file holds it too:
// per node u, or ux and uy for the disc; per triangle the flux (x, y, 0),
// or sigma_x, sigma_y, tau_xy and von_mises. VTU writes them as point and
// cell data, MSH 4.1 as one $NodeData or $ElementData view per array; the
// boundary lines hold zeros in the per-triangle arrays.
std::string EncodeOpenExport(const Model& model, OpenFormat format, const SolveResult* solution = nullptr);

// The same text made in two steps: first the mesh's part, which needs no
// solution, then the solution's arrays, if any, and the file's end. The
// batch solve makes the first on another core while it solves. The model
// must stay as it is between the two.
class OpenExportText {
 public:
  // `solution`: one is to come (the text makes room for it).
  OpenExportText(const Model& model, OpenFormat format, bool solution);
  OpenExportText(OpenExportText&&) noexcept;
  OpenExportText& operator=(OpenExportText&&) noexcept;
  ~OpenExportText();
  // The whole file's text; this is left empty.
  std::string finish(const SolveResult* solution);

 private:
  std::unique_ptr<openexport::BegunExport> begun_;
};

// Elements of the model as it was meshed whose condition or boundary
// number names no row, ascending; their edges are in no such group.
std::vector<int32_t> DanglingElements(const Model& model);
// The line an export's success message adds for them, empty when there
// are none: "Elementy wskazujące nieistniejący warunek lub brzeg: 3, 7."
std::string DanglingElementsNote(const Model& model);

// What a reader of the written file would find degenerate: nodes at the
// coordinates of another, and triangles whose area, computed from the
// coordinates, is zero or negative.
struct MeshDegeneracy {
  size_t repeatedNodes = 0;  // nodes equal to one before them
  size_t flatTriangles = 0;
};
MeshDegeneracy FindMeshDegeneracy(const Model& model);
// Why a mesh is not written in an open format (a degenerate one), if it is not.
std::optional<std::string> OpenExportRefusal(const Model& model);

// Writes the file safely. A degenerate mesh is refused with the refusal's
// sentence and nothing written; on other failures the message is "Nie
// można zapisać do pliku" with the cause on the next line.
FileResult WriteOpenExport(const Model& model, OpenFormat format, const std::string& path,
                           const SolveResult* solution = nullptr);
// The same from the mesh's part made ahead, of this model.
FileResult WriteOpenExport(const Model& model, std::future<OpenExportText>& meshPart, const std::string& path,
                           const SolveResult* solution);
