#include "core/mesh/MeshProtocol.h"

#include <cmath>
#include <cstring>

#include "core/files/CNumbers.h"
#include "core/model/Model.h"

namespace {

constexpr uint32_t kRequestMagic = 0x314d4b56;  // "VKM1"
constexpr uint32_t kReplyMagic = 0x314d5256;    // "VRM1"

template <typename T>
void Put(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
void PutAll(std::string& out, const std::vector<T>& values) {
  if (values.empty()) return;  // data() may be null
  out.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
}

class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

  template <typename T>
  bool get(T& value) {
    if (bytes_.size() - pos_ < sizeof value) return false;
    std::memcpy(&value, bytes_.data() + pos_, sizeof value);
    pos_ += sizeof value;
    return true;
  }

  template <typename T>
  bool getAll(std::vector<T>& values, size_t count) {
    if ((bytes_.size() - pos_) / sizeof(T) < count) return false;
    values.resize(count);
    if (count == 0) return true;
    std::memcpy(values.data(), bytes_.data() + pos_, count * sizeof(T));
    pos_ += count * sizeof(T);
    return true;
  }

  bool atEnd() const { return pos_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

bool AllFinite(const std::vector<double>& values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool CountIn(int32_t count, int32_t max) {
  return count >= 0 && count <= max;
}

}  // namespace

size_t MaxReplyBytes() {
  return sizeof(uint32_t) + 3 * sizeof(int32_t) + 2 * sizeof(double) * kMaxMeshNodes +
         3 * sizeof(int32_t) * kMaxMeshTriangles + 3 * sizeof(int32_t) * kMaxReplySegments;
}

bool ReplyWithinLimits(const MeshReply& reply) {
  return CountIn(reply.pointCount, kMaxMeshNodes) && CountIn(reply.triangleCount, kMaxMeshTriangles);
}

std::string EncodeRequest(const MeshRequest& r) {
  std::string out;
  Put(out, kRequestMagic);
  Put(out, r.area);
  Put(out, static_cast<int32_t>(r.points.size() / 2));
  PutAll(out, r.points);
  Put(out, static_cast<int32_t>(r.segments.size() / 2));
  PutAll(out, r.segments);
  PutAll(out, r.markers);
  Put(out, static_cast<int32_t>(r.holes.size() / 2));
  PutAll(out, r.holes);
  return out;
}

std::optional<MeshRequest> DecodeRequest(std::string_view bytes) {
  Cursor in(bytes);
  MeshRequest r;
  uint32_t magic = 0;
  int32_t points = 0, segments = 0, holes = 0;
  if (!in.get(magic) || magic != kRequestMagic || !in.get(r.area)) return std::nullopt;
  if (!in.get(points) || !CountIn(points, kMaxNodes) || !in.getAll(r.points, 2 * size_t(points))) {
    return std::nullopt;
  }
  if (!in.get(segments) || !CountIn(segments, kMaxElements) || !in.getAll(r.segments, 2 * size_t(segments)) ||
      !in.getAll(r.markers, size_t(segments))) {
    return std::nullopt;
  }
  if (!in.get(holes) || !CountIn(holes, kMaxInternalNodes) || !in.getAll(r.holes, 2 * size_t(holes))) {
    return std::nullopt;
  }
  if (!in.atEnd() || !std::isfinite(r.area) || !AllFinite(r.points) || !AllFinite(r.holes)) {
    return std::nullopt;
  }
  for (int32_t corner : r.segments) {
    if (corner < 1 || corner > points) return std::nullopt;
  }
  for (int32_t marker : r.markers) {
    if (marker < 1 || marker > kMaxElements) return std::nullopt;
  }
  return r;
}

std::string EncodeReply(const MeshReply& r) {
  std::string out;
  Put(out, kReplyMagic);
  Put(out, r.pointCount);
  Put(out, r.triangleCount);
  if (ReplyWithinLimits(r)) {
    PutAll(out, r.points);
    PutAll(out, r.triangles);
    Put(out, static_cast<int32_t>(r.segments.size() / 2));
    PutAll(out, r.segments);
    PutAll(out, r.markers);
  }
  return out;
}

std::optional<MeshReply> DecodeReply(std::string_view bytes) {
  Cursor in(bytes);
  MeshReply r;
  uint32_t magic = 0;
  if (!in.get(magic) || magic != kReplyMagic || !in.get(r.pointCount) || !in.get(r.triangleCount)) {
    return std::nullopt;
  }
  if (r.pointCount < 0 || r.triangleCount < 0) return std::nullopt;
  if (ReplyWithinLimits(r)) {
    if (!in.getAll(r.points, 2 * size_t(r.pointCount)) ||
        !in.getAll(r.triangles, 3 * size_t(r.triangleCount))) {
      return std::nullopt;
    }
    int32_t segments = 0;
    if (!in.get(segments) || !CountIn(segments, kMaxReplySegments) ||
        !in.getAll(r.segments, 2 * size_t(segments)) || !in.getAll(r.markers, size_t(segments))) {
      return std::nullopt;
    }
    if (!AllFinite(r.points)) return std::nullopt;
    for (const std::vector<int32_t>* corners : {&r.triangles, &r.segments}) {
      for (int32_t corner : *corners) {
        if (corner < 1 || corner > r.pointCount) return std::nullopt;
      }
    }
    for (int32_t marker : r.markers) {
      if (marker < 1 || marker > kMaxElements) return std::nullopt;
    }
  }
  if (!in.atEnd()) return std::nullopt;
  return r;
}

std::string MeshSwitches(double area) {
  std::string s = "Qpqa";
  AppendFixed(s, area, 6);
  s += "/0";
  return s;
}
