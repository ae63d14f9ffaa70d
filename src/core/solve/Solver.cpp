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
#include "core/cpu/VectorState.h"
#include "core/lists/NumberList.h"
#include "core/solve/FactorModule.h"
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

namespace {

// Sets of items joined one pair at a time.
class Pieces {
 public:
  explicit Pieces(size_t count) : parent_(count) {
    for (size_t i = 0; i < count; ++i) parent_[i] = int32_t(i);
  }
  int32_t root(int32_t i) {
    while (parent_[size_t(i)] != i) i = parent_[size_t(i)] = parent_[size_t(parent_[size_t(i)])];
    return i;
  }
  void join(int32_t a, int32_t b) {
    a = root(a), b = root(b);
    if (a != b) parent_[size_t(std::max(a, b))] = std::min(a, b);
  }

 private:
  std::vector<int32_t> parent_;
};

// What the held displacements of a piece of the disc take from its rigid
// motions. A motion (a, b, θ) moves the node at (x, y) by (a − θy, b + θx):
// a held ux takes away a − θy, a held uy b + θx. All three motions are gone
// when both directions are held somewhere and either the held ux lie at two
// heights or the held uy at two abscissae; otherwise the piece can still
// slide or turn.
struct Support {
  double yLow = INFINITY, yHigh = -INFINITY;  // the heights of the held ux
  double xLow = INFINITY, xHigh = -INFINITY;  // the abscissae of the held uy
  double tolerance = 0.0;                     // below it two places are one: 1e-9 of the piece's size
  bool rollers = false;                       // some node has one displacement held, not both
  bool held() const {
    return yLow <= yHigh && xLow <= xHigh && (yHigh - yLow > tolerance || xHigh - xLow > tolerance);
  }
};

Support Supports(const Model& m, const std::vector<int32_t>& nodes, const std::vector<char>& fixed) {
  Support s;
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (int32_t n : nodes) {
    const MeshNode& q = m.MeshNodeTable[n];
    x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    const char bits = fixed[size_t(n)];
    if (bits & 1) s.yLow = std::min(s.yLow, q.y), s.yHigh = std::max(s.yHigh, q.y);
    if (bits & 2) s.xLow = std::min(s.xLow, q.x), s.xHigh = std::max(s.xHigh, q.x);
    s.rollers = s.rollers || bits == 1 || bits == 2;
  }
  s.tolerance = 1e-9 * std::max(x1 - x0, y1 - y0);
  return s;
}

std::string Point(double x, double y) {
  return "(" + Number(x) + "; " + Number(y) + ")";
}

}  // namespace

