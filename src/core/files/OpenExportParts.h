#pragma once
// What the open formats share inside the core's file writers: the mesh
// with its tags gathered once, the text buffer every format is built in,
// and the solution's arrays. The formats themselves are GmshExport.cpp
// (MSH 4.1 and 2.2) and VtuExport.cpp; OpenExport.cpp chooses among them.

#include <charconv>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/OpenExport.h"
#include "core/model/Model.h"
#include "core/parallel/ForkJoin.h"

struct SolveResult;

namespace openexport {

// One boundary edge as written: its nodes and the groups it belongs to
// (0 where the element named no existing condition or boundary).
struct TaggedEdge {
  int32_t node1 = 0;
  int32_t node2 = 0;
  int32_t element = 0;
  int32_t condition = 0;
  int32_t boundary = 0;
  double along = 0.0;  // where it starts along its element
};

struct Group {
  int32_t dimension = 0;
  int32_t tag = 0;
  std::string name;
};

// The mesh with its tags, gathered once for every format.
struct TaggedMesh {
  std::vector<TaggedEdge> edges;  // by element, in order along each element
  std::vector<Group> groups;      // the region, then conditions, then boundaries
  // The physical surfaces' tags, ascending: kRegionTag alone, or in a mesh
  // with materials kMaterialTagBase + each material that has triangles.
  std::vector<int32_t> surfaces{kRegionTag};
  bool materials = false;
  // The surface a triangle belongs to.
  int32_t surface(const MeshTriangle& t) const {
    return materials ? kMaterialTagBase + t.material : kRegionTag;
  }
};

TaggedMesh Gather(const Model& m);

// The file's text, built in one buffer and written at once.
class Text {
 public:
  explicit Text(size_t expected) { out_.reserve(expected); }
  Text& operator<<(std::string_view s) {
    out_.append(s);
    return *this;
  }
  Text& operator<<(char c) {
    out_.push_back(c);
    return *this;
  }
  Text& operator<<(int32_t v) { return number(v); }
  Text& operator<<(size_t v) { return number(v); }
  // The shortest decimal that reads back as exactly this value: readers
  // get the mesh's own doubles.
  Text& operator<<(double v) { return number(v); }
  // Rows first … last, each written by row(text, k): when there are many,
  // in chunks on several threads, each chunk but the first into its own
  // text, appended after in order.
  template <typename Row>
  Text& rows(int32_t first, int32_t last, const Row& row) {
    const size_t room = out_.capacity() - out_.size();
    const RangeSplit split(size_t(last - first + 1));
    std::vector<Text> later(split.chunks() - 1, Text(0));
    split.run([&](size_t chunk, size_t from, size_t to) {
      Text& out = chunk == 0 ? *this : later[chunk - 1];
      if (chunk != 0) out.out_.reserve(room / split.chunks());
      for (size_t k = from; k < to; ++k) row(out, first + int32_t(k));
    });
    for (const Text& part : later) out_.append(part.out_);
    return *this;
  }
  std::string take() { return std::move(out_); }

 private:
  template <typename T>
  Text& number(T v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    out_.append(buffer, r.ptr);
    return *this;
  }
  std::string out_;
};

// One array of a solution: its name, components, and the value of a node
// or triangle (numbered from 1) in a component.
struct SolutionArray {
  std::string_view name;
  int32_t components = 1;
  std::function<double(int32_t, int32_t)> value;
};

std::vector<SolutionArray> NodeArrays(const SolveResult& s);
std::vector<SolutionArray> TriangleArrays(const SolveResult& s);

inline void Point(Text& t, const MeshNode& n) {
  t << n.x << ' ' << n.y << " 0";
}

// A file begun: the mesh's part written, the rest to come.
struct BegunExport {
  // With room for a solution's arrays when one is to come.
  BegunExport(const Model& model, OpenFormat format, bool solution);
  const Model& m;
  OpenFormat format;
  TaggedMesh mesh;
  Text text;
};

// Each format's text in two parts: the mesh's, then the solution's (where
// the format holds one) and the end.
void Msh41(BegunExport& d);
void Msh41Solution(BegunExport& d, const SolveResult* solution);
void Msh22(BegunExport& d);
void Vtu(BegunExport& d);
void VtuEnd(BegunExport& d, const SolveResult* solution);

}  // namespace openexport
