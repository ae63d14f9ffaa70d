#include "core/solve/Solver.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <new>
#include <optional>

#include "core/boundary/Codes.h"
#include "core/boundary/Physics.h"
#include "core/lists/NumberList.h"
#include "core/simd/VectorState.h"
#include "core/solve/FactorModule.h"
#include "core/solve/SolverParts.h"
#include "core/text/Tr.h"

namespace solver {

std::string Number(double v) {
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, static_cast<float>(v));
  std::string s(text, r.ptr);
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

SolveResult Refusal(std::string why) {
  SolveResult r;
  r.refusal = std::move(why);
  return r;
}

SolveResult CancelledSolve() {
  SolveResult r;
  r.cancelled = true;
  return r;
}

std::string NumericallySingular() {
  return Tr(
      "Solver",
      "Zadanie nie daje się rozwiązać dokładnie: każda część obszaru jest utrzymana, ale układ równań jest "
      "numerycznie osobliwy, bo wartości zadania (własności, współczynniki warunków, wymiary) różnią się o "
      "zbyt wiele rzędów wielkości.");
}

std::string UnloadedNote(bool disc) {
  if (disc) {
    return Tr(
        "Solver",
        "Nic nie obciąża zadania: rozwiązanie jest zerowe. Obciąży je brzeg z warunkiem: obciążenie ciągłe "
        "różne od zera (rodzaj 1) albo przemieszczenie różne od zera (rodzaj 2).");
  }
  return Tr(
      "Solver",
      "Nic nie obciąża zadania: rozwiązanie jest zerowe. Obciążą je źródła (druga własność różna od zera) "
      "albo brzeg z warunkiem: wartość różna od zera (rodzaj 1), strumień różny od zera (rodzaj 2) lub "
      "konwekcja do wartości otoczenia różnej od zera (rodzaj 3).");
}

bool Unloaded(const System& s) {
  for (int32_t d = 0; d < s.dofs; ++d) {
    if (s.f[size_t(d)] != 0.0 ||
        (s.used[size_t(d)] && s.held[size_t(d)] != 0.0 && !std::isnan(s.held[size_t(d)])))
      return false;
  }
  return true;
}

std::string AbsurdProperty(const std::string& name, float value) {
  const float size = std::abs(value);
  if (size == 0.0f || (size >= 1e-30f && size <= 1e30f)) return {};
  return (size < 1e-30f ? Tr("Solver",
                             "Uwaga: %1 = %2 to mniej niż 1e-30, czego nie ma żaden materiał; sprawdź "
                             "jednostki. Wynik może nie mieć sensu.")
                        : Tr("Solver",
                             "Uwaga: %1 = %2 to więcej niż 1e30, czego nie ma żaden materiał; sprawdź "
                             "jednostki. Wynik może nie mieć sensu."))
      .with(name, Number(value));
}

std::string NotFinitePositive(const std::string& name, const std::string& must, float value) {
  if (std::isinf(value)) {
    return Tr("Solver",
              "%1 musi być %2 (jest nieskończona: liczba za duża dla typu float, którego największa wartość "
              "to 3,4028235e38).")
        .with(name, must);
  }
  return Tr("Solver", "%1 musi być %2 (jest %3).").with(name, must, Number(value));
}

std::vector<int32_t> UsedMaterials(const Model& m, const std::vector<TriangleShape>& shapes) {
  std::vector<char> used(size_t(std::max(m.materialCount, 0)) + 1, 0);
  for (size_t t = 1; t < shapes.size(); ++t) used[size_t(shapes[t].material)] = 1;
  std::vector<int32_t> list;
  for (size_t i = 0; i < used.size(); ++i) {
    if (used[i]) list.push_back(int32_t(i));
  }
  return list;
}

std::string OfMaterial(const std::string& property, int32_t material) {
  return material == 0 ? property : Tr("Solver", "%1 materiału nr %2").with(property, material);
}

}  // namespace solver

using namespace solver;