std::optional<std::string> UnheldPiece(const Model& m, bool disc, const std::vector<TriangleShape>& shapes,
                                       const std::vector<BoundaryEdge>& edges) {
  const auto nodes = size_t(m.meshNodeCount) + 1;
  // Each triangle's piece. A potential problem's triangles that share a node
  // already share its value; the disc's must share an edge, since two parts
  // meeting at one node may turn about it.
  Pieces pieces(shapes.size());
  if (disc) {
    std::vector<int32_t> start(nodes + 1, 0), around(3 * (shapes.size() - 1));
    for (size_t t = 1; t < shapes.size(); ++t) {
      for (int32_t n : shapes[t].nodes) ++start[size_t(n) + 1];
    }
    for (size_t n = 1; n < start.size(); ++n) start[n] += start[n - 1];
    std::vector<int32_t> next(start.begin(), start.end() - 1);
    for (size_t t = 1; t < shapes.size(); ++t) {
      for (int32_t n : shapes[t].nodes) around[size_t(next[size_t(n)]++)] = int32_t(t);
    }
    for (size_t t = 1; t < shapes.size(); ++t) {
      const auto& c = shapes[t].nodes;
      for (size_t i = 0; i < 3; ++i) {
        const int32_t a = c[i], b = c[(i + 1) % 3];
        for (int32_t k = start[size_t(a)]; k < start[size_t(a) + 1]; ++k) {
          const auto& o = shapes[size_t(around[size_t(k)])].nodes;
          if (around[size_t(k)] > int32_t(t) && (o[0] == b || o[1] == b || o[2] == b))
            pieces.join(int32_t(t), around[size_t(k)]);
        }
      }
    }
  } else {
    Pieces byNode(nodes);
    for (size_t t = 1; t < shapes.size(); ++t) {
      byNode.join(shapes[t].nodes[0], shapes[t].nodes[1]);
      byNode.join(shapes[t].nodes[0], shapes[t].nodes[2]);
    }
    std::vector<int32_t> first(nodes, 0);  // the first triangle at each node's root
    for (size_t t = 1; t < shapes.size(); ++t) {
      int32_t& f = first[size_t(byNode.root(shapes[t].nodes[0]))];
      if (f == 0) f = int32_t(t);
      pieces.join(f, int32_t(t));
    }
  }
  // What holds each node: bit 0 its value or its ux, bit 1 its uy.
  std::vector<char> fixed(nodes, 0);
  std::vector<char> idleConvection(shapes.size(), 0);  // per piece, an edge with α = 0
  for (const BoundaryEdge& e : edges) {
    const BoundaryCondition& row = m.BcTable[e.condition];
    char bits = 0;
    if (!disc) {
      bits = row.kind == 1.0f || (row.kind == 3.0f && row.value1 > 0.0f) ? 3 : 0;
    } else if (row.kind == 2.0f) {
      bits = 3;
    } else if (row.kind == kDiscRoller && RollerComponent(row.value1) >= 0) {
      bits = char(1 << RollerComponent(row.value1));
    }
    fixed[size_t(e.a)] |= bits, fixed[size_t(e.b)] |= bits;
  }
  // Each piece's nodes, then pieces held in turn until none more is.
  std::vector<int32_t> root(shapes.size(), 0);
  std::vector<std::vector<int32_t>> members(shapes.size());
  std::vector<int32_t> seen(nodes, 0);
  for (size_t t = 1; t < shapes.size(); ++t) {
    root[t] = pieces.root(int32_t(t));
    for (int32_t n : shapes[t].nodes) {
      if (seen[size_t(n)] == root[t]) continue;
      seen[size_t(n)] = root[t];
      members[size_t(root[t])].push_back(n);
    }
  }
  // A node where pieces meet may have been met more than once by each.
  if (std::count_if(members.begin(), members.end(), [](const auto& p) { return !p.empty(); }) > 1) {
    for (std::vector<int32_t>& p : members) MakeDistinct(p);
  }
  std::vector<char> held(shapes.size(), 0);
  for (bool more = true; more;) {
    more = false;
    for (size_t p = 1; p < shapes.size(); ++p) {
      if (members[p].empty() || held[p]) continue;
      if (disc ? !Supports(m, members[p], fixed).held()
               : std::none_of(members[p].begin(), members[p].end(),
                              [&](int32_t n) { return fixed[size_t(n)]; }))
        continue;
      held[p] = 1, more = true;
      for (int32_t n : members[p]) fixed[size_t(n)] = 3;
    }
  }
  for (size_t p = 1; p < shapes.size(); ++p) {
    if (members[p].empty() || held[p]) continue;
    std::fill(seen.begin(), seen.end(), 0);
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    int32_t pin = 0;
    for (int32_t n : members[p]) {
      seen[size_t(n)] = 1;
      const MeshNode& q = m.MeshNodeTable[n];
      x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
      if (fixed[size_t(n)]) pin = n;
    }
    std::vector<int32_t> around;
    bool idle = false;
    for (const BoundaryEdge& e : edges) {
      if (!seen[size_t(e.a)] || !seen[size_t(e.b)]) continue;
      around.push_back(e.element);
      const BoundaryCondition& row = m.BcTable[e.condition];
      idle = idle || (!disc && row.kind == 3.0f && row.value1 == 0.0f);
    }
    const std::string piece = "część obszaru między " + Point(x0, y0) + " a " + Point(x1, y1) +
                              ", o brzegu z elementów " + NumberList(around);
    if (disc) {
      const std::string start = "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej " + piece;
      const Support h = Supports(m, members[p], fixed);
      if (h.rollers) {
        const bool ux = h.yLow <= h.yHigh, uy = h.xLow <= h.xHigh;
        const std::string how =
            ux && uy ? ", jest podparta tylko tak, że może się obracać wokół punktu " + Point(h.xLow, h.yLow)
            : ux ? ", ma ustalone tylko przemieszczenie ux, więc może się przesuwać w kierunku y" +
                       std::string(h.yHigh - h.yLow > h.tolerance ? "" : " i obracać")
                 : ", ma ustalone tylko przemieszczenie uy, więc może się przesuwać w kierunku x" +
                       std::string(h.xHigh - h.xLow > h.tolerance ? "" : " i obracać");
        return start + how +
               ". Podeprzyj ją (podpora przesuwna, rodzaj 3) albo utwierdź (rodzaj 2) tak, by nie mogła się "
               "ani przesuwać, ani obracać.";
      }
      const MeshNode& q = m.MeshNodeTable[pin];
      return start +
             (pin > 0 ? ", jest utwierdzona tylko w punkcie " + Point(q.x, q.y) +
                            " i może się wokół niego obracać"
                      : ", nie jest utwierdzona i może się swobodnie przesuwać i obracać") +
             ". Utwierdź ją (rodzaj 2) na odcinku, nie w jednym punkcie.";
    }
    return "Zadanie nie ma rozwiązania jednoznacznego: " + piece +
           ", nie ma warunku, który ustala w niej wartość. Nadaj któremuś z tych elementów warunek wartości "
           "(rodzaj 1) albo konwekcji z α > 0 (rodzaj 3)" +
           (idle ? "; konwekcja z α = 0 nie ustala wartości." : ".");
  }
  return std::nullopt;
}

