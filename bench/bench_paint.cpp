// One full repaint of a full-capacity model on a 1280 by 800 surface: the
// scene built and painted, against a bare QPainter loop drawing the same
// primitives straight from the model's arrays. Then, in the real window,
// one mouse move of the polyline tool (event to painted rubber band)
// against one full repaint of the window, the opening of the mesh list, and
// the start-up of the main window against a bare one. Then a mesh of about
// a million triangles on a 1280 by 800 canvas: a full repaint, one zoomed
// to a hundredth of the region, the edge list a new mesh needs, the mesh
// list and the statistics window opening. Then a solution on that mesh
// (a smooth field made up for it): the colour map repainted whole and
// zoomed, with the isolines, the mesh repaint beside them, the index the
// cursor's read-out builds once, and one read-out.
// Run as docs/benchmarks.md says, with QT_QPA_PLATFORM=offscreen and
// --benchmark_repetitions=15 --benchmark_report_aggregates_only=true.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <memory>

#include "core/field/SolutionPicture.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/MeshDriver.h"
#include "core/solve/Solver.h"
#include "core/state/AppState.h"
#include "core/view/MeshRaster.h"
#include "core/view/Scene.h"
#include "front/app/MainWindow.h"
#include "front/commands/Commands.h"
#include "front/lists/ListWindows.h"
#include "front/ui/FormDialog.h"
#include "front/ui/Prompter.h"
#include "front/view/Canvas.h"
#include "front/view/ScenePainter.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

struct Fixture {
  std::unique_ptr<Model> model = std::make_unique<Model>();
  ViewTransform view;
  DisplaySettings display;
  QImage image{kWidth, kHeight, QImage::Format_RGB32};
  QFont font = ProgramFont();

