#pragma once
// The model check's checker, its work split by what it looks at: the
// boundary's geometry (ModelCheckBoundary.cpp), and the mesher's answer,
// the area and the ranking of what was found (ModelCheck.cpp). Only those
// files include this.

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/mesh/ModelCheck.h"
#include "core/mesh/PlaneGeometry.h"

namespace model_check {

using plane::Inside;
using plane::InsideSegment;
using plane::OnSegment;
using plane::Orient;
using plane::P;
using plane::Sign;

// "1, 2 i 3": in increasing order, each once; past twelve, the first twelve
// and a count of the rest.
std::string List(std::vector<int32_t> numbers);
// A count or a number with its thousands apart.
std::string N(int32_t number);

// The model seen as the mesher sees it: nodes on one point are one vertex
// (numbered by the first of them), elements of length zero join nothing,
// and an end lying inside another element is joined to it.
class Checker {
 public:
  Checker(const Model& m, double maxArea, char decimalPoint, const MesherOptions* mesher,
          const MeshTrial* seen)
      : m_(m), maxArea_(maxArea), point_(decimalPoint), mesher_(mesher) {
    if (seen != nullptr) trial_ = *seen;
  }

  std::vector<Finding> run();

 private:
  void add(FindingKind kind, std::vector<int32_t> nodes, std::vector<int32_t> elements,
           std::vector<int32_t> internal, std::string text) {
    out_[size_t(kind)].push_back(
        {kind, Severity::Note, std::move(nodes), std::move(elements), std::move(internal), std::move(text)});
  }

  P node(int32_t i) const { return {m_.NodeTable[i].x, m_.NodeTable[i].y}; }
  P start(int32_t e) const { return node(m_.ElementTable[e].startNode); }
  P end(int32_t e) const { return node(m_.ElementTable[e].endNode); }
  int32_t from(int32_t e) const { return vertex_[m_.ElementTable[e].startNode]; }
  int32_t to(int32_t e) const { return vertex_[m_.ElementTable[e].endNode]; }

  // The boundary as the mesher will see it (ModelCheckBoundary.cpp).
  void points();
  // Every node on one or two points: no region, and nothing the mesher takes.
  void fewPoints();
  // Elements with both ends known and finite, and apart, take part in the
  // geometry; each vertex gets the list of such elements that reach it. An
  // element with an end that is not known still reaches its other end, so
  // that end is not taken for an open one.
  void elements();
  void doubleNodes();
  // Pairs of elements that meet anywhere but in a shared end; two that lie
  // along one line and share more than a point overlap. An end lying inside
  // the other element joins it there, as the mesher splits the element.
  void crossings();
  const char* meeting(int32_t e, int32_t f) const;
  // Open ends and branches, counted on the vertices. A chain with two open
  // ends is one unclosed contour, and the element that would close it is
  // named.
  void ends();
  // Each node's connected part of the drawing (from 1; 0 for a node no
  // element uses), and how many parts there are.
  std::pair<std::vector<int32_t>, int32_t> connectedParts() const;
  // What to say of a part open at exactly two ends, a and b.
  std::string openContourText(int32_t a, int32_t b, int32_t id, const std::vector<int32_t>& part,
                              const std::vector<std::vector<std::pair<int32_t, int32_t>>>& openIn) const;
  // Whether an element from b to a closes the chain they end: not when one
  // joins them already, nor when the whole chain lies on one line, as the
  // element would run along it.
  bool closesAlong(int32_t a, int32_t b, int32_t id, const std::vector<int32_t>& part) const;
  // The nearest pair of one of `ends` and an open end of another chain,
  // as (end, other); (0, 0) when no other chain is open.
  std::pair<int32_t, int32_t> nearestOpen(
      std::array<int32_t, 2> ends, size_t id,
      const std::vector<std::vector<std::pair<int32_t, int32_t>>>& openIn) const;
  // Closed contours: connected elements whose every vertex has two of them.
  void contours();
  void holes();
  // Region points: in a hole, outside every contour, or at odds with
  // another in the same region (ModelCheckRegions.cpp).
  void regions();
  // The traces of the plane graph the elements make, each as its edges and
  // its signed area: counter-clockwise ones bound a face, and the smallest
  // face around a point is the region it is in; clockwise ones are the
  // outline of a group of connected elements.
  struct Face {
    std::vector<std::pair<P, P>> edges;
    double area = 0;
  };
  std::vector<Face> faces() const;
  int32_t faceOf(const std::vector<Face>& faces, P q) const;

  // The mesher, the area and the ranking (ModelCheck.cpp).
  // What the mesher makes of the model at the area asked for.
  void tryMesh();
  void tooFine();
  // Errors and notes. What always stops the mesh is an error. What may stop
  // it (an open contour, a hole point that eats the region, crossing
  // elements) is one only when the mesher made no triangle, or when nothing
  // is known of it; crossings then only when nothing else explains it.
  std::vector<Finding> ranked();

  const Model& m_;
  double maxArea_;
  char point_;
  const MesherOptions* mesher_;
  std::optional<MeshTrial> trial_;
  std::vector<bool> finite_, usable_, used_;
  std::vector<int32_t> vertex_;  // per node: the first node on its point
  std::vector<int32_t> joins_;   // per vertex: joins that are not usable elements
  std::vector<std::vector<int32_t>> uses_;
  std::map<int32_t, std::vector<int32_t>> zeroBetween_;  // per vertex: elements between its nodes
  std::vector<std::vector<std::pair<P, P>>> contours_;
  std::array<std::vector<Finding>, size_t(FindingKind::RegionsDiffer) + 1> out_;  // by kind
};

}  // namespace model_check
