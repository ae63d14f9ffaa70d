#include "core/import/DrawingImport.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/boundary/Codes.h"
#include "core/files/ShownName.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

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
  if (items.size() > kNamed)
    s += "\n  " + Tr("DrawingImport", "i %1 innych").with(Thousands(int64_t(items.size() - kNamed)));
  return s;
}

// The loose ends, one a line, and the join distance that would close
// those within a hundredth of the drawing's size of something; the others
// are free ends, which no join should reach.
std::string LooseEndsText(const ImportPlan& plan, const Drawing& drawing, char decimalPoint) {
  std::vector<std::string> items;
  double join = 0.0;
  for (const LooseEnd& end : plan.looseEnds) {
    const std::string at = PointText(end.at, decimalPoint);
    items.push_back(std::isfinite(end.gap)
                        ? Tr("DrawingImport", "%1: przerwa %2").with(at, Plain(end.gap, decimalPoint))
                        : at);
    if (end.join <= drawing.extent.diagonal() / 100.0) join = std::max(join, end.join);
  }
  std::string s = Lines(items);
  if (join > plan.join) {
    s += "\n" + Tr("DrawingImport", "Zwiększ odległość łączenia do %1 (teraz %2), a końce się połączą.")
                    .with(Plain(join, decimalPoint), Plain(plan.join, decimalPoint));
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
    case ChainRole::Outer: return Tr("DrawingImport", "zewnętrzny");
    case ChainRole::Hole: return Tr("DrawingImport", "otwór");
    case ChainRole::Region: return Tr("DrawingImport", "obszar");
    case ChainRole::Open: return Tr("DrawingImport", "otwarty");
  }
  return {};
}

// A material as the summary names it.
std::string MaterialName(const Model& m, int32_t material) {
  if (material >= 1 && material <= m.materialCount)
    return Tr("DrawingImport", "materiał %1 „%2”").with(material, m.MaterialTable[material].name);
  return Tr("DrawingImport", "materiał projektu");
}

// Why a plan that fits the tables is still not imported: nothing to take,
// numbers past the model's range, or no closed region; nothing when it goes in.
std::optional<std::string> PlanRefusal(const ImportPlan& plan, const Drawing& drawing, char decimalPoint) {
  if (plan.segments.empty() && plan.vanished == 0)
    return Tr("DrawingImport", "Na wybranych warstwach nie ma nic do zaimportowania.");
  for (const DrawingPoint& p : plan.points) {
    if (!std::isfinite(float(p.x)) || !std::isfinite(float(p.y)))
      return Tr("DrawingImport", "Po przeskalowaniu rysunek wychodzi poza zakres współrzędnych modelu.");
  }
  if (!plan.noRegion) return std::nullopt;
  std::string s = Tr("DrawingImport",
                     "Rysunek nie obejmuje żadnego zamkniętego obszaru, więc nie ma czego zaimportować.");
  if (!plan.looseEnds.empty()) {
    s += " " +
         Tr("DrawingImport", "Kontury się nie zamykają; luźne końce (%1):")
             .with(Thousands(int64_t(plan.looseEnds.size()))) +
         LooseEndsText(plan, drawing, decimalPoint);
  }
  if (plan.vanished > 0) {
    s += "\n" + Tr("DrawingImport",
                   "Zniknęły kontury mniejsze niż odległość łączenia: %1 (największy %2); zmniejsz ją, by je "
                   "zachować.")
                    .with(plan.vanished, Plain(plan.vanishedSize, decimalPoint));
  }
  return s;
}

// The outer and the inner boundary rows the chains need and the model has
// not, appended.
void AddMissingBoundaries(Model& m, const ImportPlan& plan, BoundaryChoice& choice) {
  if (choice.firstOuter != 0 && choice.firstInner != 0) return;
  const std::vector<ChainRole> roles = SegmentRoles(plan);
  for (size_t s = 0; s < plan.segments.size(); ++s) {
    if (choice.row(roles[s], plan.segments[s].layer) != 0) continue;
    int32_t& first = roles[s] == ChainRole::Hole ? choice.firstInner : choice.firstOuter;
    first = AppendBoundary(m, Boundary{roles[s] == ChainRole::Hole ? kBoundaryInner : kBoundaryOuter});
  }
}

// What the summary says of the chains as they go in.
struct ChainNotes {
  std::string holes, turned, marked;  // a line per chain
  int32_t closed = 0, outer = 0, regions = 0, open = 0;
};

