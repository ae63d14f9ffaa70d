#include "core/boundary/Physics.h"

#include <algorithm>
#include <charconv>

#include "core/boundary/Codes.h"
#include "core/text/Tr.h"

namespace {

// Deletes row k of a table whose rows elements name through `field`, and
// keeps the names and the current row pointing at the same rows.
template <typename Table>
DeletionResult DeleteReferencedRow(Model& m, Table& table, int32_t& count, int32_t Element::*field,
                                   int32_t& current, int32_t k) {
  if (k < 1 || k > count) return {RowDeletion::NoSuchRow, 0};
  if (k == 1) return {RowDeletion::First, 0};
  int32_t users = 0;
  for (int32_t e = 1; e <= m.elementCount; ++e) users += m.ElementTable[e].*field == k ? 1 : 0;
  if (users > 0) return {RowDeletion::InUse, users};
  RemoveRow(table, count, k);
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    if (m.ElementTable[e].*field > k) --(m.ElementTable[e].*field);
  }
  if (current == k) current = 1;
  if (current > k) --current;
  return {RowDeletion::Deleted, 0};
}

int32_t Assign(Model& m, const std::vector<int32_t>& elements, int32_t Element::*field, int32_t value) {
  int32_t changed = 0;
  for (int32_t e : elements) {
    if (e < 1 || e > m.elementCount || m.ElementTable[e].*field == value) continue;
    m.ElementTable[e].*field = value;
    ++changed;
  }
  return changed;
}

// The shortest text that reads back as exactly this float: a group name
// carries the stored value itself, 123456.79 and not 123456.8.
std::string CharsOf(float v) {
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, v);
  return std::string(text, r.ptr);
}

// The same with the user's decimal point, for the lists and the legend:
// 0.6f is "0,6", 123456.79f is "123456,79".
std::string Number(float v, char decimalPoint) {
  std::string s = CharsOf(v);
  std::replace(s.begin(), s.end(), '.', decimalPoint);
  return s;
}

}  // namespace

DeletionResult DeleteCondition(Model& m, int32_t k) {
  return DeleteReferencedRow(m, m.BcTable, m.bcCount, &Element::bcNumber, m.CurrentBc, k);
}

DeletionResult DeleteBoundary(Model& m, int32_t k) {
  return DeleteReferencedRow(m, m.BoundaryTable, m.boundaryCount, &Element::boundaryNumber, m.CurrentBoundary,
                             k);
}

int32_t AssignCondition(Model& m, const std::vector<int32_t>& elements, int32_t condition) {
  return Assign(m, elements, &Element::bcNumber, condition);
}

int32_t AssignBoundary(Model& m, const std::vector<int32_t>& elements, int32_t boundary) {
  return Assign(m, elements, &Element::boundaryNumber, boundary);
}

std::string ProblemName(int32_t problemKind) {
  switch (problemKind) {
    case 1: return Tr("Physics", "przewodzenie ciepła");
    case 2: return Tr("Physics", "przewodzenie elektryczne");
    case 3: return Tr("Physics", "pole magnetyczne");
    case 10: return Tr("Physics", "tarcza (płaski stan naprężenia)");
    default: return {};
  }
}

std::vector<std::string> PropertyLabels(int32_t problemKind) {
  switch (problemKind) {
    case 1:
      return {Tr("Physics", "przewodność cieplna λ [W/(m·K)]"),
              Tr("Physics", "wydajność źródeł ciepła [W/m³]")};
    case 2:
      return {Tr("Physics", "przewodność elektryczna σ [S/m]"),
              Tr("Physics", "wydajność źródeł prądu [A/m³]")};
    case 3:
      return {Tr("Physics", "przenikalność magnetyczna μ [H/m]"), Tr("Physics", "gęstość prądu [A/m²]")};
    case 10: return {Tr("Physics", "moduł Younga E [Pa]"), Tr("Physics", "liczba Poissona ν")};
    default: return {Tr("Physics", "własność 1"), Tr("Physics", "własność 2")};
  }
}

std::vector<float> ConditionKinds(int32_t problemKind) {
  if (IsPotentialFamily(problemKind)) return {1.0f, 2.0f, 3.0f};
  if (IsDiscFamily(problemKind)) return {1.0f, 2.0f, kDiscRoller};
  return {};
}

