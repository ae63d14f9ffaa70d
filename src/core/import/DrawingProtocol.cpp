#include "core/import/DrawingProtocol.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "core/files/HostBytes.h"
#include "core/files/ShownName.h"
#include "core/import/ReaderTexts.h"

namespace {

constexpr uint32_t kReplyMagic = 0x31445256;  // "VRD1"
// The longest texts: a sentence's source, a layer's name (a DXF line), an entity's name.
constexpr uint32_t kMaxMessage = 64 * 1024;
constexpr uint32_t kMaxLayerName = 4096;
constexpr uint32_t kMaxKindName = 64;
constexpr uint32_t kMaxKinds = 256;
// Per curve: its kind, whether it is closed, its layer, and twelve numbers.
constexpr size_t kCurveBytes = 2 + sizeof(int32_t) + 12 * sizeof(double);

bool Sound(double v) {
  return std::isfinite(v) && std::fabs(v) <= kDrawingLimit;
}

}  // namespace

size_t MaxDrawingReplyBytes() {
  return 64 + kMaxMessage + size_t(kDrawingMaxLayers) * (8 + kMaxLayerName) + kMaxKinds * (8 + kMaxKindName) +
         size_t(kDrawingMaxCurves) * kCurveBytes;
}

namespace {

// A refusal: the sentence's source text, then its arguments.
void PutSentence(std::string& out, const ReaderSentence& said) {
  PutText(out, said.source != nullptr ? std::string(said.source) : std::string());
  Put(out, uint8_t(std::min(said.args.size(), kReaderMaxArgs)));
  for (size_t k = 0; k < said.args.size() && k < kReaderMaxArgs; ++k)
    PutText(out, said.args[k].substr(0, kReaderMaxArg));
}

// A sentence of the list with the arguments it asks for, each a name as a
// message shows it, put into the user's language.
bool GetSentence(ByteCursor& in, DxfResult& r) {
  std::string source;
  uint8_t count = 0;
  if (!in.text(source, kMaxMessage) || !in.get(count)) return false;
  r.said.source = KnownReaderText(source);
  if (r.said.source == nullptr || count != ReaderTextArgs(source)) return false;
  r.said.args.resize(count);
  for (std::string& arg : r.said.args) {
    if (!in.text(arg, kReaderMaxArg) || ShownName(arg) != arg) return false;
  }
  r.message = r.said.text();
  return true;
}

void PutDrawing(std::string& out, const Drawing& d) {
  Put(out, int32_t(d.insUnits));
  Put(out, uint32_t(d.layers.size()));
  for (const DrawingLayer& layer : d.layers) {
    PutText(out, layer.name.substr(0, kMaxLayerName));
    Put(out, layer.entities);
  }
  Put(out, uint32_t(d.skipped.size()));
  for (const auto& [name, n] : d.skipped) {
    PutText(out, name.substr(0, kMaxKindName));
    Put(out, n);
  }
  Put(out, uint32_t(d.curves.size()));
  for (const DrawingCurve& c : d.curves) {
    Put(out, uint8_t(c.kind == DrawingCurve::Kind::Arc ? 1 : 0));
    Put(out, uint8_t(c.closed ? 1 : 0));
    Put(out, c.layer);
    for (const double v :
         {c.a.x, c.a.y, c.b.x, c.b.y, c.centre.x, c.centre.y, c.u.x, c.u.y, c.v.x, c.v.y, c.t0, c.t1})
      Put(out, v);
  }
}

// The layers and the kinds passed over: each layer's name and count, and
// the kinds in the order of their names, each once, as a map sends them.
bool GetLayersAndKinds(ByteCursor& in, Drawing& d) {
  uint32_t layers = 0, kinds = 0;
  // A count is believed only as far as the bytes left can hold it, so that
  // a short reply never makes the program allocate much.
  if (!in.get(d.insUnits) || !in.get(layers) || layers > uint32_t(kDrawingMaxLayers) ||
      !in.holds(layers, 2 * sizeof(int32_t))) {
    return false;
  }
  d.layers.resize(layers);
  for (DrawingLayer& layer : d.layers) {
    if (!in.text(layer.name, kMaxLayerName) || !in.get(layer.entities) || layer.entities < 0) return false;
  }
  if (!in.get(kinds) || kinds > kMaxKinds) return false;
  for (uint32_t k = 0; k < kinds; ++k) {
    std::string name;
    int32_t n = 0;
    if (!in.text(name, kMaxKindName) || !in.get(n) || n < 1 ||
        (!d.skipped.empty() && !(d.skipped.rbegin()->first < name))) {
      return false;
    }
    d.skipped.emplace_hint(d.skipped.end(), std::move(name), n);
  }
  return true;
}

// One curve, on a layer of the drawing's, its numbers sound.
bool GetCurve(ByteCursor& in, DrawingCurve& c, size_t layers) {
  uint8_t kind = 0, closed = 0;
  if (!in.get(kind) || kind > 1 || !in.get(closed) || closed > 1 || !in.get(c.layer) || c.layer < 0 ||
      size_t(c.layer) >= layers) {
    return false;
  }
  c.kind = kind == 1 ? DrawingCurve::Kind::Arc : DrawingCurve::Kind::Line;
  c.closed = closed == 1;
  for (double* v : {&c.a.x, &c.a.y, &c.b.x, &c.b.y, &c.centre.x, &c.centre.y, &c.u.x, &c.u.y, &c.v.x, &c.v.y,
                    &c.t0, &c.t1}) {
    if (!in.get(*v) || !Sound(*v)) return false;
  }
  // An arc's angles lie within two turns of zero (the extent walks the
  // quarter turns from there) and it runs at most once round; only a
  // whole one is closed, and a line is never.
  const double sweep = std::fabs(c.t1 - c.t0);
  return std::fabs(c.t0) <= 4.0 * std::numbers::pi && std::fabs(c.t1) <= 4.0 * std::numbers::pi &&
         sweep <= 2.0 * std::numbers::pi + 1e-9 &&
         !(c.closed && (kind == 0 || sweep < 2.0 * std::numbers::pi - 1e-9));
}

}  // namespace

std::string EncodeDrawingReply(const DxfResult& r) {
  std::string out;
  Put(out, kReplyMagic);
  Put(out, uint8_t(r.ok ? 1 : 0));
  // A drawing's reply carries an empty sentence.
  if (!r.ok) {
    PutSentence(out, r.said);
    return out;
  }
  PutText(out, std::string());
  PutDrawing(out, r.drawing);
  return out;
}

std::optional<DxfResult> DecodeDrawingReply(std::string_view bytes) {
  ByteCursor in(bytes);
  DxfResult r;
  uint32_t magic = 0;
  uint8_t ok = 0;
  if (!in.get(magic) || magic != kReplyMagic || !in.get(ok) || ok > 1) return std::nullopt;
  r.ok = ok == 1;
  if (!r.ok) {
    if (!GetSentence(in, r) || !in.atEnd()) return std::nullopt;
    return r;
  }
  Drawing& d = r.drawing;
  uint32_t curves = 0;
  if (!in.text(r.message, 0) || !GetLayersAndKinds(in, d) || !in.get(curves) || curves < 1 ||
      curves > uint32_t(kDrawingMaxCurves) || !in.holds(curves, kCurveBytes)) {
    return std::nullopt;
  }
  d.curves.resize(curves);
  for (DrawingCurve& c : d.curves) {
    if (!GetCurve(in, c, d.layers.size())) return std::nullopt;
  }
  if (!in.atEnd()) return std::nullopt;
  d.extent = CurvesExtent(d.curves);
  return r;
}
