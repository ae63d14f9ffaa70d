#pragma once
// Models the core suites build on.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "TestData.h"
#include "core/model/Model.h"

inline std::unique_ptr<Model> NewProject() {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  return m;
}

// A closed contour through the given points, joined in order.
inline void AddContour(Model& m, std::initializer_list<Node> nodes) {
  const int32_t first = m.nodeCount + 1;
  for (const Node& n : nodes) ASSERT_NE(AppendNode(m, n), 0);
  for (int32_t i = first; i <= m.nodeCount; ++i) {
    ASSERT_NE(AppendElement(m, Element{i, i < m.nodeCount ? i + 1 : first, 1, 1}), 0);
  }
}

// The closed triangle (0, 0), (10, 0), (0, 10) of a new project.
inline std::unique_ptr<Model> TriangleProject() {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  return m;
}