namespace {

// The triangles' shapes, or a refusal for a corner outside the mesh or a
// triangle without area.
std::optional<std::string> Shapes(const Model& m, std::vector<TriangleShape>& shapes) {
  shapes.resize(size_t(m.meshTriangleCount) + 1);
  // Each chunk of the triangles keeps its first refusal; the lowest
  // chunk's comes first.
  const RangeSplit split{size_t(m.meshTriangleCount)};
  std::vector<std::optional<std::string>> refusals(split.chunks());
  split.run([&](size_t chunk, size_t from, size_t to) {
    std::optional<std::string>& refusal = refusals[chunk];
    for (int32_t t = int32_t(from) + 1; t <= int32_t(to) && !refusal; ++t) {
      const MeshTriangle& row = m.MeshTriangleTable[t];
      TriangleShape& s = shapes[size_t(t)];
      s.nodes = {row.corner1, row.corner2, row.corner3};
      s.material = row.material;
      if (row.material < 0 || row.material > m.materialCount) {
        refusal = Tr("Solver",
                     "Trójkąt nr %1 siatki jest z materiału nr %2, którego nie ma w tabeli materiałów; "
                     "wygeneruj siatkę ponownie.")
                      .with(t, row.material);
        break;
      }
      for (int32_t n : s.nodes) {
        if (n < 1 || n > m.meshNodeCount) {
          refusal = Tr("Solver", "Trójkąt nr %1 siatki ma wierzchołek spoza siatki; wygeneruj ją ponownie.")
                        .with(t);
        }
      }
      if (refusal) break;
      std::array<MeshNode, 3> p;
      for (int i = 0; i < 3; ++i) p[size_t(i)] = m.MeshNodeTable[s.nodes[size_t(i)]];
      for (size_t i = 0; i < 3; ++i) {
        const MeshNode& pj = p[(i + 1) % 3];
        const MeshNode& pk = p[(i + 2) % 3];
        s.b[i] = pj.y - pk.y;
        s.c[i] = pk.x - pj.x;
      }
      s.twiceArea = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
      if (!(s.twiceArea > 0.0)) {
        refusal = Tr("Solver", "Trójkąt nr %1 siatki ma zerowe lub ujemne pole; wygeneruj siatkę ponownie.")
                      .with(t);
      }
    }
  });
  for (auto& refusal : refusals) {
    if (refusal) return refusal;
  }
  return std::nullopt;
}

// Why a condition the edges use cannot be solved: only the values the
// condition's kind uses must be numbers (the others stay as they were read,
// whatever they hold), a roller names a component, and α is not negative.
std::optional<std::string> ConditionValuesRefusal(const Model& m, const std::vector<BoundaryEdge>& edges) {
  const bool disc = IsDiscFamily(m.ProblemKind);
  std::map<int32_t, std::vector<int32_t>> users;  // condition -> elements
  for (const BoundaryEdge& e : edges) users[e.condition].push_back(e.element);
  for (auto& [k, elements] : users) {
    const BoundaryCondition& row = m.BcTable[k];
    const float values[] = {row.value1, row.value2, row.value3, row.value4, row.value5, row.value6};
    const std::vector<std::string> labels = ValueLabels(m.ProblemKind, row.kind);
    for (size_t i = 0; i < labels.size(); ++i) {
      if (std::isfinite(values[i])) continue;
      MakeDistinct(elements);
      return (elements.size() == 1
                  ? Tr("Solver",
                       "Warunek nr %1 (element %2) ma wartość, która nie jest liczbą skończoną: %3 = %4.")
                  : Tr("Solver",
                       "Warunek nr %1 (elementy %2) ma wartość, która nie jest liczbą skończoną: %3 = %4."))
          .with(k, NumberList(elements), labels[i], Number(values[i]));
    }
    if (disc && row.kind == kDiscRoller && RollerComponent(row.value1) < 0) {
      MakeDistinct(elements);
      return (elements.size() == 1
                  ? Tr("Solver",
                       "Warunek nr %1 (element %2) to podpora przesuwna ze składową %3: podpora "
                       "ustala przemieszczenie ux (składowa 1) albo uy (składowa 2).")
                  : Tr("Solver",
                       "Warunek nr %1 (elementy %2) to podpora przesuwna ze składową %3: podpora "
                       "ustala przemieszczenie ux (składowa 1) albo uy (składowa 2)."))
          .with(k, NumberList(elements), Number(row.value1));
    }
    if (!disc && row.kind == 3.0f && row.value1 < 0.0f) {
      return Tr("Solver", "Warunek nr %1: współczynnik konwekcji α = %2 nie może być ujemny.")
          .with(k, Number(row.value1));
    }
  }
  return std::nullopt;
}

// The boundary edges with their conditions as the model has them now, or a
// refusal naming the elements and condition rows that do not fit: an element
// gone since the mesh was made, a condition that does not exist, a kind the
// problem does not know, a value that is no number.
std::optional<std::string> Edges(const Model& m, std::vector<BoundaryEdge>& edges) {
  std::map<int32_t, std::vector<int32_t>> missing;  // condition -> elements
  std::map<int32_t, std::vector<int32_t>> unknown;
  for (const MeshEdge& e : m.meshTags->edges) {
    if (e.element < 1 || e.element > m.elementCount || e.node1 < 1 || e.node1 > m.meshNodeCount ||
        e.node2 < 1 || e.node2 > m.meshNodeCount) {
      return Tr("Solver",
                "Siatka nie odpowiada modelowi (element nr %1 nie istnieje); wygeneruj siatkę ponownie.")
          .with(e.element);
    }
    const int32_t k = m.ElementTable[e.element].bcNumber;
    std::vector<int32_t>* note = nullptr;
    if (k < 1 || k > m.bcCount) {
      note = &missing[k];
    } else {
      if (ConditionKindWord(m.ProblemKind, m.BcTable[k].kind).empty()) note = &unknown[k];
    }
    if (note) note->push_back(e.element);
    const MeshNode& p = m.MeshNodeTable[e.node1];
    const MeshNode& q = m.MeshNodeTable[e.node2];
    edges.push_back({e.node1, e.node2, k, std::hypot(q.x - p.x, q.y - p.y), e.element});
  }
  for (auto& [k, elements] : missing) {
    MakeDistinct(elements);
    return (elements.size() == 1
                ? Tr("Solver", "Element %1 wskazuje warunek nr %2, którego nie ma w tabeli warunków.")
                : Tr("Solver", "Elementy %1 wskazują warunek nr %2, którego nie ma w tabeli warunków."))
        .with(NumberList(elements), k);
  }
  for (auto& [k, elements] : unknown) {
    MakeDistinct(elements);
    return (elements.size() == 1
                ? Tr("Solver", "Warunek nr %1 (element %2) ma rodzaj %3, którego to zadanie nie zna.")
                : Tr("Solver", "Warunek nr %1 (elementy %2) ma rodzaj %3, którego to zadanie nie zna."))
        .with(k, NumberList(elements), Number(m.BcTable[k].kind));
  }
  return ConditionValuesRefusal(m, edges);
}

}  // namespace