std::string NumericallySingular() {
  return "Zadanie nie daje się rozwiązać dokładnie: każda część obszaru jest utrzymana, ale układ równań "
         "jest "
         "numerycznie osobliwy, bo wartości zadania (własności, współczynniki warunków, wymiary) różnią się "
         "o "
         "zbyt wiele rzędów wielkości.";
}

std::string UnloadedNote(bool disc) {
  std::string s = "Nic nie obciąża zadania: rozwiązanie jest zerowe. ";
  if (disc) {
    return s +
           "Obciąży je brzeg z warunkiem: obciążenie ciągłe różne od zera (rodzaj 1) albo przemieszczenie "
           "różne od zera (rodzaj 2).";
  }
  return s +
         "Obciążą je źródła (druga własność różna od zera) albo brzeg z warunkiem: wartość różna od zera "
         "(rodzaj 1), strumień różny od zera (rodzaj 2) lub konwekcja do wartości otoczenia różnej od zera "
         "(rodzaj 3).";
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
  return "Uwaga: " + name + " = " + Number(value) +
         (size < 1e-30f ? " to mniej niż 1e-30" : " to więcej niż 1e30") +
         ", czego nie ma żaden materiał; sprawdź jednostki. Wynik może nie mieć sensu.";
}

std::string NotFinitePositive(const std::string& name, const char* must, float value) {
  const std::string is = std::isinf(value) ? "jest nieskończona: liczba za duża dla typu float, którego "
                                             "największa wartość to 3,4028235e38"
                                           : "jest " + Number(value);
  return name + " musi być " + must + " (" + is + ").";
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
  return material == 0 ? property : property + " materiału nr " + std::to_string(material);
}

}  // namespace solver

using namespace solver;

