#pragma once
// From a drawing's curves to chains of straight elements: each curve cut
// into chords within a tolerance (or a number of chords per full circle),
// ends closer than the join distance merged into one node, chords split
// where they cross or where an end touches another chord, and the plane
// they divide into faces. The drawing's own closed loops, nested in each
// other, decide which faces are meshed; the chains are the edges between
// meshed faces and empty ones, oriented round what is meshed, every hole
// given a point inside it (and each chain on a layer with a material a
// region point), and the edges inside the meshed part or loose in the
// plane. Coordinates here are the model's (the drawing's times the
// scale), in double precision.

#include <cstdint>
#include <vector>

#include "core/import/Drawing.h"
#include "core/model/Model.h"

// How finely curves are cut: by the largest distance of a chord from its
// curve (in drawing units), or, when perCircle is above 0, into that many
// chords per full turn.
struct ChordRule {
  double tolerance = 0.0;
  int32_t perCircle = 0;
};

// The tolerance a drawing gets unless told otherwise: a thousandth of the
// diagonal of its extent, rounded down to 1, 2 or 5 times a power of ten.
double DefaultTolerance(const Drawing& drawing);

// The join distance a drawing gets unless told otherwise: ends closer than
// this (in drawing units) are one node. A five-thousandth of the diagonal,
// rounded down to 1, 2 or 5 times a power of ten, so that the gaps CAD
// programs leave (about a ten-thousandth of the part's size) close.
double DefaultJoinDistance(const Drawing& drawing);

// The chords a curve is cut into under the rule: at least one, and at least
// three for a closed curve.
int64_t ChordsFor(const DrawingCurve& curve, const ChordRule& rule);

struct ImportOptions {
  double scale = 1.0;  // model units per drawing unit
  ChordRule chords;
  // Ends and crossings closer than this, in drawing units, are one node;
  // 0 joins only what meets within a millionth of the drawing's size.
  double join = 0.0;
  std::vector<bool> skippedLayers;  // by layer index; missing means taken
  // By the index of a closed chain (ImportPlan::chains, whose order the
  // choices do not change): a nested chain to mesh as a region rather than
  // a hole. Missing means a hole.
  std::vector<bool> regions;
  // By layer index: the material (0 for the project's own, 1 … count for
  // the table's) that the layer's closed chains are made of, or
  // kNoMaterial (also when missing). Its nested chains are then regions,
  // and each of its outer contours and regions gets a region point.
  std::vector<int32_t> materials;
};

inline constexpr int32_t kNoMaterial = -1;

// An outer contour (counter-clockwise), a hole (clockwise, with a hole
// point), a closed chain with the meshed part on both sides, such as a
// nested one chosen as a region (counter-clockwise), or a chain that does
// not close, inside the meshed part or loose. A closed chain's layer is
// that of its first segment.
enum class ChainRole { Outer, Hole, Region, Open };

struct ImportSegment {
  int32_t from = 0, to = 0;  // indices into ImportPlan::points
  int32_t layer = 0;
  bool flipped = false;  // runs against the way it was drawn
};

struct ImportChain {
  std::vector<int32_t> segments;  // in walking order
  ChainRole role = ChainRole::Open;
  int32_t parent = -1;     // the closed chain it lies in directly, -1 for none
  double area = 0.0;       // signed, after orientation; 0 for an open chain
  DrawingPoint holePoint;  // for a hole
  int32_t flipped = 0;     // its segments that now run against the drawing
  // An outer contour or a region on a layer with a material: that material
  // and its region point, inside the chain and outside what lies directly
  // in it, found as a hole's point is.
  int32_t material = kNoMaterial;
  DrawingPoint regionPoint;
};

// An end of an element that meets nothing: where it lies (model units),
// how far the nearest other loose end or element is (model units; infinite
// when there is none), and the join distance (drawing units) that would
// close that gap, 0 when none would.
struct LooseEnd {
  DrawingPoint at;
  double gap = 0.0;
  double join = 0.0;
};

// A gap between ends that the join closed: where (model units) and how wide.
struct JoinedGap {
  DrawingPoint at;
  double width = 0.0;
};

struct ImportPlan {
  std::vector<DrawingPoint> points;  // in walking order, chain by chain
  std::vector<ImportSegment> segments;
  std::vector<ImportChain> chains;  // closed ones first, by falling area
  // The closed chains that run along a drawn loop lying directly in a
  // meshed one, which may be holes or regions, in ImportChain order.
  std::vector<int32_t> nested;
  // The counts when they would pass any table by far: no points or
  // segments are made then.
  bool tooMany = false;
  int64_t pointCount = 0, segmentCount = 0;
  int32_t duplicates = 0;  // segments drawn twice, taken once
  // No part of the drawing is enclosed, so nothing would be meshed.
  bool noRegion = false;
  double join = 0.0;  // the join distance used, in drawing units; 0 when only ends that meet are joined
  std::vector<LooseEnd> looseEnds;
  // Gaps wider than a millionth of the drawing's size that the join closed,
  // widest first.
  std::vector<JoinedGap> joinedGaps;
  // Closed curves that the join shrank to nothing, and the largest one's
  // size (model units).
  int32_t vanished = 0;
  double vanishedSize = 0.0;
  int32_t holes() const;
  int32_t regionPoints() const;  // the chains with a material
};

// The largest count of chords a plan is made for, eight times what the
// element table holds: past it only the counts of chords are given (as
// the counts of nodes and elements), since such a drawing cannot fit, and
// the nesting of many chains would take long.
inline constexpr int64_t kPlanMaxSegments = 8 * int64_t(kMaxElements);

ImportPlan PlanImport(const Drawing& drawing, const ImportOptions& options);

// A point strictly inside `outer` and outside each of `inner` (polygons as
// their vertices in order), as far from every edge as a scan of horizontal
// lines finds; false when there is none (a polygon without area).
bool PointInside(const std::vector<DrawingPoint>& outer, const std::vector<std::vector<DrawingPoint>>& inner,
                 DrawingPoint& point);
