#include "core/import/DxfReader.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <memory>
#include <numbers>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "core/files/ShownName.h"
#include "core/import/DxfFileChecks.h"
#include "core/import/ReaderTexts.h"
#include "core/text/NumberText.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Blocks inside blocks, at most this deep; deeper ones are not placed.
constexpr int kMaxBlockDepth = 16;
ReaderSentence TooManyCurves() {
  return ReaderSentence(reader_text::kTooManyCurves, Thousands(kDrawingMaxCurves));
}

// x' = a·x + b·y + e, y' = c·x + d·y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  DrawingPoint point(DrawingPoint p) const { return {a * p.x + b * p.y + e, c * p.x + d * p.y + f}; }
  DrawingPoint vector(DrawingPoint p) const { return {a * p.x + b * p.y, c * p.x + d * p.y}; }
  Affine operator*(const Affine& o) const {
    return {a * o.a + b * o.c, a * o.b + b * o.d,     c * o.a + d * o.c,
            c * o.b + d * o.d, a * o.e + b * o.f + e, c * o.e + d * o.f + f};
  }
};

// The end angle of an arc running counter-clockwise from t0, both reduced
// to one turn: above t0, by a whole turn when the two are equal.
double Following(double t0, double t1) {
  if (!std::isfinite(t0) || !std::isfinite(t1)) return NAN;
  while (t1 <= t0) t1 += kTwoPi;
  return t1;
}

Affine Translation(double x, double y) {
  return {1, 0, 0, 1, x, y};
}

bool Sound(double v) {
  return std::isfinite(v) && std::fabs(v) <= kDrawingLimit;
}
bool Sound(DrawingPoint p) {
  return Sound(p.x) && Sound(p.y);
}
bool Sound(const DrawingCurve& c) {
  return c.kind == DrawingCurve::Kind::Line
             ? Sound(c.a) && Sound(c.b)
             : Sound(c.centre) && Sound(c.u) && Sound(c.v) && std::isfinite(c.t0) && std::isfinite(c.t1);
}

DrawingCurve Transformed(DrawingCurve c, const Affine& m) {
  if (c.kind == DrawingCurve::Kind::Line) {
    c.a = m.point(c.a);
    c.b = m.point(c.b);
  } else {
    c.centre = m.point(c.centre);
    c.u = m.vector(c.u);
    c.v = m.vector(c.v);
  }
  return c;
}

// One entity as read, in its block's (or the model's) coordinates.
struct Item {
  std::string layer;
  std::vector<DrawingCurve> curves;  // a taken entity's curves
  std::optional<DL_InsertData> insert;
};

struct Block {
  DrawingPoint base;
  std::vector<Item> items;
};

class Reader : public DL_CreationAdapter {
 public:
  ReaderSentence failure;
  std::unordered_map<std::string, Block> blocks;
  std::vector<Item> model;
  std::map<std::string, int32_t> skipped;
  int32_t insUnits = 0;

  void addBlock(const DL_BlockData& data) override {
    endPolyline();
    block_ = &blocks[data.name];
    block_->items.clear();
    block_->base = {data.bpx, data.bpy};
    check(block_->base);
  }
  void endBlock() override {
    endPolyline();
    block_ = nullptr;
  }
  void setVariableInt(const std::string& key, int value, int) override {
    if (key == "$INSUNITS") insUnits = value;
  }

