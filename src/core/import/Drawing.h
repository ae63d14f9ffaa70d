#pragma once
// A drawing in a neutral form, as a CAD reader leaves it: straight lines and
// elliptic arcs in the drawing's own units, each on a layer, with blocks
// already placed. Circles and circular arcs are elliptic arcs with equal
// axes; nothing here knows the file format they came from.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/import/ReaderSentence.h"

struct DrawingPoint {
  double x = 0.0;
  double y = 0.0;
};

// A line from `a` to `b`, or the arc centre + u·cos t + v·sin t for t from
// t0 to t1 (either way round). A whole ellipse runs over 2π and is closed.
struct DrawingCurve {
  enum class Kind { Line, Arc } kind = Kind::Line;
  int32_t layer = 0;  // index into Drawing::layers
  DrawingPoint a, b;
  DrawingPoint centre, u, v;
  double t0 = 0.0, t1 = 0.0;
  bool closed = false;

  DrawingPoint at(double t) const;
  DrawingPoint start() const;
  DrawingPoint end() const;
  // The largest distance of the curve from its centre (0 for a line): a
  // chord of angle θ in t deviates from the arc by at most radius·(1 − cos θ/2).
  double radius() const;
};

// The curves as a reader makes them: a line from a to b; the arc centre +
// u·cos t + v·sin t from t0 to t1; and the arc a polyline's segment from p
// to q bulges into (bulge = tan(θ/4), θ the included angle, positive
// counter-clockwise).
DrawingCurve LineCurve(DrawingPoint a, DrawingPoint b);
DrawingCurve ArcCurve(DrawingPoint centre, DrawingPoint u, DrawingPoint v, double t0, double t1, bool closed);
DrawingCurve BulgeArc(DrawingPoint p, DrawingPoint q, double bulge);

struct DrawingLayer {
  std::string name;
  int32_t entities = 0;  // entities taken from this layer, blocks' ones counted per insert
};

struct DrawingBox {
  double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
  double width() const { return maxX - minX; }
  double height() const { return maxY - minY; }
  double diagonal() const;
};

struct Drawing {
  std::vector<DrawingLayer> layers;
  std::vector<DrawingCurve> curves;
  // Entities that are not taken, by their DXF name ("TEXT", "SPLINE"), with
  // their numbers.
  std::map<std::string, int32_t> skipped;
  int32_t insUnits = 0;  // $INSUNITS: 0 none, 1 inches, 4 millimetres, 6 metres …
  DrawingBox extent;     // of the curves themselves, arcs by their true extremes
};

// Every curve's extent together; a zero box for no curve.
DrawingBox CurvesExtent(const std::vector<DrawingCurve>& curves);

// The unit's name (its source text, shown through Tr("Drawing", name)) and
// its length in metres, for the $INSUNITS codes of lengths; an empty name
// and 0 for none or an unknown code.
struct DrawingUnit {
  std::string name;
  double metres = 0.0;
};
DrawingUnit UnitOfDrawing(int32_t insUnits);

// The largest DXF file read: 256 MiB.
inline constexpr int64_t kDxfMaxBytes = int64_t(256) << 20;
// No coordinate, radius or offset of a drawing may exceed this in size.
inline constexpr double kDrawingLimit = 1e9;
// The most curves a drawing may hold once its blocks are placed.
inline constexpr int32_t kDrawingMaxCurves = 250'000;
// The most layers that may carry taken entities.
inline constexpr int32_t kDrawingMaxLayers = 10'000;

// A drawing read, or why it was not: a refusal of the file, or a fault of
// the program that reads it.
struct DxfResult {
  bool ok = false;
  bool cancelled = false;     // the user ended the reading; nothing to say
  bool readerFailed = false;  // the reading program failed; the message names the file
  std::string message;        // a short sentence in the user's language when !ok
  ReaderSentence said;        // the reader's refusal behind `message`, to send on
  Drawing drawing;
};
