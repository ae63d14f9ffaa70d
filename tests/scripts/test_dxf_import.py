#!/usr/bin/python3
"""DXF drawings made by ezdxf, imported and meshed by `vendrel --export`.

    test_dxf_import.py --make DIR        writes the drawings into DIR
    test_dxf_import.py --seeds DIR       the same but the file too large to
                                         read, as seeds for the fuzz target
    test_dxf_import.py VENDREL DIR       writes them and checks the program

Each drawing knows its true curves; the mesh the program exports (VTU, read
by meshio) must have its boundary nodes on them within the chord tolerance,
closed loops without double nodes, loops turned by their nesting, no
triangle in a hole, elements between two meshed parts only where the
drawing's parts meet, and the drawing's area within the chords' bound."""

import math
import os
import subprocess
import sys
import tempfile
from collections import Counter

import ezdxf
import meshio
import numpy as np

TURN = 2 * math.pi


class Truth:
    """The drawing's true curves: segments and elliptic arcs."""

    def __init__(self):
        self.lines, self.arcs = [], []  # ((x0, y0), (x1, y1)); (centre, u, v, t0, t1)
        self.area, self.holes = 0.0, 0
        self.inner = False  # some elements lie between two meshed parts

    def line(self, a, b):
        self.lines.append((np.array(a, float), np.array(b, float)))

    def arc(self, c, u, v, t0=0.0, t1=TURN):
        self.arcs.append((np.array(c, float), np.array(u, float), np.array(v, float), t0, t1))

    def distance(self, p):
        best = math.inf
        for a, b in self.lines:
            t = np.clip(np.dot(p - a, b - a) / np.dot(b - a, b - a), 0, 1)
            best = min(best, np.linalg.norm(a + t * (b - a) - p))
        for c, u, v, t0, t1 in self.arcs:
            ts = np.linspace(t0, t1, 20001)
            pts = c + np.outer(np.cos(ts), u) + np.outer(np.sin(ts), v)
            best = min(best, np.min(np.linalg.norm(pts - p, axis=1)))
        return best

    def length(self):
        total = sum(np.linalg.norm(b - a) for a, b in self.lines)
        for c, u, v, t0, t1 in self.arcs:
            ts = np.linspace(t0, t1, 20001)
            pts = c + np.outer(np.cos(ts), u) + np.outer(np.sin(ts), v)
            total += np.sum(np.linalg.norm(np.diff(pts, axis=0), axis=1))
        return total

    def diagonal(self):
        pts = [p for ab in self.lines for p in ab]
        for c, u, v, t0, t1 in self.arcs:
            ts = np.linspace(t0, t1, 2001)
            pts += list(c + np.outer(np.cos(ts), u) + np.outer(np.sin(ts), v))
        pts = np.array(pts)
        return float(np.linalg.norm(pts.max(axis=0) - pts.min(axis=0)))


def ellipse_area(u, v):
    return abs(u[0] * v[1] - u[1] * v[0]) * math.pi


def plate(path):
    """A plate with a fillet, drawn clockwise, its hot edge on a layer of
    its own, and a round hole: LINE, ARC and CIRCLE."""
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    t = Truth()
    r, hole = 8.0, ((35.0, 30.0), 12.0)
    for a, b, layer in [((0, 0), (0, 60), "KONTUR"), ((0, 60), (92, 60), "KONTUR"),
                        ((100, 52), (100, 0), "GORACA"), ((100, 0), (0, 0), "KONTUR")]:
        msp.add_line(a, b, dxfattribs={"layer": layer})
        t.line(a, b)
    msp.add_arc((92, 52), r, 0, 90, dxfattribs={"layer": "KONTUR"})
    t.arc((92, 52), (r, 0), (0, r), 0, math.pi / 2)
    msp.add_circle(hole[0], hole[1], dxfattribs={"layer": "OTWOR"})
    t.arc(hole[0], (hole[1], 0), (0, hole[1]))
    msp.add_text("Płyta", dxfattribs={"layer": "OPISY"})
    t.area = 100 * 60 - (r * r - math.pi * r * r / 4) - math.pi * hole[1] ** 2
    t.holes = 1
    doc.saveas(path)
    return t


