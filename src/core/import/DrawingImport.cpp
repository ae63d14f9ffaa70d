#include "core/import/DrawingImport.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/boundary/Codes.h"
#include "core/files/CNumbers.h"
#include "core/files/ShownName.h"

namespace {

// Gaps and loose ends a message names, at most; the rest are counted.
constexpr size_t kNamed = 10;

// A length or coordinate: the shortest text that reads back as the same
// single-precision number.
std::string Plain(double v, char decimalPoint) {
  return ShortestText(float(v), decimalPoint);
}

std::string PointText(DrawingPoint p, char decimalPoint) {
  return "(" + Plain(p.x, decimalPoint) + "; " + Plain(p.y, decimalPoint) + ")";
}

// One indented line per item, the first kNamed of them, then their count.
std::string Lines(const std::vector<std::string>& items) {
  std::string s;
  for (size_t i = 0; i < items.size() && i < kNamed; ++i) s += "\n  " + items[i];
  if (items.size() > kNamed) s += "\n  i " + Thousands(int64_t(items.size() - kNamed)) + " innych";
  return s;
}

// The loose ends, one a line, and the join distance that would close
// those within a hundredth of the drawing's size of something; the others
// are free ends, which no join should reach.
std::string LooseEndsText(const ImportPlan& plan, const Drawing& drawing, char decimalPoint) {
  std::vector<std::string> items;
  double join = 0.0;
  for (const LooseEnd& end : plan.looseEnds) {
    items.push_back(PointText(end.at, decimalPoint) +
                    (std::isfinite(end.gap) ? ": przerwa " + Plain(end.gap, decimalPoint) : ""));
    if (end.join <= drawing.extent.diagonal() / 100.0) join = std::max(join, end.join);
  }
  std::string s = Lines(items);
  if (join > plan.join) {
    s += "\nZwiększ odległość łączenia do " + Plain(join, decimalPoint) + " (teraz " +
         Plain(plan.join, decimalPoint) + "), a końce się połączą.";
  }
  return s;
}

// The boundary rows the chains of each role get, layer by layer; `added`
// counts the rows that have to be made (an outer or an inner one).
struct BoundaryChoice {
  const Model& model;
  const std::vector<LayerPhysics>& layers;
  int32_t firstOuter = 0, firstInner = 0;

  BoundaryChoice(const Model& m, const std::vector<LayerPhysics>& l) : model(m), layers(l) {
    for (int32_t b = m.boundaryCount; b >= 1; --b) {
      if (m.BoundaryTable[b].kind == kBoundaryOuter) firstOuter = b;
      if (m.BoundaryTable[b].kind == kBoundaryInner) firstInner = b;
    }
  }
  LayerPhysics layer(int32_t index) const {
    return size_t(index) < layers.size() ? layers[size_t(index)] : LayerPhysics{};
  }
  // The row for a chain of this role on this layer; 0 for the new row of
  // the kind the role needs.
  int32_t row(ChainRole role, int32_t layerIndex) const {
    const int32_t own = layer(layerIndex).boundary;
    const int32_t ownKind = own >= 1 && own <= model.boundaryCount ? model.BoundaryTable[own].kind : 0;
    if (role == ChainRole::Outer) return ownKind == kBoundaryOuter ? own : firstOuter;
    if (role == ChainRole::Hole) return ownKind == kBoundaryInner ? own : firstInner;
    return own;
  }
};

// The role of each segment's chain.
std::vector<ChainRole> SegmentRoles(const ImportPlan& plan) {
  std::vector<ChainRole> roles(plan.segments.size(), ChainRole::Open);
  for (const ImportChain& chain : plan.chains) {
    for (int32_t s : chain.segments) roles[size_t(s)] = chain.role;
  }
  return roles;
}

std::string ChainWord(ChainRole role) {
  switch (role) {
    case ChainRole::Outer: return "zewnętrzny";
    case ChainRole::Hole: return "otwór";
    case ChainRole::Region: return "obszar";
    case ChainRole::Open: return "otwarty";
  }
  return {};
}

// A material as the summary names it.
std::string MaterialName(const Model& m, int32_t material) {
  if (material >= 1 && material <= m.materialCount)
    return "materiał " + std::to_string(material) + " „" + m.MaterialTable[material].name + "”";
  return "materiał projektu";
}

}  // namespace

