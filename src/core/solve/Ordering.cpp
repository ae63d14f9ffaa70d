#include "core/solve/Ordering.h"

#include <algorithm>
#include <numeric>

#include "core/parallel/ForkJoin.h"

namespace solver {

Adjacency Neighbours(int32_t nodeCount, const std::vector<TriangleShape>& shapes) {
  // Every triangle names each corner's two others, in one pass over the
  // triangles; each node's names are then sorted and made unique.
  std::vector<int64_t> first(size_t(nodeCount) + 2, 0);
  for (size_t t = 1; t < shapes.size(); ++t) {
    for (int32_t n : shapes[t].nodes) first[size_t(n) + 1] += 2;
  }
  for (size_t n = 1; n < first.size(); ++n) first[n] += first[n - 1];
  std::vector<int32_t> named(size_t(first.back()));
  {
    std::vector<int64_t> next(first.begin(), first.end() - 1);
    for (size_t t = 1; t < shapes.size(); ++t) {
      const auto& c = shapes[t].nodes;
      for (size_t i = 0; i < 3; ++i) {
        int64_t& at = next[size_t(c[i])];
        named[size_t(at++)] = c[(i + 1) % 3];
        named[size_t(at++)] = c[(i + 2) % 3];
      }
    }
  }
  // Sorted in place, then counted, then copied: each distinct name and the
  // node itself.
  const auto each = [&](int32_t n, const auto& take) {
    const int32_t* around = named.data() + first[size_t(n)];
    const int32_t* aroundEnd = named.data() + first[size_t(n) + 1];
    if (around == aroundEnd) return;
    bool self = false;
    for (const int32_t* i = around; i != aroundEnd; ++i) {
      if (i != around && *i == i[-1]) continue;
      if (!self && *i > n) take(n), self = true;
      take(*i);
    }
    if (!self) take(n);
  };
  Adjacency a;
  a.start.assign(size_t(nodeCount) + 2, 0);
  ForkJoin(size_t(nodeCount) + 1, [&](size_t from, size_t to) {
    for (auto n = int32_t(from); n < int32_t(to); ++n) {
      std::sort(named.data() + first[size_t(n)], named.data() + first[size_t(n) + 1]);
      int64_t count = 0;
      each(n, [&](int32_t) { ++count; });
      a.start[size_t(n) + 1] = count;
    }
  });
  for (size_t n = 1; n < a.start.size(); ++n) a.start[n] += a.start[n - 1];
  a.nodes.resize(size_t(a.start.back()));
  ForkJoin(size_t(nodeCount) + 1, [&](size_t from, size_t to) {
    for (auto n = int32_t(from); n < int32_t(to); ++n) {
      int32_t* out = a.nodes.data() + a.start[size_t(n)];
      each(n, [&](int32_t k) { *out++ = k; });
    }
  });
  return a;
}

namespace {

// Nested dissection by coordinates: the nodes of a range are cut across the
// longer side of their box at the median; the fewest nodes that cover every
// edge across the cut separate the halves and go last, after the two halves
// ordered the same way. On a plane mesh this order takes about half the
// operations of a minimum-degree one (AMD) to factorise, and costs less to
// find.
class Dissection {
 public:
  // mesh[n] is node n.
  Dissection(const MeshTable<MeshNode>::View& mesh, const Adjacency& adjacency)
      : mesh_(mesh),
        adjacency_(adjacency),
        side_(adjacency.start.size(), 0),
        place_(adjacency.start.size(), 0) {}

  // The two halves of [begin, end) after its cut, to be ordered in turn;
  // the separator follows the second.
  struct Cut {
    int32_t* first;
    int32_t* second;
    int32_t* separator;
  };

  // Orders [begin, end), the two halves of its first cut on two threads
  // when `apart`. Returns the sizes of those two halves (none when it was
  // ordered on one thread). The order is the same either way.
  std::array<ptrdiff_t, 2> orderAll(int32_t* begin, int32_t* end, bool apart) {
    if (!apart) {
      order(begin, end);
      return {0, 0};
    }
    const Cut c = cut(begin, end);
    Dissection other(mesh_, adjacency_);
    RunTogether(
        2, [&] { other.order(c.first, c.second); }, [&] { order(c.second, c.separator); });
    return {c.second - c.first, c.separator - c.second};
  }

  void order(int32_t* begin, int32_t* end) {
    constexpr ptrdiff_t kSmall = 8;  // a block this small fills little whatever its order
    if (end - begin <= kSmall) return;
    const Cut c = cut(begin, end);
    order(c.first, c.second);
    order(c.second, c.separator);
  }

 private:
  struct Placed {
    double x, y;
    int32_t node;
  };

