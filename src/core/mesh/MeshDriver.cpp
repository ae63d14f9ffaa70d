#include "core/mesh/MeshDriver.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "core/process/HelperProcess.h"
#include "core/simd/VectorState.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

bool Finite(float x, float y) {
  return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

bool AreaTooSmallToWrite(double area) {
  // The area as Triangle will read it from the switches.
  const std::string text = MeshSwitches(area);
  const char* begin = text.data() + 4;  // past "Qpqa"
  double parsed = 0.0;
  std::from_chars(begin, text.data() + text.size(), parsed);
  return !(parsed > 0.0);
}

std::string DefaultMesherPath() {
  return HelperBesideProgram("vendrel-mesher");
}

std::string OverLimitText(const MeshTrial& t, const MeshLimits& limits) {
  return (t.estimated ? Tr("MeshDriver", "Siatka miałaby co najmniej %1, więcej niż limit %2.")
                      : Tr("MeshDriver", "Siatka miałaby %1, więcej niż limit %2."))
      .with(Triangles(t.triangles), Thousands(limits.triangles));
}

std::chrono::milliseconds TimeLimit(const MesherOptions& o) {
  const int64_t beyond = std::max<int64_t>(0, int64_t(o.limits.triangles) - kMaxMeshTriangles);
  return o.timeLimit + std::chrono::milliseconds(beyond / 50);
}

std::optional<MeshRequest> BuildMeshRequest(const Model& m, double area) {
  MeshRequest r;
  r.area = area;
  // Triangle keeps the first of coincident vertices and leaves the others
  // half made; a segment ending at one of those reads memory that was never
  // set. So each point goes once, and every node on it is numbered as it.
  std::map<std::pair<double, double>, int32_t> numberAt;
  std::vector<int32_t> point(static_cast<size_t>(m.nodeCount) + 1, 0);
  r.points.reserve(2 * static_cast<size_t>(m.nodeCount));
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const Node& n = m.NodeTable[i];
    if (!Finite(n.x, n.y)) return std::nullopt;
    const auto [at, added] = numberAt.try_emplace({n.x, n.y}, static_cast<int32_t>(r.points.size() / 2) + 1);
    point[static_cast<size_t>(i)] = at->second;
    if (!added) continue;
    r.points.push_back(n.x);
    r.points.push_back(n.y);
  }
  // Triangle ends the process on fewer than three vertices: a contour whose
  // nodes repeat on one or two points is refused here, and the model
  // check names its nodes.
  if (r.points.size() < 6) return std::nullopt;
  r.segments.reserve(2 * static_cast<size_t>(m.elementCount));
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    if (e.startNode < 1 || e.startNode > m.nodeCount || e.endNode < 1 || e.endNode > m.nodeCount) {
      return std::nullopt;
    }
    // An element of length zero bounds nothing; Triangle would skip it.
    const int32_t start = point[static_cast<size_t>(e.startNode)],
                  end = point[static_cast<size_t>(e.endNode)];
    if (start == end) continue;
    r.segments.push_back(start);
    r.segments.push_back(end);
    r.markers.push_back(i);
  }
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
    const InternalNode& h = m.InternalNodeTable[i];
    if (!Finite(h.x, h.y)) return std::nullopt;
    r.holes.push_back(h.x);
    r.holes.push_back(h.y);
  }
  for (int32_t i = 1; i <= m.regionPointCount; ++i) {
    const RegionPoint& p = m.RegionPointTable[i];
    if (!Finite(p.x, p.y) || p.material < 0 || p.material > kMaxMaterials || !std::isfinite(p.area) ||
        p.area < 0.0f) {
      return std::nullopt;
    }
    r.regions.insert(r.regions.end(), {p.x, p.y, double(p.material), p.area});
  }
  return r;
}