ImportCounts CountsOf(const Model& model, const ImportPlan& plan, const std::vector<LayerPhysics>& layers) {
  ImportCounts counts{plan.pointCount, plan.segmentCount, plan.holes(), 0, plan.regionPoints()};
  const BoundaryChoice choice(model, layers);
  const std::vector<ChainRole> roles = SegmentRoles(plan);
  bool outer = false, inner = false;
  for (size_t s = 0; s < plan.segments.size(); ++s) {
    if (choice.row(roles[s], plan.segments[s].layer) != 0) continue;
    (roles[s] == ChainRole::Hole ? inner : outer) = true;
  }
  counts.boundaries = int64_t(outer) + int64_t(inner);
  return counts;
}

std::optional<std::string> FitRefusal(const Model& m, const ImportCounts& c) {
  struct Table {
    const char* name;
    int64_t have, adds, capacity;
  };
  // The region points last: they have a remedy of their own.
  const Table tables[] = {{"węzłów", m.nodeCount, c.nodes, kMaxNodes},
                          {"elementów", m.elementCount, c.elements, kMaxElements},
                          {"węzłów wewnętrznych", m.internalNodeCount, c.internalNodes, kMaxInternalNodes},
                          {"brzegów", m.boundaryCount, c.boundaries, kMaxBoundaries},
                          {"punktów obszarów", m.regionPointCount, c.regionPoints, kMaxRegionPoints}};
  std::string over;
  bool elements = false, regionPoints = false;  // which remedy helps
  for (const Table& t : tables) {
    if (t.have + t.adds <= t.capacity) continue;
    (&t == &tables[std::size(tables) - 1] ? regionPoints : elements) = true;
    over += std::string(over.empty() ? "" : ", ") + t.name + " " + Thousands(t.have + t.adds) + " (" +
            Thousands(t.have) + " w modelu + " + Thousands(t.adds) + " z rysunku; najwięcej " +
            Thousands(t.capacity) + ")";
  }
  if (over.empty()) return std::nullopt;
  return "Rysunek nie mieści się w modelu: " + over + "." +
         (elements ? " Zwiększ tolerancję (albo zmniejsz liczbę elementów na okrąg) lub pomiń część warstw."
                   : "") +
         (regionPoints ? " Wybierz „otwór” zamiast materiału dla części warstw lub pomiń część z nich." : "");
}