def bracket(path):
    """An L-bracket as one closed LWPOLYLINE with an inner and an outer
    fillet (bulges), and a hole made of two half-circle bulges."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    q = math.tan(math.pi / 8)  # a quarter turn's bulge
    msp.add_lwpolyline([(10, 0, 0), (80, 0, 0), (80, 20, 0), (30, 20, -q), (20, 30, 0), (20, 80, 0), (0, 80, 0),
                        (0, 10, q)], format="xyb", close=True)
    for a, b in [((10, 0), (80, 0)), ((80, 0), (80, 20)), ((80, 20), (30, 20)), ((20, 30), (20, 80)),
                 ((20, 80), (0, 80)), ((0, 80), (0, 10))]:
        t.line(a, b)
    t.arc((30, 30), (10, 0), (0, 10), math.pi, 1.5 * math.pi)
    t.arc((10, 10), (10, 0), (0, 10), math.pi, 1.5 * math.pi)
    msp.add_lwpolyline([(6, 70, 1), (14, 70, 1)], format="xyb", close=True)
    t.arc((10, 70), (4, 0), (0, 4))
    t.area = 80 * 20 + 20 * 60 - math.pi * 16
    t.holes = 1
    doc.saveas(path)
    return t


def blocks(path):
    """A frame with a block (a square with a round island) inserted twice,
    scaled and rotated; the second insert scales unevenly, so its circle
    comes out an ellipse."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    block = doc.blocks.new("PLYTKA", base_point=(5, 5))
    square = [(0, 0), (10, 0), (10, 10), (0, 10)]
    for i in range(4):
        block.add_line(square[i], square[(i + 1) % 4])
    block.add_circle((5, 5), 3)
    frame = [(0, 0), (100, 0), (100, 50), (0, 50)]
    for i in range(4):
        msp.add_line(frame[i], frame[(i + 1) % 4], dxfattribs={"layer": "RAMA"})
        t.line(frame[i], frame[(i + 1) % 4])
    t.area = 100 * 50
    for at, (sx, sy), deg in [((25, 28), (1.5, 1.5), 30), ((72, 25), (2.0, 1.2), -45)]:
        msp.add_blockref("PLYTKA", at, dxfattribs={"xscale": sx, "yscale": sy, "rotation": deg, "layer": "WSTAWKI"})
        a = math.radians(deg)
        rot = np.array([[math.cos(a), -math.sin(a)], [math.sin(a), math.cos(a)]])
        place = lambda p: tuple(rot @ (np.array([sx, sy]) * (np.array(p, float) - 5)) + at)
        for i in range(4):
            t.line(place(square[i]), place(square[(i + 1) % 4]))
        u, v = rot @ np.array([3 * sx, 0.0]), rot @ np.array([0.0, 3 * sy])
        t.arc(place((5, 5)), u, v)
        t.area -= 100 * sx * sy - ellipse_area(u, v)  # the square is a hole, the island is meshed
    t.holes = 2
    doc.saveas(path)
    return t


def layers(path):
    """Three layers: a rectangle's bottom, top and sides, a rotated ellipse
    hole and a D-shaped hole of half an ellipse and a line."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    for a, b, layer in [((0, 0), (60, 0), "DOL"), ((60, 0), (60, 40), "BOK"), ((60, 40), (0, 40), "GORA"),
                        ((0, 40), (0, 0), "BOK")]:
        msp.add_line(a, b, dxfattribs={"layer": layer})
        t.line(a, b)
    a = math.radians(20)
    major = (8 * math.cos(a), 8 * math.sin(a))
    msp.add_ellipse((40, 20), major, 0.5, dxfattribs={"layer": "BOK"})
    t.arc((40, 20), major, (-0.5 * major[1], 0.5 * major[0]))
    msp.add_ellipse((15, 20), (6, 0), 0.5, 0, math.pi, dxfattribs={"layer": "GORA"})
    msp.add_line((9, 20), (21, 20), dxfattribs={"layer": "DOL"})
    t.arc((15, 20), (6, 0), (0, 3), 0, math.pi)
    t.line((9, 20), (21, 20))
    t.area = 60 * 40 - ellipse_area(major, (-0.5 * major[1], 0.5 * major[0])) - ellipse_area((6, 0), (0, 3)) / 2
    t.holes = 2
    doc.saveas(path)
    return t


def outline(msp, t, points, layer="0"):
    for a, b in zip(points, points[1:] + points[:1]):
        msp.add_line(a, b, dxfattribs={"layer": layer})
        t.line(a, b)


def notch(path):
    """A plate with a round hole and a circle that crosses its right edge:
    the circle cuts a notch, its cap outside the plate stays empty."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    outline(msp, t, [(0, 0), (100, 0), (100, 60), (0, 60)])
    (cx, cy), r = (92.0, 30.0), 15.0
    for c, radius in [((cx, cy), r), ((30, 30), 8)]:
        msp.add_circle(c, radius)
        t.arc(c, (radius, 0), (0, radius))
    d = 100 - cx  # the cap beyond the edge: a circle's segment
    cap = r * r * math.acos(d / r) - d * math.sqrt(r * r - d * d)
    t.area = 100 * 60 - (math.pi * r * r - cap) - math.pi * 64
    t.holes = 1
    doc.saveas(path)
    return t