std::string StaleMesh(const Model& m) {
  if (!m.meshTags) return {};
  const MeshTags& t = *m.meshTags;
  const auto moved = [](const auto& then, int32_t count, const auto& now) {
    if (then.size() != size_t(count)) return true;
    for (int32_t i = 1; i <= count; ++i) {
      if (std::memcmp(&then[size_t(i - 1)], &now[i], sizeof now[i]) != 0) return true;
    }
    return false;
  };
  bool ends = t.elements.size() != size_t(m.elementCount);
  for (int32_t i = 1; !ends && i <= m.elementCount; ++i) {
    const Element& then = t.elements[size_t(i - 1)];
    ends = then.startNode != m.ElementTable[i].startNode || then.endNode != m.ElementTable[i].endNode;
  }
  std::vector<std::string> what;
  if (moved(t.nodes, m.nodeCount, m.NodeTable)) what.push_back(Tr("Solver", "węzły"));
  if (ends) what.push_back(Tr("Solver", "elementy"));
  if (moved(t.internalNodes, m.internalNodeCount, m.InternalNodeTable)) {
    what.push_back(Tr("Solver", "węzły wewnętrzne"));
  }
  if (moved(t.regionPoints, m.regionPointCount, m.RegionPointTable))
    what.push_back(Tr("Solver", "punkty obszarów"));
  if (what.empty()) return {};
  std::string list;
  for (size_t i = 0; i < what.size(); ++i)
    list += (i == 0                 ? std::string()
             : i + 1 == what.size() ? std::string(Tr("Solver", " i "))
                                    : ", ") +
            what[i];
  return Tr("Solver",
            "Od generacji siatki zmieniły się %1 modelu: siatka nie opisuje już obszaru. Wygeneruj ją "
            "ponownie "
            "(GENERUJ), a potem rozwiąż zadanie.")
      .with(list);
}

SolveResult Solve(const Model& model, const std::atomic<bool>* cancel) {
  ClearUpperVectorState();
  if (model.meshTriangleCount <= 0 || model.meshNodeCount <= 0) {
    return Refusal(Tr("Solver", "Nie ma siatki: wygeneruj ją przed rozwiązaniem zadania."));
  }
  if (!model.meshTags)
    return Refusal(Tr("Solver", "Siatka nie ma oznaczonych krawędzi brzegu; wygeneruj ją ponownie."));
  if (std::string why = StaleMesh(model); !why.empty()) return Refusal(why);
  const bool disc = IsDiscFamily(model.ProblemKind);
  if (!disc && !IsPotentialFamily(model.ProblemKind)) {
    return Refusal(Tr("Solver", "Zadanie rodzaju %1 nie jest znane.").with(model.ProblemKind));
  }
  std::vector<TriangleShape> shapes;
  if (auto why = Shapes(model, shapes)) return Refusal(*why);
  std::vector<BoundaryEdge> edges;
  if (auto why = Edges(model, edges)) return Refusal(*why);
  if (CancelAsked(cancel)) return CancelledSolve();
  try {
    return disc ? SolveDisc(model, shapes, edges, cancel) : SolvePotential(model, shapes, edges, cancel);
  } catch (const std::bad_alloc&) {
    return Refusal(Tr("Solver", "Za mało pamięci, by rozwiązać zadanie na tej siatce."));
  } catch (const FactorModuleMissing& missing) {
    return Refusal(missing.what());
  }
}