std::optional<MeshReply> RunMesher(const MeshRequest& request, const MesherOptions& options,
                                   MeshFault* fault) {
  const auto fail = [fault](MeshFault why) -> std::optional<MeshReply> {
    if (fault != nullptr) *fault = why;
    return std::nullopt;
  };
  MeshRequest limited = request;
  limited.limits = options.limits;
  HelperRun run;
  run.path = options.helperPath;
  run.args = options.extraArgs;
  run.timeLimit = TimeLimit(options);
  run.replyLimit = MaxReplyBytes(options.limits);
  run.whileWaiting = options.whileWaiting;
  run.cancelled = [&options] { return options.wasCancelled(); };
  const HelperOutcome out = RunHelper(run, EncodeRequest(limited));
  switch (out.fault) {
    case HelperFault::None: break;
    case HelperFault::NotStarted: return fail(MeshFault::NotStarted);
    case HelperFault::Failed:
    case HelperFault::Signalled: return fail(MeshFault::Crashed);
    case HelperFault::TimedOut: return fail(MeshFault::TimedOut);
    case HelperFault::TooLong: return fail(MeshFault::BadReply);
    case HelperFault::Cancelled: return fail(MeshFault::Cancelled);
  }
  std::optional<MeshReply> decoded = DecodeReply(out.reply, options.limits);
  return decoded ? decoded : fail(MeshFault::BadReply);
}

namespace {

// What the mesher makes of a request (none: refused before it starts), with
// the reply when it gave one within the tables' limits.
MeshTrial RunTrial(const std::optional<MeshRequest>& request, const MesherOptions& options,
                   std::optional<MeshReply>* kept) {
  MeshTrial t;
  if (!request) {
    t.fault = MeshFault::Refused;
    return t;
  }
  std::optional<MeshReply> reply = RunMesher(*request, options, &t.fault);
  if (!reply) {
    if (t.fault == MeshFault::Cancelled) t.outcome = MeshOutcome::Cancelled;
    return t;
  }
  t.points = reply->pointCount;
  t.triangles = reply->triangleCount;
  t.estimated = reply->estimated != 0;
  if (!ReplyWithinLimits(*reply, options.limits)) {
    t.outcome = MeshOutcome::Overflow;
    t.fault = MeshFault::TooLarge;
  } else if (reply->triangleCount < 1) {
    t.fault = MeshFault::NoTriangles;
  } else {
    t.outcome = MeshOutcome::Success;
    if (kept != nullptr) *kept = std::move(reply);
  }
  return t;
}

// What the mesher makes of the model at an area.
MeshTrial Trial(const Model& m, double area, const MesherOptions& options, std::optional<MeshReply>* kept) {
  return RunTrial(!AreaTooSmallToWrite(area) ? BuildMeshRequest(m, area) : std::nullopt, options, kept);
}

// The reply's segment pieces as edges running the way their elements run,
// the elements and nodes as `tags` holds them (numbered from 1 at index 0).
void TagEdges(MeshTags& tags, const MeshReply& reply) {
  const auto point = [&reply](int32_t k) { return &reply.points[2 * static_cast<size_t>(k - 1)]; };
  const int32_t elements = static_cast<int32_t>(tags.elements.size());
  const int32_t nodes = static_cast<int32_t>(tags.nodes.size());
  tags.edges.clear();
  tags.edges.reserve(reply.markers.size());
  for (size_t i = 0; i < reply.markers.size(); ++i) {
    MeshEdge edge{reply.segments[2 * i], reply.segments[2 * i + 1], reply.markers[i]};
    if (edge.element > elements) continue;
    const Element& e = tags.elements[static_cast<size_t>(edge.element - 1)];
    if (e.startNode < 1 || e.startNode > nodes || e.endNode < 1 || e.endNode > nodes) continue;
    const Node& start = tags.nodes[static_cast<size_t>(e.startNode - 1)];
    const Node& end = tags.nodes[static_cast<size_t>(e.endNode - 1)];
    const double* a = point(edge.node1);
    const double* b = point(edge.node2);
    if ((b[0] - a[0]) * (double(end.x) - start.x) + (b[1] - a[1]) * (double(end.y) - start.y) < 0.0) {
      std::swap(edge.node1, edge.node2);
    }
    tags.edges.push_back(edge);
  }
}

// The model's rows as the mesh is made, and the reply's segment pieces as
// edges running the way their elements run.
MeshTags TagsOf(const Model& m, const MeshReply& reply) {
  MeshTags tags;
  tags.problemKind = m.ProblemKind;
  for (int32_t i = 1; i <= m.nodeCount; ++i) tags.nodes.push_back(m.NodeTable[i]);
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) tags.internalNodes.push_back(m.InternalNodeTable[i]);
  for (int32_t i = 1; i <= m.regionPointCount; ++i) tags.regionPoints.push_back(m.RegionPointTable[i]);
  if (m.materialCount > 0) tags.materials.push_back({{}, m.Conductivity, m.SecondProperty});
  for (int32_t i = 1; i <= m.materialCount; ++i) tags.materials.push_back(m.MaterialTable[i]);
  for (int32_t i = 1; i <= m.elementCount; ++i) tags.elements.push_back(m.ElementTable[i]);
  for (int32_t i = 1; i <= m.bcCount; ++i) tags.conditions.push_back(m.BcTable[i]);
  for (int32_t i = 1; i <= m.boundaryCount; ++i) tags.boundaries.push_back(m.BoundaryTable[i]);
  TagEdges(tags, reply);
  return tags;
}