def redrawn(path):
    """A plate whose bottom edge is drawn again in part from its corner,
    with a round hole."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    outline(msp, t, [(0, 0), (100, 0), (100, 60), (0, 60)])
    msp.add_line((0, 0), (40, 0))
    msp.add_line((100, 60), (70, 60))
    msp.add_circle((50, 30), 10)
    t.arc((50, 30), (10, 0), (0, 10))
    t.area = 100 * 60 - math.pi * 100
    t.holes = 1
    doc.saveas(path)
    return t


def gaps(path, scale=1.0, units=0, hole=None):
    """An L-plate of six lines, each ending short of the next by about a
    ten-thousandth of its size, as CAD programs leave them."""
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = units
    msp = doc.modelspace()
    t = Truth()
    corners = [(scale * x, scale * y) for x, y in [(0, 0), (80, 0), (80, 30), (30, 30), (30, 80), (0, 80)]]
    gap = 1e-4 * math.hypot(80, 80) * scale
    for a, b in zip(corners, corners[1:] + corners[:1]):
        a, b = np.array(a, float), np.array(b, float)
        msp.add_line(tuple(a), tuple(b - gap * (b - a) / np.linalg.norm(b - a)))
        t.line(a, b)
    t.area = (80 * 30 + 30 * 50) * scale * scale
    if hole:
        c, radius = (15 * scale, 15 * scale), hole * scale
        msp.add_circle(c, radius)
        t.arc(c, (radius, 0), (0, radius))
        t.area -= math.pi * radius * radius
        t.holes = 1
    doc.saveas(path)
    return t


def tee(path):
    """A square plate with a tab: the tab's three lines end on the plate's
    right edge, which runs on past them."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    outline(msp, t, [(0, 0), (60, 0), (60, 60), (0, 60)])
    for a, b in [((60, 20), (100, 20)), ((100, 20), (100, 40)), ((100, 40), (60, 40))]:
        msp.add_line(a, b)
        t.line(a, b)
    t.area, t.inner = 60 * 60 + 40 * 20, True
    doc.saveas(path)
    return t


