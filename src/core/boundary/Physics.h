#pragma once
// The physics of a project as the user edits it: the condition and boundary
// tables (added to, deleted from with the references kept right, assigned
// to elements), the problem family's names, and what each value means.

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Model.h"

enum class RowDeletion {
  Deleted,
  First,  // row 1, which every project keeps
  InUse,  // elements use it
  NoSuchRow,
};

struct DeletionResult {
  RowDeletion result = RowDeletion::NoSuchRow;
  int32_t users = 0;  // the elements that use the row, when it is in use
};

// Deletes condition k unless it is the first or elements use it: later rows
// move down, element references and the current condition above k drop by
// one, and a current condition k becomes 1.
DeletionResult DeleteCondition(Model& model, int32_t k);
// The same for boundary k.
DeletionResult DeleteBoundary(Model& model, int32_t k);

// Gives the listed elements the condition (or the boundary); numbers that
// name no element are passed over. Returns how many elements changed.
int32_t AssignCondition(Model& model, const std::vector<int32_t>& elements, int32_t condition);
int32_t AssignBoundary(Model& model, const std::vector<int32_t>& elements, int32_t boundary);

// The problem kinds a user chooses from, with their family names:
// 1 heat conduction, 2 electric conduction, 3 magnetic field, 10 the disc.
inline constexpr int32_t kProblemKinds[] = {1, 2, 3, 10};
// "przewodzenie ciepła", …; empty for a kind that is none of them.
std::string ProblemName(int32_t problemKind);
// What Conductivity and SecondProperty mean in the problem's family.
std::vector<std::string> PropertyLabels(int32_t problemKind);

// The condition codes of the problem's family: 1, 2, 3 for a potential
// problem, 1, 2, 3 (the roller support) for the disc, none otherwise.
std::vector<float> ConditionKinds(int32_t problemKind);
// What value1, value2, … mean for a condition of this kind in this
// problem, one label per value in use; all six, plainly numbered, for a
// code the family does not know. The values in use are the ones the
// solver reads and the dialog asks for: they must be finite numbers. The
// rest are kept as they were read or typed, a NaN among them too.
std::vector<std::string> ValueLabels(int32_t problemKind, float kind);
// A boundary for the lists: "nr 2, wewnętrzny", or "nr 3, kod 7" for a kind
// that is neither outer nor inner.
std::string BoundaryText(int32_t number, const Boundary& boundary);
// A condition for the lists and the legend: "nr 2, temperatura: T [°C] = 100".
std::string ConditionText(int32_t number, const BoundaryCondition& condition, int32_t problemKind,
                          char decimalPoint = '.');

// Names that pick out the mesh edges of a condition or a boundary in the
// open mesh formats: "warunek 2: temperatura 100", "warunek 4: konwekcja 25, 20",
// "brzeg 1: zewnętrzny"; an unknown code is "kod 7" followed by all six values.
// Values are the shortest text that reads back as the stored float.
std::string ConditionGroupName(int32_t number, const BoundaryCondition& condition, int32_t problemKind);
std::string BoundaryGroupName(int32_t number, const Boundary& boundary);
// The name of a material's triangles in the open formats, its properties
// after the symbols of the problem's family, as the condition groups carry
// their values: "materiał 2: miedź, λ 400, q 0"; material 0, the model's
// own pair, is "materiał 0: domyślny, λ 1, q 0". The legend of the material
// colours gives the same text with the user's decimal point.
std::string MaterialGroupName(int32_t number, const Material& material, int32_t problemKind,
                              char decimalPoint = '.');
// The same in the user's language, for the legend.
std::string MaterialLegendText(int32_t number, const Material& material, int32_t problemKind,
                               char decimalPoint);