// The k-th chain's elements, its hole point and its region point added,
// and noted.
void AddChain(Model& m, const ImportPlan& plan, size_t k, int32_t firstNode, const BoundaryChoice& choice,
              char decimalPoint, ChainNotes& notes) {
  const ImportChain& chain = plan.chains[k];
  const int32_t firstElement = m.elementCount + 1;
  for (int32_t s : chain.segments) {
    const ImportSegment& seg = plan.segments[size_t(s)];
    const LayerPhysics physics = choice.layer(seg.layer);
    (void)AppendElement(m, Element{firstNode + seg.from, firstNode + seg.to, physics.condition,
                                   choice.row(chain.role, seg.layer)});
  }
  const std::string name =
      Tr("DrawingImport", "kontur %1 (elementy %2–%3)").with(k + 1, firstElement, m.elementCount);
  notes.closed += chain.role != ChainRole::Open;
  notes.outer += chain.role == ChainRole::Outer;
  notes.regions += chain.role == ChainRole::Region;
  notes.open += chain.role == ChainRole::Open;
  if (chain.role == ChainRole::Hole) {
    const int32_t n = AppendInternalNode(m, InternalNode{float(chain.holePoint.x), float(chain.holePoint.y)});
    notes.holes += "\n  " + Tr("DrawingImport", "%1: węzeł wewnętrzny %2 w punkcie (%3; %4)")
                                .with(name, n, Plain(chain.holePoint.x, decimalPoint),
                                      Plain(chain.holePoint.y, decimalPoint));
  }
  if (chain.material != kNoMaterial) {
    const int32_t n = AppendRegionPoint(
        m, RegionPoint{float(chain.regionPoint.x), float(chain.regionPoint.y), chain.material, 0.0f});
    notes.marked += "\n  " + Tr("DrawingImport", "%1: punkt obszaru %2 (%3) w punkcie %4")
                                 .with(name, n, MaterialName(m, chain.material),
                                       PointText(chain.regionPoint, decimalPoint));
  }
  if (chain.flipped > 0) {
    notes.turned += "\n  " + Tr("DrawingImport", "%1, %2: %3 z %4 elementów")
                                 .with(name, ChainWord(chain.role), chain.flipped, chain.segments.size());
  }
}

// What was added: the counts, the holes, the region points and the turned
// chains.
std::string AddedText(const Model& m, const ImportPlan& plan, int32_t firstNode, const ChainNotes& notes) {
  std::string s = Tr("DrawingImport", "Zaimportowano %1 węzłów i %2 elementów (węzły %3–%4).")
                      .with(Thousands(int64_t(plan.points.size())), Thousands(int64_t(plan.segments.size())),
                            firstNode, m.nodeCount);
  s += "\n" + Tr("DrawingImport",
                 "Kontury zamknięte: %1 (zewnętrzne %2, otwory %3, obszary %4), łańcuchy otwarte: %5.")
                  .with(notes.closed, notes.outer, plan.holes(), notes.regions, notes.open);
  s += "\n" + (plan.holes() > 0 ? Tr("DrawingImport", "Otwory:") + notes.holes
                                : Tr("DrawingImport", "Otworów nie znaleziono."));
  if (!notes.marked.empty()) {
    s += "\n" +
         Tr("DrawingImport", "Dodano %1:")
             .with(CountOf(plan.regionPoints(), Tr("DrawingImport", "punkt obszaru").c_str(),
                           Tr("DrawingImport", "punkty obszarów").c_str(),
                           Tr("DrawingImport", "punktów obszarów").c_str())) +
         notes.marked;
  }
  s += "\n" + (notes.turned.empty()
                   ? Tr("DrawingImport", "Kierunku żadnego elementu nie odwrócono.")
                   : Tr("DrawingImport",
                        "Odwrócono kierunek elementów (zewnętrzne przeciwnie do ruchu wskazówek "
                        "zegara, otwory zgodnie z nim):") +
                         notes.turned);
  return s;
}