def parts(path):
    """Three plates: two sharing an edge, each drawing it, the second with
    a round hole, and a third apart from them."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    t = Truth()
    for x0 in (0, 40, 100):
        outline(msp, t, [(x0, 0), (x0 + 40, 0), (x0 + 40, 40), (x0, 40)])
    msp.add_circle((60, 20), 8)
    t.arc((60, 20), (8, 0), (0, 8))
    t.area, t.holes, t.inner = 3 * 40 * 40 - math.pi * 64, 1, True
    doc.saveas(path)
    return t


def millimetres(path):
    """The L-plate with its gaps in millimetres and a hole of 3 mm: imported
    in metres, its gaps close and its hole stays."""
    return gaps(path, units=4, hole=1.5)


def refused(folder, big):
    """Files the program refuses, by name: binary DXF, no usable entity,
    cut short, malformed, coordinates not finite or too large, blocks
    nested past all measure, too large."""
    doc = ezdxf.new("R2010")
    doc.modelspace().add_line((0, 0), (10, 0))
    doc.modelspace().add_circle((5, 5), 2)
    doc.saveas(os.path.join(folder, "binarny.dxf"), fmt="bin")
    doc.saveas(os.path.join(folder, "wzor.dxf"))
    good = open(os.path.join(folder, "wzor.dxf"), encoding="utf-8").read()
    # Blocks of inserts of blocks, each a 100 × 100 array: 10⁸ cells of a
    # block with a single line in it.
    bomb = ezdxf.new("R2010")
    bomb.blocks.new("B0").add_line((0, 0), (1, 0))
    for level in range(1, 5):
        ref = bomb.blocks.new(f"B{level}").add_blockref(f"B{level - 1}", (0, 0))
        ref.grid(size=(100, 100), spacing=(2, 2))
    bomb.modelspace().add_blockref("B4", (0, 0))
    bomb.saveas(os.path.join(folder, "bomba.dxf"))
    texts = ezdxf.new("R2010")
    texts.modelspace().add_text("tylko tekst")
    texts.saveas(os.path.join(folder, "bez-geometrii.dxf"))
    files = {
        "obciety.dxf": good[: len(good) // 2],
        "zly.dxf": "0\nSECTION\n2\nENTITIES\n0\nLINE\nxx\n1\n10\n\n0\nENDSEC\n0\nEOF\n",
    }
    for name, value in [("nieskonczony.dxf", "inf"), ("nan.dxf", "nan"), ("ogromny.dxf", "1e300")]:
        lines = good.split("\n")
        centre = next(i for i in range(len(lines) - 1) if lines[i].strip() == "CIRCLE")
        x = next(i for i in range(centre, len(lines) - 1) if lines[i].strip() == "10")
        lines[x + 1] = value
        files[name] = "\n".join(lines)
    for name, content in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
            f.write(content)
    if big:
        with open(os.path.join(folder, "za-duzy.dxf"), "wb") as f:
            f.truncate(300 << 20)  # sparse: no room taken


def make(folder, big=True):
    os.makedirs(folder, exist_ok=True)
    truths = {name: fn(os.path.join(folder, name + ".dxf"))
              for name, fn in [("plyta", plate), ("wspornik", bracket), ("bloki", blocks), ("warstwy", layers),
                               ("wyciecie", notch), ("krawedz-dwa-razy", redrawn), ("szczeliny", gaps),
                               ("trojnik", tee), ("czesci", parts), ("milimetry", millimetres)]}
    refused(folder, big)
    return truths


def loops(lines):
    """The boundary edges as closed loops of node numbers, in edge order."""
    nxt = {}
    for a, b in lines:
        assert a not in nxt, f"node {a} starts two edges"
        nxt[a] = b
    seen, out = set(), []
    for start in nxt:
        if start in seen:
            continue
        loop, node = [], start
        while node not in seen:
            seen.add(node)
            loop.append(node)
            assert node in nxt, f"chain open at node {node}"
            node = nxt[node]
        assert node == start, "edges do not close into loops"
        out.append(loop)
    return out


def inside(poly, p):
    x, y, c = p[0], p[1], False
    for i in range(len(poly)):
        (ax, ay), (bx, by) = poly[i], poly[(i + 1) % len(poly)]
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            c = not c
    return c


def signed_area(poly):
    return 0.5 * sum(poly[i][0] * poly[(i + 1) % len(poly)][1] - poly[(i + 1) % len(poly)][0] * poly[i][1]
                     for i in range(len(poly)))


def check(vendrel, folder, name, truth, failures):
    out = os.path.join(folder, name + ".vtu")
    area = f"{truth.area / 400:.3f}"
    run = subprocess.run([vendrel, "--export", out, "--area", area, os.path.join(folder, name + ".dxf")],
                         capture_output=True, text=True)
    if run.returncode != 0:
        failures.append(f"{name}: status {run.returncode}: {run.stderr}")
        return
    mesh = meshio.read(out)
    pts = mesh.points[:, :2]
    tri = np.vstack([c.data for c in mesh.cells if c.type == "triangle"])
    line_blocks = [i for i, c in enumerate(mesh.cells) if c.type == "line"]
    lines = np.vstack([mesh.cells[i].data for i in line_blocks])
    cond = np.concatenate([mesh.cell_data["warunek"][i] for i in line_blocks])
    bnd = np.concatenate([mesh.cell_data["brzeg"][i] for i in line_blocks])
    tol = truth.diagonal() / 1000
    slack = 1e-5 * truth.diagonal()  # single precision of the model's nodes
    errors = []
    far = max(truth.distance(pts[n]) for n in np.unique(lines))
    if far > tol + slack:
        errors.append(f"a boundary node lies {far} from the drawing (tolerance {tol})")
    if len({(round(x, 9), round(y, 9)) for x, y in pts}) != len(pts):
        errors.append("double nodes")
    # Elements between two meshed parts have triangles on both sides; the
    # others bound the region.
    sides = Counter(frozenset(e) for a, b, c in tri for e in ((a, b), (b, c), (c, a)))
    inner = np.array([sides[frozenset(e)] == 2 for e in lines.tolist()], bool)
    if inner.any() != truth.inner:
        errors.append(f"{int(inner.sum())} elements between meshed parts")
    lines, bnd = lines[~inner], bnd[~inner]
    rings = [[pts[n] for n in loop] for loop in loops([tuple(e) for e in lines])]
    edge_ring = {}
    for k, loop in enumerate(loops([tuple(e) for e in lines])):
        for n in loop:
            edge_ring[n] = k
    holes = 0
    for k, ring in enumerate(rings):
        depth = sum(inside(other, ring[0]) for j, other in enumerate(rings) if j != k)
        holes += depth % 2
        if (signed_area(ring) > 0) != (depth % 2 == 0):
            errors.append(f"loop {k} (nesting depth {depth}) runs the wrong way")
        kinds = {int(bnd[i]) for i, e in enumerate(lines) if edge_ring[e[0]] == k}
        if kinds != {2 if depth % 2 else 1}:
            errors.append(f"loop {k} (nesting depth {depth}) has boundaries {kinds}")
    if holes != truth.holes:
        errors.append(f"{holes} holes, the drawing has {truth.holes}")
    if set(cond.tolist()) != {1}:
        errors.append(f"conditions {set(cond.tolist())}, not all 1")
    area = 0.0
    for a, b, c in tri:
        centroid = (pts[a] + pts[b] + pts[c]) / 3
        if sum(inside(ring, centroid) for ring in rings) % 2 == 0:
            errors.append(f"a triangle at {centroid} lies in a hole or outside")
            break
        area += 0.5 * abs(np.cross(pts[b] - pts[a], pts[c] - pts[a]))
    bound = tol * truth.length() + slack * truth.length()
    if abs(area - truth.area) > bound:
        errors.append(f"area {area}, drawing {truth.area}, bound {bound}")
    if run.stderr.count("węzeł wewnętrzny") != truth.holes:
        errors.append(f"the summary names other holes: {run.stderr}")
    failures += [f"{name}: {e}" for e in errors]


def check_refusals(vendrel, folder, failures):
    cases = {"brak.dxf": "Nie można otworzyć", "binarny.dxf": "binarny", "bez-geometrii.dxf": "TEXT 1",
             "obciety.dxf": "EOF", "zly.dxf": "zamiast kodu grupy stoi „xx”", "nieskonczony.dxf": "nieskończona",
             "nan.dxf": "nieskończona", "ogromny.dxf": "1 000 000 000", "za-duzy.dxf": "256 MB",
             "bomba.dxf": "ponad 250 000"}
    for name, words in cases.items():
        out = os.path.join(folder, name + ".vtu")
        run = subprocess.run([vendrel, "--export", out, os.path.join(folder, name)], capture_output=True, text=True)
        if run.returncode != 3 or words not in run.stderr or os.path.exists(out):
            failures.append(f"{name}: status {run.returncode}, expected 3 with '{words}': {run.stderr}")


def main():
    if sys.argv[1] in ("--make", "--seeds"):
        make(sys.argv[2], big=sys.argv[1] == "--make")
        return 0
    vendrel = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        truths = make(folder)
        failures = []
        for name, truth in truths.items():
            check(vendrel, folder, name, truth, failures)
        check_refusals(vendrel, folder, failures)
    for f in failures:
        print("FAIL:", f)
    print(f"{len(truths)} drawings and the refusals checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
