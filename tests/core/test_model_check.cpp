// The model check: one model per finding, a clean one with none, and the
// region weighed against the output limit.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "Fixtures.h"
#include "core/mesh/ModelCheck.h"

namespace {

// "n x y" a node, "e a b" an element, "h x y" an internal node, "c x y x y
// ... ;" a closed contour; "inf" is infinity.
std::unique_ptr<Model> Build(const std::string& script) {
  auto m = NewProject();
  std::istringstream in(script);
  const auto number = [&] {
    std::string t;
    in >> t;
    return t == "inf" ? INFINITY : std::stof(t);
  };
  for (std::string op; in >> op;) {
    if (op == "n") {
      const float x = number();
      (void)AppendNode(*m, Node{x, number()});
    } else if (op == "h") {
      const float x = number();
      (void)AppendInternalNode(*m, InternalNode{x, number()});
    } else if (op == "e") {
      int32_t a = 0, b = 0;
      in >> a >> b;
      (void)AppendElement(*m, Element{a, b, 1, 1});
    } else if (op == "c") {
      const int32_t first = m->nodeCount + 1;
      for (std::string t; in >> t && t != ";";) (void)AppendNode(*m, Node{std::stof(t), number()});
      for (int32_t i = first; i <= m->nodeCount; ++i) {
        (void)AppendElement(*m, Element{i, i < m->nodeCount ? i + 1 : first, 1, 1});
      }
    }
  }
  return m;
}

// "kind n1,2 e3 h1" per finding, joined by "; ".
std::string Summary(const std::vector<Finding>& findings) {
  static const char* kinds[] = {"notfinite", "missing", "zero",     "double",    "crossing", "open",
                                "branch",    "outside", "inregion", "onelement", "toofine"};
  std::string s;
  const auto list = [&](char tag, const std::vector<int32_t>& v) {
    for (size_t i = 0; i < v.size(); ++i) s += (i ? "," : std::string(" ") + tag) + std::to_string(v[i]);
  };
  for (const Finding& f : findings) {
    if (!s.empty()) s += "; ";
    s += kinds[int(f.kind)];
    list('n', f.nodes);
    list('e', f.elements);
    list('h', f.internalNodes);
    EXPECT_FALSE(f.text.empty());
  }
  return s;
}

constexpr const char* kTriangle = "c 0 0 10 0 0 10 ; ";

TEST(ModelCheck, NamesWhatKeepsEachModelFromMeshing) {
  const struct {
    std::string model;
    double area;
    std::string found;
  } cases[] = {
      // A plate with a hole, its hole point inside the hole.
      {"c 0 0 10 0 10 10 0 10 ; c 3 3 7 3 7 7 3 7 ; h 5 5", 10, ""},
      {"c 0 0 inf 0 0 10 ; h 1 inf", 10, "notfinite n2; notfinite h1; open n1 e3; open n3 e3"},
      {std::string(kTriangle) + "e 1 9 e 0 2", 10, "missing e4; missing e5"},
      {std::string(kTriangle) + "e 1 1 n 0 0 e 1 4", 10, "zero n1,1 e4; zero n1,4 e5"},
      {"n 0 0 n 10 0 n 0 10 n 0 0 e 1 2 e 2 3 e 3 4", 10, "double n1,4; open n1 e1; open n4 e3"},
      {"c 0 0 10 10 10 0 0 10 ;", 10, "crossing e1,3"},
      {std::string(kTriangle) + "n 5 0 n 15 0 e 4 5", 10,
       "crossing e1,4; crossing e2,4; open n4 e4; open n5 e4"},
      {std::string(kTriangle) + "n 5 5 n 9 9 e 4 5", 10, "crossing e2,4; open n4 e4; open n5 e4"},
      {std::string(kTriangle) + "n -5 -5 e 1 4", 10, "open n4 e4; branch n1 e1,3,4"},
      {std::string(kTriangle) + "h 20 20 h 5 0 h 1 1 h 0 10", 10,
       "outside h1; inregion h3; onelement e1 h2; onelement e2 h4"},
      {kTriangle, 0.01, "toofine"},
      {kTriangle, 50.0 / 1998, ""},
      {"c 0 0 10 0 10 10 0 10 ; c 3 3 7 3 7 7 3 7 ; h 5 5", 84.0 / 2000, "toofine"},
      {"c 0 0 10 0 10 10 0 10 ; c 3 3 7 3 7 7 3 7 ; h 5 5", 84.0 / 1999, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Summary(CheckModel(*Build(c.model), c.area)), c.found) << c.model << " at " << c.area;
  }
}

TEST(ModelCheck, SaysHowTheyMeetAndWhatAreaWouldFit) {
  const auto texts = [](const std::string& model, double area) {
    std::string s;
    for (const Finding& f : CheckModel(*Build(model), area, ',')) s += f.text + "\n";
    return s;
  };
  EXPECT_EQ(texts("c 0 0 10 10 10 0 0 10 ; n 20 0 n 30 0 e 5 6 n 25 0 n 40 0 e 7 8 n 10 5 n 15 5 e 9 10", 10),
            "Elementy 1 i 3 przecinają się.\n"
            "Elementy 2 i 7 stykają się.\n"
            "Elementy 5 i 6 zachodzą na siebie.\n"
            "Węzeł 5 należy tylko do elementu 5: kontur nie jest zamknięty.\n"
            "Węzeł 6 należy tylko do elementu 5: kontur nie jest zamknięty.\n"
            "Węzeł 7 należy tylko do elementu 6: kontur nie jest zamknięty.\n"
            "Węzeł 8 należy tylko do elementu 6: kontur nie jest zamknięty.\n"
            "Węzeł 9 należy tylko do elementu 7: kontur nie jest zamknięty.\n"
            "Węzeł 10 należy tylko do elementu 7: kontur nie jest zamknięty.\n");
  // The suggested area is rounded up, so that it really fits.
  EXPECT_EQ(
      texts("c 0 0 10 0 10 10 0 10 ; c 3 3 7 3 7 7 3 7 ; h 5 5", 0.01),
      "Obszar o polu 84 przy polu trójkąta 0,01 wymaga ponad 1999 trójkątów; najmniejsze pole, które się "
      "zmieści: 0,04203.\n");
  EXPECT_LE(84 / 0.04203, 1999);
  // Fifty diameters meet in 1225 pairs: a thousand are named, the rest counted.
  auto star = NewProject();
  for (int i = 0; i < 100; ++i)
    (void)AppendNode(*star, Node{float(std::cos(i * M_PI / 50)), float(std::sin(i * M_PI / 50))});
  for (int i = 1; i <= 50; ++i) (void)AppendElement(*star, Element{i, i + 50, 1, 1});
  const std::vector<Finding> found = CheckModel(*star, 0);
  ASSERT_EQ(found.size(), 1001u + 100u);  // and every node an open end
  EXPECT_EQ(found[1000].text, "Spotyka się jeszcze 225 par elementów.");
  EXPECT_EQ(found[999].elements, std::vector<int32_t>({29, 35}));  // in the order of the pairs
}

}  // namespace