std::vector<std::string> ValueLabels(int32_t problemKind, float kind) {
  if (problemKind == 1) {
    if (kind == 1.0f) return {"T [°C]"};
    if (kind == 2.0f) return {"q [W/m²]"};
    if (kind == 3.0f) return {"α [W/(m²·K)]", "T∞ [°C]"};
  } else if (problemKind == 2) {
    if (kind == 1.0f) return {"V [V]"};
    if (kind == 2.0f) return {"j [A/m²]"};
    if (kind == 3.0f) return {"α", "V∞ [V]"};
  } else if (IsPotentialFamily(problemKind)) {
    if (kind == 1.0f) return {"u"};
    if (kind == 2.0f) return {"q"};
    if (kind == 3.0f) return {"α", "u∞"};
  } else if (IsDiscFamily(problemKind)) {
    if (kind == 1.0f) return {"px [N/m]", "py [N/m]"};
    if (kind == 2.0f) return {"ux [m]", "uy [m]"};
    if (kind == kDiscRoller)
      return {Tr("Physics", "składowa (1 – ux, 2 – uy)"), Tr("Physics", "przemieszczenie [m]")};
  }
  std::vector<std::string> numbered;
  for (int i = 1; i <= 6; ++i) numbered.push_back(Tr("Physics", "wartość %1").with(i));
  return numbered;
}

std::string ConditionText(int32_t number, const BoundaryCondition& c, int32_t problemKind,
                          char decimalPoint) {
  const std::string word = ShownConditionKindWord(problemKind, c.kind);
  std::string s =
      Tr("Physics", "nr %1, %2")
          .with(number, word.empty() ? Tr("Physics", "kod %1").with(Number(c.kind, decimalPoint)) : word);
  const float values[] = {c.value1, c.value2, c.value3, c.value4, c.value5, c.value6};
  const std::vector<std::string> labels = ValueLabels(problemKind, c.kind);
  for (size_t i = 0; i < labels.size(); ++i) {
    s += (i == 0 ? ": " : ", ") + labels[i] + " = " + Number(values[i], decimalPoint);
  }
  return s;
}

std::string BoundaryText(int32_t number, const Boundary& b) {
  const std::string word = ShownBoundaryKindWord(b.kind);
  return Tr("Physics", "nr %1, %2").with(number, word.empty() ? Tr("Physics", "kod %1").with(b.kind) : word);
}

std::string ConditionGroupName(int32_t number, const BoundaryCondition& c, int32_t problemKind) {
  const std::string word(ConditionKindWord(problemKind, c.kind));
  std::string s =
      "warunek " + std::to_string(number) + ": " + (word.empty() ? "kod " + CharsOf(c.kind) : word);
  const float values[] = {c.value1, c.value2, c.value3, c.value4, c.value5, c.value6};
  const size_t used = ValueLabels(problemKind, c.kind).size();
  for (size_t i = 0; i < used; ++i) s += (i == 0 ? " " : ", ") + CharsOf(values[i]);
  return s;
}

std::string BoundaryGroupName(int32_t number, const Boundary& b) {
  const std::string word(BoundaryKindWord(b.kind));
  return "brzeg " + std::to_string(number) + ": " + (word.empty() ? "kod " + std::to_string(b.kind) : word);
}

namespace {

// A material with its properties; `shown` puts the words in the user's
// language, else they stay as the files have them.
std::string MaterialName(int32_t number, const Material& material, int32_t problemKind, char decimalPoint,
                         bool shown) {
  const auto [first, second] = [problemKind]() -> std::pair<const char*, const char*> {
    switch (problemKind) {
      case 1: return {"λ", "q"};
      case 2: return {"σ", "q"};
      case 3: return {"μ", "J"};
      default: return IsDiscFamily(problemKind) ? std::pair{"E", "ν"} : std::pair{"k", "f"};
    }
  }();
  const bool ownPair = number == 0 && material.name.empty();
  const std::string p1 = Number(material.property1, decimalPoint),
                    p2 = Number(material.property2, decimalPoint);
  if (shown) {
    return Tr("Physics", "materiał %1: %2, %3 %4, %5 %6")
        .with(number, ownPair ? std::string(Tr("Physics", "domyślny")) : material.name, first, p1, second,
              p2);
  }
  const std::string name = ownPair ? "domyślny" : material.name;
  return "materiał " + std::to_string(number) + ": " + name + ", " + first + " " + p1 + ", " + second + " " +
         p2;
}

}  // namespace

std::string MaterialGroupName(int32_t number, const Material& material, int32_t problemKind,
                              char decimalPoint) {
  return MaterialName(number, material, problemKind, decimalPoint, false);
}

std::string MaterialLegendText(int32_t number, const Material& material, int32_t problemKind,
                               char decimalPoint) {
  return MaterialName(number, material, problemKind, decimalPoint, true);
}
