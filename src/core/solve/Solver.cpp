#include "core/solve/Solver.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <new>
#include <optional>

#include "core/cpu/VectorState.h"
#include "core/solve/Factorisation.h"
#include "core/solve/SolverParts.h"

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

}  // namespace solver

using namespace solver;

namespace {

std::string List(const std::vector<int32_t>& numbers) {
  std::string s;
  for (size_t i = 0; i < numbers.size(); ++i) s += (i ? ", " : "") + std::to_string(numbers[i]);
  return s;
}

// The triangles' shapes, or a refusal for a corner outside the mesh or a
// triangle without area.
std::optional<std::string> Shapes(const Model& m, std::vector<TriangleShape>& shapes) {
  shapes.resize(size_t(m.meshTriangleCount) + 1);
  // Each half of the triangles keeps its first refusal; the first half's
  // comes first.
  std::array<std::optional<std::string>, 2> refusals;
  InTwoHalves(size_t(m.meshTriangleCount), [&](size_t from, size_t to) {
    std::optional<std::string>& refusal = refusals[from == 0 ? 0 : 1];
    for (int32_t t = int32_t(from) + 1; t <= int32_t(to) && !refusal; ++t) {
      const MeshTriangle& row = m.MeshTriangleTable[t];
      TriangleShape& s = shapes[size_t(t)];
      s.nodes = {row.corner1, row.corner2, row.corner3};
      for (int32_t n : s.nodes) {
        if (n < 1 || n > m.meshNodeCount) {
          refusal = "Trójkąt nr " + std::to_string(t) +
                    " siatki ma wierzchołek spoza siatki; wygeneruj ją ponownie.";
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
        refusal = "Trójkąt nr " + std::to_string(t) +
                  " siatki ma zerowe lub ujemne pole; wygeneruj siatkę ponownie.";
      }
    }
  });
  return refusals[0] ? refusals[0] : refusals[1];
}

// The boundary edges with their conditions as the model has them now, or a
// refusal naming the elements and condition rows that do not fit: an element
// gone since the mesh was made, a condition that does not exist, a kind the
// problem does not know, a value that is no number.
std::optional<std::string> Edges(const Model& m, bool disc, std::vector<BoundaryEdge>& edges) {
  std::map<int32_t, std::vector<int32_t>> missing;  // condition -> elements
  std::map<int32_t, std::vector<int32_t>> unknown;
  for (const MeshEdge& e : m.meshTags->edges) {
    if (e.element < 1 || e.element > m.elementCount || e.node1 < 1 || e.node1 > m.meshNodeCount ||
        e.node2 < 1 || e.node2 > m.meshNodeCount) {
      return "Siatka nie odpowiada modelowi (element nr " + std::to_string(e.element) +
             " nie istnieje); wygeneruj siatkę ponownie.";
    }
    const int32_t k = m.ElementTable[e.element].bcNumber;
    std::vector<int32_t>* note = nullptr;
    if (k < 1 || k > m.bcCount) {
      note = &missing[k];
    } else {
      const float kind = m.BcTable[k].kind;
      const bool known = kind == 1.0f || kind == 2.0f || (!disc && kind == 3.0f);
      if (!known) note = &unknown[k];
    }
    if (note && (note->empty() || note->back() != e.element)) note->push_back(e.element);
    const MeshNode& p = m.MeshNodeTable[e.node1];
    const MeshNode& q = m.MeshNodeTable[e.node2];
    edges.push_back({e.node1, e.node2, k, std::hypot(q.x - p.x, q.y - p.y)});
  }
  for (const auto& [k, elements] : missing) {
    const bool one = elements.size() == 1;
    return (one ? "Element " : "Elementy ") + List(elements) + (one ? " wskazuje" : " wskazują") +
           " warunek nr " + std::to_string(k) + ", którego nie ma w tabeli warunków.";
  }
  for (const auto& [k, elements] : unknown) {
    return "Warunek nr " + std::to_string(k) + (elements.size() == 1 ? " (element " : " (elementy ") +
           List(elements) + ") ma rodzaj " + Number(m.BcTable[k].kind) + ", którego to zadanie nie zna.";
  }
  for (const BoundaryEdge& e : edges) {
    const BoundaryCondition& row = m.BcTable[e.condition];
    if (!std::isfinite(row.value1) || !std::isfinite(row.value2)) {
      return "Warunek nr " + std::to_string(e.condition) + " ma wartość, która nie jest liczbą.";
    }
    if (!disc && row.kind == 3.0f && row.value1 < 0.0f) {
      return "Warunek nr " + std::to_string(e.condition) +
             ": współczynnik konwekcji α = " + Number(row.value1) + " nie może być ujemny.";
    }
  }
  return std::nullopt;
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
  if (moved(t.nodes, m.nodeCount, m.NodeTable)) what.push_back("węzły");
  if (ends) what.push_back("elementy");
  if (moved(t.internalNodes, m.internalNodeCount, m.InternalNodeTable)) what.push_back("węzły wewnętrzne");
  if (what.empty()) return {};
  std::string list;
  for (size_t i = 0; i < what.size(); ++i)
    list += (i == 0 ? "" : i + 1 == what.size() ? " i " : ", ") + what[i];
  return "Od generacji siatki zmieniły się " + list +
         " modelu: siatka nie opisuje już obszaru. Wygeneruj ją ponownie (GENERUJ), a potem rozwiąż zadanie.";
}

SolveResult Solve(const Model& model, const std::atomic<bool>* cancel) {
  ClearUpperVectorState();
  if (model.meshTriangleCount <= 0 || model.meshNodeCount <= 0) {
    return Refusal("Nie ma siatki: wygeneruj ją przed rozwiązaniem zadania.");
  }
  if (!model.meshTags) return Refusal("Siatka nie ma oznaczonych krawędzi brzegu; wygeneruj ją ponownie.");
  if (std::string why = StaleMesh(model); !why.empty()) return Refusal(why);
  const bool disc = model.ProblemKind == 10;
  if (!disc && !(model.ProblemKind >= 1 && model.ProblemKind < 10)) {
    return Refusal("Zadanie rodzaju " + std::to_string(model.ProblemKind) + " nie jest znane.");
  }
  std::vector<TriangleShape> shapes;
  if (auto why = Shapes(model, shapes)) return Refusal(*why);
  std::vector<BoundaryEdge> edges;
  if (auto why = Edges(model, disc, edges)) return Refusal(*why);
  if (CancelAsked(cancel)) return CancelledSolve();
  try {
    return disc ? SolveDisc(model, shapes, edges, cancel) : SolvePotential(model, shapes, edges, cancel);
  } catch (const std::bad_alloc&) {
    return Refusal("Za mało pamięci, by rozwiązać zadanie na tej siatce.");
  }
}