  Fixture() {
    Model& m = *model;
    ResetModelData(m);
    for (int i = 0; i < kMaxNodes; ++i) {
      const double a = 2 * M_PI * i / kMaxNodes;
      (void)AppendNode(m, Node{float(25 + 20 * std::cos(a)), float(25 + 20 * std::sin(a))});
    }
    for (int i = 1; i <= kMaxElements; ++i) {
      (void)AppendElement(m, Element{(i - 1) % kMaxNodes + 1, (i * 37) % kMaxNodes + 1, 1, 1});
    }
    for (int i = 0; i < kMaxInternalNodes; ++i) {
      (void)AppendInternalNode(m, InternalNode{float(10 + (i % 10) * 3), float(10 + (i / 10) * 3)});
    }
    // A structured mesh of 999 nodes (27 by 37) and 1999 triangles.
    m.meshNodeCount = kMaxMeshNodes;
    for (int i = 0; i < kMaxMeshNodes; ++i) {
      m.MeshNodeTable[i + 1] = MeshNode{float(5 + (i % 27) * 1.5), float(5 + (i / 27) * 1.1)};
    }
    m.meshTriangleCount = kMaxMeshTriangles;
    for (int t = 0; t < kMaxMeshTriangles; ++t) {
      const int cell = (t / 2) % (26 * 36), col = cell % 26, row = cell / 26;  // 936 cells, some twice
      const int a = row * 27 + col + 1, b = a + 1, c = a + 27, d = c + 1;
      m.MeshTriangleTable[t + 1] = t % 2 == 0 ? MeshTriangle{a, b, d} : MeshTriangle{a, d, c};
    }
    display.showNodeNumbers = 1;
    display.showElementNumbers = 1;
    // The finest square grid that still stays under the dot limit.
    Scene probe;
    float lo = 0.1f, hi = 5.0f;
    for (int i = 0; i < 40; ++i) {
      const float mid = (lo + hi) / 2;
      ViewTransform v;
      v.gridDx = v.gridDy = mid;
      BuildScene(m, v, display, true, kWidth, kHeight, probe);
      (v.gridShown == 1 ? hi : lo) = mid;
    }
    view.gridDx = view.gridDy = hi;
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_SceneRepaint(benchmark::State& state) {
  Fixture& f = Shared();
  Scene scene;
  NumberCache numbers;  // kept between repaints, as the canvas keeps it
  for (auto _ : state) {
    ViewTransform view = f.view;
    BuildScene(*f.model, view, f.display, true, kWidth, kHeight, scene);
    QPainter painter(&f.image);
    PaintScene(painter, scene.items, f.font, numbers);
  }
  state.counters["primitives"] = double(scene.items.size());
  state.counters["dots"] = scene.gridDots;
}
BENCHMARK(BM_SceneRepaint)->Unit(benchmark::kMicrosecond);

void BM_SceneBuildOnly(benchmark::State& state) {
  Fixture& f = Shared();
  Scene scene;
  for (auto _ : state) {
    ViewTransform view = f.view;
    BuildScene(*f.model, view, f.display, true, kWidth, kHeight, scene);
    benchmark::DoNotOptimize(scene.items.data());
  }
}
BENCHMARK(BM_SceneBuildOnly)->Unit(benchmark::kMicrosecond);

// The same picture with no scene: transform and draw in one pass.
void BM_BareLoop(benchmark::State& state) {
  Fixture& f = Shared();
  const Model& m = *f.model;
  for (auto _ : state) {
    ViewTransform view = f.view;
    ComputeScale(view, kWidth, kHeight);
    const double s = view.scale, x0 = view.viewXMin, y0 = view.viewYMin;
    const double base = kHeight - view.marginBottom, left = view.marginLeft;
    const auto px = [&](double x) { return int(left + (x - x0) * s); };
    const auto py = [&](double y) { return int(base - (y - y0) * s); };
    QPainter p(&f.image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(f.font);
    const QFontMetrics metrics(f.font);
    p.fillRect(0, 0, kWidth, kHeight, Qt::white);
    const QColor grey(128, 128, 128), maroon(128, 0, 0), blue(0, 0, 255), green(0, 128, 0);
    const float xBound = float((kWidth / kHeight) + 1.5) * view.viewXMax;
    const float yBound = float((kHeight / kWidth) + 1) * view.viewYMax;
    for (float x = view.viewXMin; x <= xBound; x += view.gridDx) {
      for (float y = view.viewYMin; y <= yBound; y += view.gridDy) {
        p.fillRect(int(left + (x - x0) * s - 1), int(base - (y - y0) * s - 1), 2, 2, grey);
      }
    }
    p.setPen(maroon);
    p.setBrush(maroon);
    for (int i = 1; i <= m.nodeCount; ++i) {
      p.drawEllipse(QRect(px(m.NodeTable[i].x) - 3, py(m.NodeTable[i].y) - 3, 5, 5));
    }
    const auto number = [&](int n, int x, int y, const QColor& colour) {
      const QString text = QString::number(n);
      p.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), Qt::white);
      p.setPen(colour);
      p.drawText(x, y + metrics.ascent(), text);
    };
    for (int i = 1; i <= m.nodeCount; ++i) number(i, px(m.NodeTable[i].x), py(m.NodeTable[i].y), maroon);
    for (int e = 1; e <= m.elementCount; ++e) {
      const Node& a = m.NodeTable[m.ElementTable[e].startNode];
      const Node& b = m.NodeTable[m.ElementTable[e].endNode];
      number(e, px((double(a.x) + b.x) * 0.5), py((double(a.y) + b.y) * 0.5), blue);
    }
    p.setPen(QPen(blue, 2));
    for (int e = 1; e <= m.elementCount; ++e) {
      const Node& a = m.NodeTable[m.ElementTable[e].startNode];
      const Node& b = m.NodeTable[m.ElementTable[e].endNode];
      p.drawLine(px(a.x), py(a.y), px(b.x), py(b.y));
    }
    p.setPen(QPen(green, 1));
    p.setBrush(Qt::white);
    for (int i = 1; i <= m.internalNodeCount; ++i) {
      p.drawEllipse(QRect(px(m.InternalNodeTable[i].x) - 3, py(m.InternalNodeTable[i].y) - 3, 5, 5));
    }
    p.setPen(QPen(Qt::black, 1));
    for (int t = 1; t <= m.meshTriangleCount; ++t) {
      const MeshTriangle& c = m.MeshTriangleTable[t];
      const QPoint a(px(SinglePrecision(m.MeshNodeTable[c.corner1].x)),
                     py(SinglePrecision(m.MeshNodeTable[c.corner1].y)));
      const QPoint b(px(SinglePrecision(m.MeshNodeTable[c.corner2].x)),
                     py(SinglePrecision(m.MeshNodeTable[c.corner2].y)));
      const QPoint d(px(SinglePrecision(m.MeshNodeTable[c.corner3].x)),
                     py(SinglePrecision(m.MeshNodeTable[c.corner3].y)));
      p.drawLine(a, b);
      p.drawLine(b, d);
      p.drawLine(d, a);
    }
  }
}
BENCHMARK(BM_BareLoop)->Unit(benchmark::kMicrosecond);

// The real window holding the same model, with the polyline tool started.
struct WindowFixture {
  MainWindow window;
  WindowFixture() {
    Fixture& f = Shared();
    AppState& s = window.state();
    s.model = *f.model;
    s.display = f.display;
    s.view = f.view;
    window.resize(kWidth, kHeight + 30);
    window.show();
    QApplication::processEvents();
    window.commands().contours().startPolyline();
    s.edit.PolylineStarted = 1;
  }
};

WindowFixture& SharedWindow() {
  static WindowFixture w;
  return w;
}

void Move(Canvas& canvas, QPoint to) {
  QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas.mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&canvas, &move);
  QApplication::processEvents();
}