  void addLine(const DL_LineData& d) override {
    endPolyline();
    if (d.x1 == d.x2 && d.y1 == d.y2) return count("LINE");
    take("LINE", {LineCurve({d.x1, d.y1}, {d.x2, d.y2})}, false);
  }
  void addArc(const DL_ArcData& d) override {
    endPolyline();
    const double t0 = std::fmod(d.angle1, 360.0) * std::numbers::pi / 180.0;
    const double t1 = Following(t0, std::fmod(d.angle2, 360.0) * std::numbers::pi / 180.0);
    if (!(d.radius > 0.0) || !(t1 - t0 <= kTwoPi)) return count("ARC");
    take("ARC", {ArcCurve({d.cx, d.cy}, {d.radius, 0}, {0, d.radius}, t0, t1, t1 - t0 >= kTwoPi - 1e-12)},
         true);
  }
  void addCircle(const DL_CircleData& d) override {
    endPolyline();
    if (!(d.radius > 0.0)) return count("CIRCLE");
    take("CIRCLE", {ArcCurve({d.cx, d.cy}, {d.radius, 0}, {0, d.radius}, 0.0, kTwoPi, true)}, true);
  }
  void addEllipse(const DL_EllipseData& d) override {
    endPolyline();
    const double t0 = std::fmod(d.angle1, kTwoPi), t1 = Following(t0, std::fmod(d.angle2, kTwoPi));
    const double* n = getExtrusion()->getDirection();
    if (!(d.ratio > 0.0 && d.ratio <= 1.0 + 1e-9) || !(std::hypot(d.mx, d.my) > 0.0) ||
        !(t1 - t0 <= kTwoPi) || !planar(n))
      return count("ELLIPSE");
    // The major axis is in world coordinates; the minor one turns about the
    // extrusion, so that a downward extrusion runs the other way round.
    const DrawingPoint u{d.mx, d.my};
    const double s = n[2] < 0 ? -d.ratio : d.ratio;
    check(u);
    DrawingCurve c = ArcCurve({d.cx, d.cy}, u, {-u.y * s, u.x * s}, t0, t1, t1 - t0 >= kTwoPi - 1e-12);
    add("ELLIPSE", {c});
  }
  void addPolyline(const DL_PolylineData& d) override {
    endPolyline();
    polyline_ = true;
    polylineFlags_ = d.flags;
    polylineLayer_ = attributes.getLayer();
    const double* n = getExtrusion()->getDirection();
    extrusionCopy_ = {n[0], n[1], n[2]};
    vertices_.clear();
  }
  void addVertex(const DL_VertexData& d) override {
    if (!polyline_) return;
    if (vertices_.size() >= size_t(kDrawingMaxCurves)) {
      failure = ReaderSentence(reader_text::kTooManyVertices);
      return;
    }
    vertices_.push_back(d);
  }
  void endEntity() override { endPolyline(); }
  void endSequence() override { endPolyline(); }
  void addInsert(const DL_InsertData& d) override {
    endPolyline();
    for (double v : {d.ipx, d.ipy, d.sx, d.sy, d.angle, d.colSp, d.rowSp}) check(v);
    Item item;
    item.layer = attributes.getLayer();
    item.insert = d;
    items().push_back(std::move(item));
  }

  // What is not taken, counted by its name.
  void addPoint(const DL_PointData&) override { count("POINT"); }
  void addXLine(const DL_XLineData&) override { count("XLINE"); }
  void addRay(const DL_RayData&) override { count("RAY"); }
  void addSpline(const DL_SplineData&) override { count("SPLINE"); }
  void addTrace(const DL_TraceData&) override { count("TRACE"); }
  void add3dFace(const DL_3dFaceData&) override { count("3DFACE"); }
  void addSolid(const DL_SolidData&) override { count("SOLID"); }
  void addMText(const DL_MTextData&) override { count("MTEXT"); }
  void addText(const DL_TextData&) override { count("TEXT"); }
  void addArcAlignedText(const DL_ArcAlignedTextData&) override { count("ARCALIGNEDTEXT"); }
  void addAttribute(const DL_AttributeData&) override { count("ATTRIB"); }
  void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { count("DIMENSION"); }
  void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { count("DIMENSION"); }
  void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { count("DIMENSION"); }
  void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override { count("DIMENSION"); }
  void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override { count("DIMENSION"); }
  void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override { count("DIMENSION"); }
  void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override { count("DIMENSION"); }
  void addLeader(const DL_LeaderData&) override { count("LEADER"); }
  void addHatch(const DL_HatchData&) override { count("HATCH"); }
  void addImage(const DL_ImageData&) override { count("IMAGE"); }

  // A polyline still open when the reading ends.
  void finish() { endPolyline(); }

 private:
  std::vector<Item>& items() { return block_ != nullptr ? block_->items : model; }

