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

std::string Msh41(const Model& m, const TaggedMesh& mesh, const SolveResult* solution);
std::string Msh22(const Model& m, const TaggedMesh& mesh);
std::string Vtu(const Model& m, const TaggedMesh& mesh, const SolveResult* solution);

}  // namespace openexport