ImportOutcome ApplyImport(Model& m, const ImportPlan& plan, const Drawing& drawing,
                          const std::vector<LayerPhysics>& layers, char decimalPoint) {
  ImportOutcome out;
  if (const auto refusal = FitRefusal(m, CountsOf(m, plan, layers))) {
    out.message = *refusal;
    return out;
  }
  if (plan.segments.empty() && plan.vanished == 0) {
    out.message = "Na wybranych warstwach nie ma nic do zaimportowania.";
    return out;
  }
  for (const DrawingPoint& p : plan.points) {
    if (!std::isfinite(float(p.x)) || !std::isfinite(float(p.y))) {
      out.message = "Po przeskalowaniu rysunek wychodzi poza zakres współrzędnych modelu.";
      return out;
    }
  }
  if (plan.noRegion) {
    out.message = "Rysunek nie obejmuje żadnego zamkniętego obszaru, więc nie ma czego zaimportować.";
    if (!plan.looseEnds.empty()) {
      out.message += " Kontury się nie zamykają; luźne końce (" + Thousands(int64_t(plan.looseEnds.size())) +
                     "):" + LooseEndsText(plan, drawing, decimalPoint);
    }
    if (plan.vanished > 0) {
      out.message += "\nZniknęły kontury mniejsze niż odległość łączenia: " + std::to_string(plan.vanished) +
                     " (największy " + Plain(plan.vanishedSize, decimalPoint) +
                     "); zmniejsz ją, by je zachować.";
    }
    return out;
  }
  // From here on every row has its room.
  BoundaryChoice choice(m, layers);
  if (choice.firstOuter == 0 || choice.firstInner == 0) {
    const std::vector<ChainRole> roles = SegmentRoles(plan);
    for (size_t s = 0; s < plan.segments.size(); ++s) {
      if (choice.row(roles[s], plan.segments[s].layer) != 0) continue;
      int32_t& first = roles[s] == ChainRole::Hole ? choice.firstInner : choice.firstOuter;
      first = AppendBoundary(m, Boundary{roles[s] == ChainRole::Hole ? kBoundaryInner : kBoundaryOuter});
    }
  }
  const int32_t firstNode = m.nodeCount + 1;
  for (const DrawingPoint& p : plan.points) (void)AppendNode(m, Node{float(p.x), float(p.y)});
  std::string holes, turned, marked;
  int32_t closed = 0, outer = 0, regions = 0, open = 0;
  for (size_t k = 0; k < plan.chains.size(); ++k) {
    const ImportChain& chain = plan.chains[k];
    const int32_t firstElement = m.elementCount + 1;
    for (int32_t s : chain.segments) {
      const ImportSegment& seg = plan.segments[size_t(s)];
      const LayerPhysics physics = choice.layer(seg.layer);
      (void)AppendElement(m, Element{firstNode + seg.from, firstNode + seg.to, physics.condition,
                                     choice.row(chain.role, seg.layer)});
    }
    const std::string name = "kontur " + std::to_string(k + 1) + " (elementy " +
                             std::to_string(firstElement) + "–" + std::to_string(m.elementCount) + ")";
    closed += chain.role != ChainRole::Open;
    outer += chain.role == ChainRole::Outer;
    regions += chain.role == ChainRole::Region;
    open += chain.role == ChainRole::Open;
    if (chain.role == ChainRole::Hole) {
      const int32_t n =
          AppendInternalNode(m, InternalNode{float(chain.holePoint.x), float(chain.holePoint.y)});
      holes += "\n  " + name + ": węzeł wewnętrzny " + std::to_string(n) + " w punkcie (" +
               Plain(chain.holePoint.x, decimalPoint) + "; " + Plain(chain.holePoint.y, decimalPoint) + ")";
    }
    if (chain.material != kNoMaterial) {
      const int32_t n = AppendRegionPoint(
          m, RegionPoint{float(chain.regionPoint.x), float(chain.regionPoint.y), chain.material, 0.0f});
      marked += "\n  " + name + ": punkt obszaru " + std::to_string(n) + " (" +
                MaterialName(m, chain.material) + ") w punkcie " + PointText(chain.regionPoint, decimalPoint);
    }
    if (chain.flipped > 0) {
      turned += "\n  " + name + ", " + ChainWord(chain.role) + ": " + std::to_string(chain.flipped) + " z " +
                std::to_string(chain.segments.size()) + " elementów";
    }
  }
  std::string& s = out.message;
  s = "Zaimportowano " + Thousands(int64_t(plan.points.size())) + " węzłów i " +
      Thousands(int64_t(plan.segments.size())) + " elementów (węzły " + std::to_string(firstNode) + "–" +
      std::to_string(m.nodeCount) + ").\nKontury zamknięte: " + std::to_string(closed) + " (zewnętrzne " +
      std::to_string(outer) + ", otwory " + std::to_string(plan.holes()) + ", obszary " +
      std::to_string(regions) + "), łańcuchy otwarte: " + std::to_string(open) + ".";
  s += plan.holes() > 0 ? "\nOtwory:" + holes : "\nOtworów nie znaleziono.";
  if (!marked.empty()) {
    s += "\nDodano " + CountOf(plan.regionPoints(), "punkt obszaru", "punkty obszarów", "punktów obszarów") +
         ":" + marked;
  }
  s += turned.empty() ? "\nKierunku żadnego elementu nie odwrócono."
                      : "\nOdwrócono kierunek elementów (zewnętrzne przeciwnie do ruchu wskazówek zegara, "
                        "otwory zgodnie z nim):" +
                            turned;
  if (plan.duplicates > 0)
    s += "\nOdcinki narysowane dwa razy, wzięte raz: " + std::to_string(plan.duplicates) + ".";
  if (!plan.joinedGaps.empty()) {
    std::vector<std::string> items;
    for (const JoinedGap& gap : plan.joinedGaps)
      items.push_back(PointText(gap.at, decimalPoint) + ": szerokość " + Plain(gap.width, decimalPoint));
    s += "\nPołączono przerwy między końcami (" + Thousands(int64_t(items.size())) + "):" + Lines(items);
  }
  if (!plan.looseEnds.empty()) {
    s += "\nLuźne końce, w których kontury się nie zamykają (" + Thousands(int64_t(plan.looseEnds.size())) +
         "):" + LooseEndsText(plan, drawing, decimalPoint);
  }
  std::string skipped;
  for (const auto& [name, n] : drawing.skipped)
    skipped += (skipped.empty() ? "" : ", ") + ShownName(name) + " " + std::to_string(n);
  if (plan.vanished > 0) {
    skipped += (skipped.empty() ? "" : ", ") + std::string("kontury mniejsze niż odległość łączenia ") +
               std::to_string(plan.vanished) + " (największy " + Plain(plan.vanishedSize, decimalPoint) + ")";
  }
  if (!skipped.empty()) s += "\nPominięto: " + skipped + ".";
  out.done = true;
  return out;
}