  void count(const std::string& name) {
    endPolyline();
    ++skipped[name];
  }
  void check(double v) {
    if (!Sound(v) && !failure.said()) failure = ReaderSentence(reader_text::kNonFinite);
  }
  void check(DrawingPoint p) {
    check(p.x);
    check(p.y);
  }
  // Drawn in the XY plane, seen from either side.
  static bool planar(const double* n) {
    return std::fabs(n[0]) < 1e-9 && std::fabs(n[1]) < 1e-9 && std::fabs(n[2]) > 0.5;
  }
  // An entity taken, its curves in its own coordinates; `ocs` when they are
  // in the entity's coordinate system, which a downward extrusion mirrors.
  void take(const std::string& name, std::vector<DrawingCurve> curves, bool ocs) {
    const double* n = getExtrusion()->getDirection();
    if (ocs && !planar(n)) return count(name);
    if (ocs && n[2] < 0) {
      for (DrawingCurve& c : curves) c = Transformed(c, Affine{-1, 0, 0, 1, 0, 0});
    }
    add(name, std::move(curves), attributes.getLayer());
  }
  void add(const std::string&, std::vector<DrawingCurve> curves, std::string layer = {}) {
    if (layer.empty()) layer = attributes.getLayer();
    for (const DrawingCurve& c : curves) {
      if (!Sound(c)) check(std::nan(""));
    }
    Item item;
    item.layer = std::move(layer);
    item.curves = std::move(curves);
    items().push_back(std::move(item));
  }
  void endPolyline() {
    if (!polyline_) return;
    polyline_ = false;
    const bool closed = (polylineFlags_ & 1) != 0;
    // Polygon meshes and polyface meshes are surfaces, not outlines.
    if ((polylineFlags_ & (16 | 64)) != 0 || !planar(extrusionCopy_.data())) {
      ++skipped["POLYLINE"];
      return;
    }
    std::vector<DrawingCurve> curves;
    const size_t n = vertices_.size();
    for (size_t i = 0; i + 1 < n || (closed && n >= 2 && i < n); ++i) {
      const DL_VertexData& p = vertices_[i];
      const DL_VertexData& q = vertices_[(i + 1) % n];
      if (!std::isfinite(p.bulge)) check(p.bulge);
      const DrawingPoint a{p.x, p.y}, b{q.x, q.y};
      check(a);
      check(b);
      if (a.x == b.x && a.y == b.y) continue;
      curves.push_back(p.bulge != 0.0 && std::fabs(p.bulge) < 1e6 ? BulgeArc(a, b, p.bulge)
                                                                  : LineCurve(a, b));
    }
    if (curves.empty()) {
      ++skipped["POLYLINE"];
      return;
    }
    if (extrusionCopy_[2] < 0) {
      for (DrawingCurve& c : curves) c = Transformed(c, Affine{-1, 0, 0, 1, 0, 0});
    }
    Item item;
    item.layer = polylineLayer_;
    item.curves = std::move(curves);
    items().push_back(std::move(item));
  }

  Block* block_ = nullptr;
  bool polyline_ = false;
  int polylineFlags_ = 0;
  std::string polylineLayer_;
  std::array<double, 3> extrusionCopy_{0, 0, 1};
  std::vector<DL_VertexData> vertices_;
};

// Places the model's entities and, through inserts, the blocks' ones into
// the drawing; false, with `failure` set, when there are too many.
class Placer {
 public:
  Placer(const Reader& r, Drawing& d) : reader_(r), drawing_(d) {}

  bool place(const std::vector<Item>& items, const Affine& m, const std::string& inherited, int depth) {
    for (const Item& item : items) {
      // Entities of a block on layer "0" take the insert's layer.
      const std::string& layer = item.layer == "0" && !inherited.empty() ? inherited : item.layer;
      if (item.insert) {
        if (!insert(*item.insert, m, layer, depth)) return false;
        continue;
      }
      if (drawing_.curves.size() + item.curves.size() > size_t(kDrawingMaxCurves)) {
        failure = TooManyCurves();
        return false;
      }
      const int32_t index = layerIndex(layer);
      if (index < 0) {
        failure = ReaderSentence(reader_text::kTooManyLayers, Thousands(kDrawingMaxLayers));
        return false;
      }
      ++drawing_.layers[size_t(index)].entities;
      for (DrawingCurve c : item.curves) {
        c = Transformed(c, m);
        c.layer = index;
        if (!Sound(c)) {
          failure = ReaderSentence(reader_text::kPlacedTooFar);
          return false;
        }
        drawing_.curves.push_back(c);
      }
    }
    return true;
  }

  ReaderSentence failure;