// What the drawing had that the import cleaned up or left out: duplicates,
// joined gaps, loose ends, entities passed over and contours that vanished.
std::string TidiedText(const ImportPlan& plan, const Drawing& drawing, char decimalPoint) {
  std::string s;
  if (plan.duplicates > 0)
    s += "\n" + Tr("DrawingImport", "Odcinki narysowane dwa razy, wzięte raz: %1.").with(plan.duplicates);
  if (!plan.joinedGaps.empty()) {
    std::vector<std::string> items;
    for (const JoinedGap& gap : plan.joinedGaps) {
      items.push_back(Tr("DrawingImport", "%1: szerokość %2")
                          .with(PointText(gap.at, decimalPoint), Plain(gap.width, decimalPoint)));
    }
    s +=
        "\n" +
        Tr("DrawingImport", "Połączono przerwy między końcami (%1):").with(Thousands(int64_t(items.size()))) +
        Lines(items);
  }
  if (!plan.looseEnds.empty()) {
    s += "\n" +
         Tr("DrawingImport", "Luźne końce, w których kontury się nie zamykają (%1):")
             .with(Thousands(int64_t(plan.looseEnds.size()))) +
         LooseEndsText(plan, drawing, decimalPoint);
  }
  std::string skipped;
  for (const auto& [name, n] : drawing.skipped)
    skipped += (skipped.empty() ? "" : ", ") + ShownName(name) + " " + std::to_string(n);
  if (plan.vanished > 0) {
    skipped += (skipped.empty() ? "" : ", ") +
               Tr("DrawingImport", "kontury mniejsze niż odległość łączenia %1 (największy %2)")
                   .with(plan.vanished, Plain(plan.vanishedSize, decimalPoint));
  }
  if (!skipped.empty()) s += "\n" + Tr("DrawingImport", "Pominięto: %1.").with(skipped);
  return s;
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
  const Table tables[] = {
      {TrNoop("DrawingImport", "węzłów"), m.nodeCount, c.nodes, kMaxNodes},
      {TrNoop("DrawingImport", "elementów"), m.elementCount, c.elements, kMaxElements},
      {TrNoop("DrawingImport", "węzłów wewnętrznych"), m.internalNodeCount, c.internalNodes,
       kMaxInternalNodes},
      {TrNoop("DrawingImport", "brzegów"), m.boundaryCount, c.boundaries, kMaxBoundaries},
      {TrNoop("DrawingImport", "punktów obszarów"), m.regionPointCount, c.regionPoints, kMaxRegionPoints}};
  std::string over;
  bool elements = false, regionPoints = false;  // which remedy helps
  for (const Table& t : tables) {
    if (t.have + t.adds <= t.capacity) continue;
    (&t == &tables[std::size(tables) - 1] ? regionPoints : elements) = true;
    over += std::string(over.empty() ? "" : ", ") +
            Tr("DrawingImport", "%1 %2 (%3 w modelu + %4 z rysunku; najwięcej %5)")
                .with(Tr("DrawingImport", t.name), Thousands(t.have + t.adds), Thousands(t.have),
                      Thousands(t.adds), Thousands(t.capacity));
  }
  if (over.empty()) return std::nullopt;
  std::string s = Tr("DrawingImport", "Rysunek nie mieści się w modelu: %1.").with(over);
  if (elements)
    s += " " + Tr("DrawingImport",
                  "Zwiększ tolerancję (albo zmniejsz liczbę elementów na okrąg) lub pomiń część warstw.");
  if (regionPoints)
    s += " " +
         Tr("DrawingImport", "Wybierz „otwór” zamiast materiału dla części warstw lub pomiń część z nich.");
  return s;
}

ImportOutcome ApplyImport(Model& m, const ImportPlan& plan, const Drawing& drawing,
                          const std::vector<LayerPhysics>& layers, char decimalPoint) {
  ImportOutcome out;
  if (auto refusal = FitRefusal(m, CountsOf(m, plan, layers))) {
    out.message = std::move(*refusal);
    return out;
  }
  if (auto refusal = PlanRefusal(plan, drawing, decimalPoint)) {
    out.message = std::move(*refusal);
    return out;
  }
  // From here on every row has its room.
  BoundaryChoice choice(m, layers);
  AddMissingBoundaries(m, plan, choice);
  const int32_t firstNode = m.nodeCount + 1;
  for (const DrawingPoint& p : plan.points) (void)AppendNode(m, Node{float(p.x), float(p.y)});
  ChainNotes notes;
  for (size_t k = 0; k < plan.chains.size(); ++k)
    AddChain(m, plan, k, firstNode, choice, decimalPoint, notes);
  out.message = AddedText(m, plan, firstNode, notes) + TidiedText(plan, drawing, decimalPoint);
  out.done = true;
  return out;
}