// Puts the reply's mesh into the model's tables with `tags`; false (the
// tables emptied) when memory runs out on the way.
bool Adopt(Model& m, std::optional<MeshReply>& reply, std::shared_ptr<const MeshTags> tags) {
  m.meshTags = std::move(tags);
  try {
    // Numbered from 1 as they come, slot 0 unused.
    std::vector<MeshTriangle> triangles(static_cast<size_t>(reply->triangleCount) + 1);
    for (size_t i = 1; i < triangles.size(); ++i) {
      const int32_t* c = &reply->triangles[3 * (i - 1)];
      const int32_t material = reply->materials.empty() ? 0 : reply->materials[i - 1];
      triangles[i] = MeshTriangle{c[0], c[1], c[2], material};
    }
    std::vector<MeshNode> nodes(static_cast<size_t>(reply->pointCount) + 1);
    for (size_t i = 1; i < nodes.size(); ++i) {
      const double* p = &reply->points[2 * (i - 1)];
      nodes[i] = MeshNode{p[0], p[1]};
    }
    reply.reset();
    m.MeshTriangleTable.adopt(std::move(triangles));
    m.MeshNodeTable.adopt(std::move(nodes));
  } catch (...) {
    m.MeshFailureFlag = 1;
    m.meshTags.reset();
    return false;
  }
  m.meshTriangleCount = m.MeshTriangleTable.storedRows();
  m.meshNodeCount = m.MeshNodeTable.storedRows();
  return true;
}

}  // namespace

MeshTrial TryMesh(const Model& m, double area, const MesherOptions& options) {
  try {
    return Trial(m, area, options, nullptr);
  } catch (...) {
    return MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
  }
}

MeshOutcome GenerateMesh(Model& m, double area, const MesherOptions& options, MeshTrial* trial) {
  ClearUpperVectorState();
  MeshTrial t;
  std::optional<MeshReply> reply;
  try {
    t = Trial(m, area, options, &reply);
  } catch (...) {
    // Memory that could not be had, or anything else thrown on the way,
    // is a failed generation; the program goes on.
    t = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
  }
  if (t.outcome == MeshOutcome::Success && options.stillWanted && !options.stillWanted()) {
    t = MeshTrial{MeshOutcome::Cancelled, MeshFault::Cancelled, t.points, t.triangles, false};
  }
  if (trial != nullptr) *trial = t;
  if (t.outcome == MeshOutcome::Cancelled) return t.outcome;
  m.meshNodeCount = 0;
  m.meshTriangleCount = 0;
  m.meshTags.reset();
  m.MeshFailureFlag = t.outcome == MeshOutcome::Success ? 0 : 1;
  if (!reply) return t.outcome;
  std::shared_ptr<const MeshTags> tags;
  try {
    tags = std::make_shared<const MeshTags>(TagsOf(m, *reply));
  } catch (...) {
    // Without memory for the tags the mesh still stands, untagged.
  }
  if (!Adopt(m, reply, std::move(tags))) {
    if (trial != nullptr) *trial = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
    return MeshOutcome::Failure;
  }
  return MeshOutcome::Success;
}