 private:
  bool insert(const DL_InsertData& d, const Affine& m, const std::string& layer, int depth) {
    const auto found = reader_.blocks.find(d.name);
    if (found == reader_.blocks.end() || depth >= kMaxBlockDepth) {
      ++drawing_.skipped["INSERT"];
      return true;
    }
    const double angle = d.angle * std::numbers::pi / 180.0;
    const double cs = std::cos(angle), sn = std::sin(angle);
    const int cols = std::max(1, d.cols), rows = std::max(1, d.rows);
    if (double(cols) * double(rows) > double(kDrawingMaxCurves)) {
      failure = TooManyCurves();
      return false;
    }
    const Block& block = found->second;
    // Insertion point · rotation · scale · the block's base point to the origin.
    const Affine local = Affine{cs * d.sx, -sn * d.sy, sn * d.sx, cs * d.sy, d.ipx, d.ipy} *
                         Translation(-block.base.x, -block.base.y);
    for (int col = 0; col < cols; ++col) {
      for (int row = 0; row < rows; ++row) {
        // Blocks of nothing but inserts of empty blocks place no curve, but
        // their cells still count, so that nesting them cannot run on.
        if (++cells_ > int64_t(kDrawingMaxCurves)) {
          failure = TooManyCurves();
          return false;
        }
        const double ox = col * d.colSp, oy = row * d.rowSp;
        const Affine cell = Translation(cs * ox - sn * oy, sn * ox + cs * oy) * local;
        if (!place(block.items, m * cell, layer, depth + 1)) return false;
      }
    }
    return true;
  }

  // The layer's index, a new one for a name not seen before; -1 past the
  // most layers a drawing may have.
  int32_t layerIndex(const std::string& name) {
    const auto [at, fresh] = layerByName_.try_emplace(name, int32_t(drawing_.layers.size()));
    if (fresh) {
      if (drawing_.layers.size() >= size_t(kDrawingMaxLayers)) {
        layerByName_.erase(at);
        return -1;
      }
      drawing_.layers.push_back({name, 0});
    }
    return at->second;
  }

  const Reader& reader_;
  Drawing& drawing_;
  std::unordered_map<std::string, int32_t> layerByName_;
  int64_t cells_ = 0;  // block placements so far
};

std::string SkippedText(const std::map<std::string, int32_t>& skipped) {
  std::string text;
  for (const auto& [name, n] : skipped) text += (text.empty() ? "" : ", ") + name + " " + std::to_string(n);
  return text;
}

// A refusal of the file, in the user's language and as the sentence sent on.
DxfResult Refused(ReaderSentence why) {
  DxfResult r;
  r.message = why.text();
  r.said = std::move(why);
  return r;
}

}  // namespace

DxfResult ReadDxfBytes(std::string_view bytes) {
  DxfText checked = CheckDxfText(bytes);
  if (checked.why.said()) return Refused(std::move(checked.why));
  Reader reader;
  {
    std::istringstream in{std::move(checked.text)};
    DL_Dxf dxf;
    dxf.in(in, &reader);
    reader.finish();
  }
  if (reader.failure.said()) return Refused(reader.failure);
  DxfResult r;
  Drawing& d = r.drawing;
  d.skipped = reader.skipped;
  d.insUnits = reader.insUnits;
  Placer placer(reader, d);
  if (!placer.place(reader.model, Affine{}, {}, 0)) return Refused(placer.failure);
  if (d.curves.empty()) {
    const std::string skipped = SkippedText(d.skipped);
    return skipped.empty() ? Refused(ReaderSentence(reader_text::kNothingTaken))
                           : Refused(ReaderSentence(reader_text::kNothingTakenSkipped, skipped));
  }
  d.extent = CurvesExtent(d.curves);
  r.ok = true;
  return r;
}

DxfResult ReadDxfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return Refused(ReaderSentence(reader_text::kCannotOpen, ShownName(path)));
  if (int64_t(st.st_size) > kDxfMaxBytes) {
    return Refused(ReaderSentence(reader_text::kTooLarge, ShownName(path), int64_t(st.st_size) >> 20,
                                  kDxfMaxBytes >> 20));
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return Refused(ReaderSentence(reader_text::kCannotOpen, ShownName(path)));
  std::string bytes(size_t(st.st_size), '\0');
  in.read(bytes.data(), std::streamsize(bytes.size()));
  bytes.resize(size_t(in.gcount()));
  return ReadDxfBytes(bytes);
}