namespace {

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
      s.material = row.material;
      if (row.material < 0 || row.material > m.materialCount) {
        refusal = "Trójkąt nr " + std::to_string(t) + " siatki jest z materiału nr " +
                  std::to_string(row.material) +
                  ", którego nie ma w tabeli materiałów; wygeneruj siatkę ponownie.";
        break;
      }
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
std::optional<std::string> Edges(const Model& m, std::vector<BoundaryEdge>& edges) {
  const bool disc = IsDiscFamily(m.ProblemKind);
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
      if (ConditionKindWord(m.ProblemKind, m.BcTable[k].kind).empty()) note = &unknown[k];
    }
    if (note) note->push_back(e.element);
    const MeshNode& p = m.MeshNodeTable[e.node1];
    const MeshNode& q = m.MeshNodeTable[e.node2];
    edges.push_back({e.node1, e.node2, k, std::hypot(q.x - p.x, q.y - p.y), e.element});
  }
  for (auto& [k, elements] : missing) {
    MakeDistinct(elements);
    const bool one = elements.size() == 1;
    return (one ? "Element " : "Elementy ") + NumberList(elements) + (one ? " wskazuje" : " wskazują") +
           " warunek nr " + std::to_string(k) + ", którego nie ma w tabeli warunków.";
  }
  for (auto& [k, elements] : unknown) {
    MakeDistinct(elements);
    return "Warunek nr " + std::to_string(k) + (elements.size() == 1 ? " (element " : " (elementy ") +
           NumberList(elements) + ") ma rodzaj " + Number(m.BcTable[k].kind) +
           ", którego to zadanie nie zna.";
  }
  // Only the values the condition's kind uses must be numbers; the others
  // stay as they were read, whatever they hold.
  std::map<int32_t, std::vector<int32_t>> users;  // condition -> elements
  for (const BoundaryEdge& e : edges) users[e.condition].push_back(e.element);
  for (auto& [k, elements] : users) {
    const BoundaryCondition& row = m.BcTable[k];
    const float values[] = {row.value1, row.value2, row.value3, row.value4, row.value5, row.value6};
    const std::vector<std::string> labels = ValueLabels(m.ProblemKind, row.kind);
    for (size_t i = 0; i < labels.size(); ++i) {
      if (std::isfinite(values[i])) continue;
      MakeDistinct(elements);
      return "Warunek nr " + std::to_string(k) + (elements.size() == 1 ? " (element " : " (elementy ") +
             NumberList(elements) + ") ma wartość, która nie jest liczbą skończoną: " + labels[i] + " = " +
             Number(values[i]) + ".";
    }
    if (disc && row.kind == kDiscRoller && RollerComponent(row.value1) < 0) {
      MakeDistinct(elements);
      return "Warunek nr " + std::to_string(k) + (elements.size() == 1 ? " (element " : " (elementy ") +
             NumberList(elements) + ") to podpora przesuwna ze składową " + Number(row.value1) +
             ": podpora ustala przemieszczenie ux (składowa 1) albo uy (składowa 2).";
    }
    if (!disc && row.kind == 3.0f && row.value1 < 0.0f) {
      return "Warunek nr " + std::to_string(k) + ": współczynnik konwekcji α = " + Number(row.value1) +
             " nie może być ujemny.";
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
  if (moved(t.regionPoints, m.regionPointCount, m.RegionPointTable)) what.push_back("punkty obszarów");
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
  const bool disc = IsDiscFamily(model.ProblemKind);
  if (!disc && !IsPotentialFamily(model.ProblemKind)) {
    return Refusal("Zadanie rodzaju " + std::to_string(model.ProblemKind) + " nie jest znane.");
  }
  std::vector<TriangleShape> shapes;
  if (auto why = Shapes(model, shapes)) return Refusal(*why);
  std::vector<BoundaryEdge> edges;
  if (auto why = Edges(model, edges)) return Refusal(*why);
  if (CancelAsked(cancel)) return CancelledSolve();
  try {
    return disc ? SolveDisc(model, shapes, edges, cancel) : SolvePotential(model, shapes, edges, cancel);
  } catch (const std::bad_alloc&) {
    return Refusal("Za mało pamięci, by rozwiązać zadanie na tej siatce.");
  } catch (const FactorModuleMissing& missing) {
    return Refusal(missing.what());
  }
}