  Cut cut(int32_t* begin, int32_t* end) {
    const size_t count = size_t(end - begin);
    placed_.resize(count);
    double x0 = mesh_[*begin].x, x1 = x0, y0 = mesh_[*begin].y, y1 = y0;
    for (size_t i = 0; i < count; ++i) {
      const MeshNode& p = mesh_[begin[i]];
      placed_[i] = {p.x, p.y, begin[i]};
      x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    const auto middle = placed_.begin() + ptrdiff_t(count / 2);
    const auto by = [](double Placed::*along) {
      return [along](const Placed& a, const Placed& b) {
        return a.*along < b.*along || (a.*along == b.*along && a.node < b.node);
      };
    };
    if (x1 - x0 >= y1 - y0) {
      std::nth_element(placed_.begin(), middle, placed_.end(), by(&Placed::x));
    } else {
      std::nth_element(placed_.begin(), middle, placed_.end(), by(&Placed::y));
    }
    stamp_ += 2;  // stamp_ - 1 marks the low half, stamp_ the high one
    for (size_t i = 0; i < count; ++i) {
      begin[i] = placed_[i].node;
      side_[size_t(begin[i])] = i < count / 2 ? stamp_ - 1 : stamp_;
    }
    // The nodes of each half that touch the other: the edges between them
    // are cut. The separator is the fewest nodes that cover every cut edge,
    // a minimum vertex cover of those edges (from a maximum matching). It is
    // never larger than either side's touching nodes, and on an irregular
    // mesh much smaller; the factorisation pays for its size cubed.
    const int32_t low = stamp_ - 1, high = stamp_;
    lows_.clear(), highs_.clear();
    for (size_t i = 0; i < count; ++i) {
      const int32_t n = begin[i];
      const int32_t other = i < count / 2 ? high : low;
      place_[size_t(n)] = -1;  // touches nothing across the cut
      for (int64_t k = adjacency_.start[size_t(n)]; k < adjacency_.start[size_t(n) + 1]; ++k) {
        if (side_[size_t(adjacency_.nodes[size_t(k)])] == other) {
          std::vector<int32_t>& touching = i < count / 2 ? lows_ : highs_;
          place_[size_t(n)] = int32_t(touching.size());
          touching.push_back(n);
          break;
        }
      }
    }
    coverCutEdges();
    // [low | high] becomes [low rest | high rest | separator].
    separator_.clear();
    int32_t* kept = begin;
    int32_t* second = begin;
    for (size_t i = 0; i < count; ++i) {
      if (i == count / 2) second = kept;
      const int32_t n = begin[i], at = place_[size_t(n)];
      if (at >= 0 && (i < count / 2 ? lowCovered_ : highCovered_)[size_t(at)]) {
        separator_.push_back(n);
      } else {
        *kept++ = n;
      }
    }
    std::copy(separator_.begin(), separator_.end(), kept);
    return {begin, second, kept};
  }

  // Marks in lowCovered_ and highCovered_ a minimum vertex cover of the
  // edges between lows_ and highs_ (König: from a maximum matching, the
  // low nodes not reachable from an unmatched low node by alternating
  // paths, and the high nodes that are).
  void coverCutEdges() {
    const int32_t high = stamp_;
    const auto eachHigh = [&](int32_t lowNode, const auto& take) {
      for (int64_t k = adjacency_.start[size_t(lowNode)]; k < adjacency_.start[size_t(lowNode) + 1]; ++k) {
        const int32_t n = adjacency_.nodes[size_t(k)];
        if (side_[size_t(n)] == high && take(place_[size_t(n)])) return;
      }
    };
    const size_t lows = lows_.size(), highs = highs_.size();
    lowMate_.assign(lows, -1), highMate_.assign(highs, -1);
    for (size_t l = 0; l < lows; ++l) {  // a greedy matching first
      eachHigh(lows_[l], [&](int32_t h) {
        if (highMate_[size_t(h)] >= 0) return false;
        highMate_[size_t(h)] = int32_t(l), lowMate_[l] = h;
        return true;
      });
    }
    // Then augmenting paths from each unmatched low node, depth first.
    seen_.assign(highs, -1);
    for (size_t start = 0; start < lows; ++start) {
      if (lowMate_[start] >= 0) continue;
      path_.assign(1, {int32_t(start), -1});
      while (!path_.empty()) {
        const int32_t l = path_.back().low;
        int32_t next = -1;
        eachHigh(lows_[size_t(l)], [&](int32_t h) {
          if (seen_[size_t(h)] == int32_t(start)) return false;
          seen_[size_t(h)] = int32_t(start);
          next = h;
          return true;
        });
        if (next < 0) {
          path_.pop_back();
          continue;
        }
        path_.back().high = next;
        if (highMate_[size_t(next)] < 0) {  // free: flip the path
          for (const Step& step : path_)
            lowMate_[size_t(step.low)] = step.high, highMate_[size_t(step.high)] = step.low;
          break;
        }
        path_.push_back({highMate_[size_t(next)], -1});
      }
    }
    // Alternating reach from the unmatched low nodes.
    lowCovered_.assign(lows, true), highCovered_.assign(highs, false);
    queue_.clear();
    for (size_t l = 0; l < lows; ++l) {
      if (lowMate_[l] < 0) lowCovered_[l] = false, queue_.push_back(int32_t(l));
    }
    for (size_t q = 0; q < queue_.size(); ++q) {
      eachHigh(lows_[size_t(queue_[q])], [&](int32_t h) {
        if (highCovered_[size_t(h)]) return false;
        highCovered_[size_t(h)] = true;
        const int32_t mate = highMate_[size_t(h)];
        if (mate >= 0 && lowCovered_[size_t(mate)]) lowCovered_[size_t(mate)] = false, queue_.push_back(mate);
        return false;
      });
    }
  }

  MeshTable<MeshNode>::View mesh_;
  const Adjacency& adjacency_;
  std::vector<int32_t> side_;  // which half of the current cut a node is in
  int32_t stamp_ = 0;
  std::vector<Placed> placed_;  // the range being cut, with coordinates
  // The cut's touching nodes on each side; place_[n] is n's index there,
  // -1 for a node of the range that touches nothing across the cut.
  std::vector<int32_t> lows_, highs_, place_;
  std::vector<int32_t> lowMate_, highMate_, seen_, queue_;
  struct Step {
    int32_t low, high;
  };
  std::vector<Step> path_;
  std::vector<bool> lowCovered_, highCovered_;
  std::vector<int32_t> separator_;
};

}  // namespace

std::array<ptrdiff_t, 2> OrderByDissection(const MeshTable<MeshNode>::View& mesh, const Adjacency& adjacency,
                                           int32_t* begin, int32_t* end, bool apart) {
  return Dissection(mesh, adjacency).orderAll(begin, end, apart);
}

}  // namespace solver