std::optional<MeshRequest> BuildRefineRequest(const Model& m, const std::vector<double>& areaPerTriangle) {
  if (!m.meshTags || m.meshTriangleCount < 1 || m.meshNodeCount < 3) return std::nullopt;
  MeshRequest r;
  r.refine = true;
  const MeshTags& tags = *m.meshTags;
  r.points.reserve(2 * static_cast<size_t>(m.meshNodeCount));
  for (int32_t i = 1; i <= m.meshNodeCount; ++i) {
    const MeshNode& n = m.MeshNodeTable[i];
    if (!std::isfinite(n.x) || !std::isfinite(n.y)) return std::nullopt;
    r.points.insert(r.points.end(), {n.x, n.y});
  }
  // The regions' own largest areas, by material: a region point's area caps
  // every triangle of its material (the smallest, when several share one).
  std::vector<double> regionArea(static_cast<size_t>(kMaxMaterials) + 1, 0.0);
  for (const RegionPoint& p : tags.regionPoints) {
    if (p.material < 0 || p.material > kMaxMaterials || !(p.area > 0.0f)) continue;
    double& cap = regionArea[static_cast<size_t>(p.material)];
    cap = cap > 0.0 ? std::min(cap, double(p.area)) : double(p.area);
  }
  const bool materials = !tags.regionPoints.empty();
  double largest = 0.0;
  const size_t count = static_cast<size_t>(m.meshTriangleCount);
  r.triangles.reserve(3 * count);
  r.triangleAreas.reserve(count);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& tri = m.MeshTriangleTable[t];
    for (int32_t c : {tri.corner1, tri.corner2, tri.corner3}) {
      if (c < 1 || c > m.meshNodeCount) return std::nullopt;
      r.triangles.push_back(c);
    }
    if (tri.material < 0 || tri.material > kMaxMaterials) return std::nullopt;
    if (materials) r.materials.push_back(tri.material);
    const MeshNode& a = m.MeshNodeTable[tri.corner1];
    const MeshNode& b = m.MeshNodeTable[tri.corner2];
    const MeshNode& c = m.MeshNodeTable[tri.corner3];
    largest = std::max(largest, 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)));
    double area =
        static_cast<size_t>(t) < areaPerTriangle.size() ? areaPerTriangle[static_cast<size_t>(t)] : 0.0;
    if (!std::isfinite(area)) area = 0.0;
    const double cap = regionArea[static_cast<size_t>(tri.material)];
    if (cap > 0.0 && (area <= 0.0 || cap < area)) area = cap;
    r.triangleAreas.push_back(area);
  }
  // No triangle grows past the largest there is: the quality pass may
  // place points where no triangle asked for them.
  r.area = largest * (1.0 + 1e-9);
  if (AreaTooSmallToWrite(r.area)) r.area = 0.0;
  for (const MeshEdge& e : tags.edges) {
    if (e.node1 < 1 || e.node1 > m.meshNodeCount || e.node2 < 1 || e.node2 > m.meshNodeCount ||
        e.element < 1 || e.element > kMaxElements) {
      return std::nullopt;
    }
    r.segments.insert(r.segments.end(), {e.node1, e.node2});
    r.markers.push_back(e.element);
  }
  return r;
}

MeshOutcome RefineMesh(Model& m, const std::vector<double>& areaPerTriangle, const MesherOptions& options,
                       MeshTrial* trial) {
  MeshTrial t;
  std::optional<MeshReply> reply;
  try {
    t = RunTrial(BuildRefineRequest(m, areaPerTriangle), options, &reply);
  } catch (...) {
    t = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
  }
  if (t.outcome == MeshOutcome::Success && options.stillWanted && !options.stillWanted()) {
    t = MeshTrial{MeshOutcome::Cancelled, MeshFault::Cancelled, t.points, t.triangles, false};
  }
  if (trial != nullptr) *trial = t;
  // Anything but a refined mesh leaves the mesh as it was.
  if (t.outcome != MeshOutcome::Success) return t.outcome;
  std::shared_ptr<const MeshTags> tags;
  try {
    auto refined = std::make_shared<MeshTags>(*m.meshTags);
    TagEdges(*refined, *reply);
    tags = std::move(refined);
  } catch (...) {
    t = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
    if (trial != nullptr) *trial = t;
    return t.outcome;
  }
  ClearUpperVectorState();
  if (!Adopt(m, reply, std::move(tags))) {
    if (trial != nullptr) *trial = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
    m.meshNodeCount = 0;
    m.meshTriangleCount = 0;
    return MeshOutcome::Failure;
  }
  m.MeshFailureFlag = 0;
  return MeshOutcome::Success;
}