void BM_WindowFullRepaint(benchmark::State& state) {
  Canvas& canvas = SharedWindow().window.canvas();
  for (auto _ : state) {
    canvas.invalidateScene();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WindowFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_RubberBandMove(benchmark::State& state) {
  Canvas& canvas = SharedWindow().window.canvas();
  bool flip = false;
  for (auto _ : state) {
    Move(canvas, flip ? QPoint(700, 300) : QPoint(720, 330));
    flip = !flip;
  }
  state.counters["band"] = SharedWindow().window.state().edit.rubberBand.drawn;
}
BENCHMARK(BM_RubberBandMove)->Unit(benchmark::kMicrosecond);

// The mesh list of a full mesh (999 nodes, 1999 triangles: about 3 000
// lines), from the command to the painted window.
struct PaintingPrompter : Prompter {
  void message(const QString&, const QString&, MessageIcon) override {}
  bool ask(const QString&, const QString&) override { return false; }
  std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> openFileName(const FileDialogOptions&) override { return {}; }
  std::optional<QString> saveFileName(const FileDialogOptions&) override { return {}; }
  int showDialog(QDialog& dialog) override {
    dialog.show();
    QApplication::processEvents();
    dialog.repaint();
    dialog.hide();
    return QDialog::Accepted;
  }
  // Keeps the window painting, as the program's own does before it shows.
  std::unique_ptr<Progress> progress(const QString&, const QString&) override {
    struct Painting : Progress {
      void pump() override { QApplication::processEvents(); }
      bool cancelled() const override { return false; }
      bool finish() override { return false; }
    };
    return std::make_unique<Painting>();
  }
};

void BM_MeshListOpen(benchmark::State& state) {
  static PaintingPrompter prompter;
  static MainWindow window(&prompter);
  window.state().model = *Shared().model;
  for (auto _ : state) window.commands().lists().listMesh();
  state.counters["lines"] = double(window.commands().lists().meshList().lines().size());
}
BENCHMARK(BM_MeshListOpen)->Unit(benchmark::kMillisecond);

// "Rozwiąż" in the window on the example plate with a hole, heated on the
// left and cooled on the right, at its finest mesh under 1999 triangles:
// from the command to the message, the solution kept.
void BM_SolveCommand(benchmark::State& state) {
  static PaintingPrompter prompter;
  static MainWindow window(&prompter);
  Model& m = window.state().model;
  if (!LoadProjectFile(EXAMPLES_DIR "/plyta-z-otworem.vdk", m).ok) return state.SkipWithError("no example");
  // Its left side held at 100 °C, its right side convecting to 20 °C.
  m.ElementTable[4].bcNumber = AppendCondition(m, BoundaryCondition{1, 100});
  m.ElementTable[2].bcNumber = AppendCondition(m, BoundaryCondition{3, 10, 20});
  m.Conductivity = 45.0f;
  MesherOptions options;
  options.helperPath = MESHER_PATH;
  double lo = 1e-4, hi = 1e4;
  for (int i = 0; i < 40; ++i) {
    const double mid = std::sqrt(lo * hi);
    const bool fits = GenerateMesh(m, mid, options) == MeshOutcome::Success && m.meshTriangleCount < 1999;
    (fits ? hi : lo) = mid;
  }
  if (GenerateMesh(m, hi, options) != MeshOutcome::Success) return state.SkipWithError("no mesh");
  for (auto _ : state) {
    window.state().solution.reset();
    window.commands().run(&SolveCommands::solve);
  }
  if (!window.state().solution) state.SkipWithError(Solve(m).refusal.c_str());
  state.counters["triangles"] = m.meshTriangleCount;
}
BENCHMARK(BM_SolveCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

// Start-up: the main window made, shown and painted once, against a bare
// QMainWindow with a menu bar.
void BM_StartUp(benchmark::State& state) {
  static PaintingPrompter prompter;
  for (auto _ : state) {
    MainWindow window(&prompter);
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.canvas().picture().constBits());
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_BareMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Plik"))->addAction(QStringLiteral("&Nowy"));
    window.resize(640, 480);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond);

// A 100 by 100 square holding a structured mesh of 708 by 708 nodes and
// 999 698 triangles, on a canvas of 1280 by 800.
struct LargeFixture {
  AppState state;
  Canvas canvas{state};
  LargeFixture() {
    ModelInit(state);
    Model& m = state.model;
    for (const Node& n : {Node{0, 0}, Node{100, 0}, Node{100, 100}, Node{0, 100}}) (void)AppendNode(m, n);
    for (int i = 1; i <= 4; ++i) (void)AppendElement(m, Element{i, i % 4 + 1, 1, 1});
    constexpr int kSide = 708;
    std::vector<MeshNode> nodes;
    for (int i = 0; i < kSide * kSide; ++i) {
      nodes.push_back(
          MeshNode{float(100.0 * (i % kSide) / (kSide - 1)), float(100.0 * (i / kSide) / (kSide - 1))});
    }
    std::vector<MeshTriangle> triangles;
    for (int row = 0; row + 1 < kSide; ++row) {
      for (int col = 0; col + 1 < kSide; ++col) {
        const int a = row * kSide + col + 1, b = a + 1, c = a + kSide, d = c + 1;
        triangles.push_back({a, b, d});
        triangles.push_back({a, d, c});
      }
    }
    m.meshNodeCount = int32_t(nodes.size());
    m.meshTriangleCount = int32_t(triangles.size());
    m.MeshNodeTable.assign(std::move(nodes));
    m.MeshTriangleTable.assign(std::move(triangles));
    state.view.viewXMax = state.view.viewYMax = 100;
    state.view.gridShown = 0;
    canvas.resize(kWidth, kHeight);
    canvas.show();
    QApplication::processEvents();
  }
};

LargeFixture& Large() {
  static LargeFixture f;
  return f;
}

// 0: the whole region; 1: a hundredth of it (a tenth of each side).
void BM_LargeRepaint(benchmark::State& state) {
  LargeFixture& f = Large();
  ViewTransform& v = f.state.view;
  v.viewXMin = v.viewYMin = state.range(0) == 0 ? 0.0f : 45.0f;
  v.viewXMax = v.viewYMax = state.range(0) == 0 ? 100.0f : 55.0f;
  f.canvas.invalidateScene();
  f.canvas.repaint();  // the edge list is made at the first repaint of a mesh
  for (auto _ : state) {
    f.canvas.invalidateScene();
    f.canvas.repaint();
  }
  state.counters["triangles"] = f.state.model.meshTriangleCount;
}
BENCHMARK(BM_LargeRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LargeEdgeList(benchmark::State& state) {
  size_t edges = 0;
  for (auto _ : state) edges = UniqueMeshEdges(Large().state.model).size();
  state.counters["edges"] = double(edges);
}
BENCHMARK(BM_LargeEdgeList)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the command to the painted window.
void BM_LargeMeshListOpen(benchmark::State& state) {
  static PaintingPrompter prompter;
  static MainWindow window(&prompter);
  window.state().model = Large().state.model;
  for (auto _ : state) window.commands().lists().listMesh();
  state.counters["lines"] = 2.0 + window.state().model.meshNodeCount + window.state().model.meshTriangleCount;
}
BENCHMARK(BM_LargeMeshListOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first opening for a mesh computes the statistics (here two meshes of
// the same rows, each its own copy, take turns); opening it again for the
// same mesh reuses them.
void BM_LargeStatistics(benchmark::State& state) {
  static PaintingPrompter prompter;
  static MainWindow window(&prompter);
  static Model other = [] {
    Model m = Large().state.model;
    m.MeshNodeTable[1] = m.MeshNodeTable[1];  // rows of its own
    return m;
  }();
  const bool again = state.range(0) == 1;
  window.state().model = Large().state.model;
  int turn = 0;
  for (auto _ : state) {
    if (!again) window.state().model = ++turn % 2 == 0 ? Large().state.model : other;
    window.commands().mesh().showStatistics();
  }
}
BENCHMARK(BM_LargeStatistics)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The large mesh with a solution: u a smooth field over the square, the
// flux its negative gradient per triangle.
LargeFixture& LargeSolved() {
  static LargeFixture& f = []() -> LargeFixture& {
    LargeFixture& l = Large();
    auto s = std::make_shared<Solution>();
    s->model = l.state.model;
    const Model& m = s->model;
    SolveResult& r = s->result;
    r.solved = true;
    r.u.assign(size_t(m.meshNodeCount) + 1, 0.0);
    for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
      const double x = m.MeshNodeTable[k].x, y = m.MeshNodeTable[k].y;
      r.u[size_t(k)] = 20 + 80 * std::exp(-x / 60) + 5 * std::sin(y / 7);
    }
    r.flux.assign(size_t(m.meshTriangleCount) + 1, {0.0, 0.0});
    for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
      const double x = m.MeshNodeTable[m.MeshTriangleTable[t].corner1].x;
      r.flux[size_t(t)] = {80.0 / 60 * std::exp(-x / 60), 0.5};
    }
    l.state.solution = std::move(s);
    return l;
  }();
  return f;
}

// Zoom 0: the whole region; 1: a hundredth of it. Layers 0: the colour map
// alone; 1: the map and 10 isolines; 2: the map with the mesh over it.
void BM_LargeSolutionRepaint(benchmark::State& state) {
  LargeFixture& f = LargeSolved();
  ViewTransform& v = f.state.view;
  v.viewXMin = v.viewYMin = state.range(0) == 0 ? 0.0f : 45.0f;
  v.viewXMax = v.viewYMax = state.range(0) == 0 ? 100.0f : 55.0f;
  f.state.solutionDisplay = SolutionDisplay{};
  f.state.solutionDisplay.map = true;
  f.state.solutionDisplay.isolines = state.range(1) == 1;
  f.state.meshShown = state.range(1) == 2;
  f.canvas.invalidateScene();
  f.canvas.repaint();  // the field's values are made at the first repaint of a solution
  for (auto _ : state) {
    f.canvas.invalidateScene();
    f.canvas.repaint();
  }
  state.counters["segments"] = double(f.canvas.solutionPicture().segments());
  f.state.solutionDisplay = SolutionDisplay{};
  f.state.meshShown = true;
}
BENCHMARK(BM_LargeSolutionRepaint)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 2})
    ->Args({1, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The index of the triangles, made at the first read-out of a solution.
void BM_LargeLocatorBuild(benchmark::State& state) {
  const Model& m = LargeSolved().state.solution->model;
  std::vector<double> x, y;
  MeshedNodes(m, x, y);
  TriangleLocator locator;
  for (auto _ : state) locator.build(m, x, y);
  state.counters["cells"] = double(locator.cells());
}
BENCHMARK(BM_LargeLocatorBuild)->Unit(benchmark::kMillisecond)->UseRealTime();

// One read-out: the pixel's triangle found and the value's text made, for
// pixels all over the drawing (some off the mesh).
void BM_LargeReadOut(benchmark::State& state) {
  LargeFixture& f = LargeSolved();
  ViewTransform& v = f.state.view;
  v.viewXMin = v.viewYMin = 0.0f;
  v.viewXMax = v.viewYMax = 100.0f;
  f.state.solutionDisplay = SolutionDisplay{};
  f.state.solutionDisplay.map = true;
  f.canvas.invalidateScene();
  f.canvas.repaint();
  (void)f.canvas.readOut(1, 1);  // the index is made here, once
  uint32_t seed = 1;
  for (auto _ : state) {
    seed = seed * 1664525u + 1013904223u;
    benchmark::DoNotOptimize(f.canvas.readOut(int(seed % kWidth), int((seed >> 16) % kHeight)));
  }
  f.state.solutionDisplay = SolutionDisplay{};
}
BENCHMARK(BM_LargeReadOut)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
