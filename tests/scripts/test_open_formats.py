#!/usr/bin/python3
"""The open-format exports read by programs written elsewhere.

  test_open_formats.py VENDREL PROJECT   the command line exports PROJECT
      (a holed model with several conditions) in every format, and again
      with elements naming conditions and boundaries that do not exist;
      gmsh loads, checks and rewrites each MSH file and reads its groups
      through its own API, meshio reads MSH 4.1, MSH 2.2 and VTU, and
      everything is held against the m2d export of the same run and the
      model's own geometry. Then meshes far from the origin, and the
      command line's exit statuses.
  test_open_formats.py --empty DIR       DIR holds mesh.msh, mesh22.msh and
      mesh.vtu of a mesh without boundary edges: 4 points, 2 triangles.
"""
import math
import os
import shutil
import re
import struct
import subprocess
import sys
import tempfile

import gmsh
import meshio
import numpy as np

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)
    return ok


def read_project(path):
    """Nodes, elements (start, end, condition, boundary) and condition and boundary counts."""
    words = open(path, encoding="ascii").read().split()
    counts = [int(w) for w in words[:5]]
    pos = 5
    nodes = [(float(words[pos + 2 * i]), float(words[pos + 2 * i + 1])) for i in range(counts[0])]
    pos += 2 * counts[0]
    elements = [tuple(int(w) for w in words[pos + 4 * i:pos + 4 * i + 4]) for i in range(counts[1])]
    return nodes, elements, counts[2], counts[3]


def read_m2d(path):
    """The solver layout's float32 points (widened) and 0-based triangles."""
    data = open(path, "rb").read()
    t, n = struct.unpack_from("<ii", data)
    corners = np.frombuffer(data, "<i4", 3 * t, 24).reshape(t, 3) - 1
    points = np.frombuffer(data, "<f4", 2 * n, 24 + 16 * t).reshape(n, 2)
    return points.astype(np.float64), corners


def on_segment(p, a, b, scale):
    ab, ap = b - a, p - a
    length2 = ab @ ab
    cross = ab[0] * ap[1] - ab[1] * ap[0]
    along = (ap @ ab) / length2
    return abs(cross) / math.sqrt(length2) < 1e-5 * scale and -1e-7 <= along <= 1 + 1e-7


def expected_edges(points, triangles, nodes, elements):
    """Every mesh edge that lies on a model element: {(low, high): element number}."""
    scale = float(np.abs(points).max())
    model = [(np.array(nodes[a - 1]), np.array(nodes[b - 1])) for a, b, _, _ in elements]
    found = {}
    for tri in triangles:
        for i in range(3):
            u, v = sorted((int(tri[i]), int(tri[(i + 1) % 3])))
            for k, (a, b) in enumerate(model, 1):
                if on_segment(points[u], a, b, scale) and on_segment(points[v], a, b, scale):
                    found[(u, v)] = k
    return found


def group_summary(edges, points):
    """Count and total length of a set of (low, high) edges."""
    return len(edges), round(sum(float(np.linalg.norm(points[u] - points[v])) for u, v in edges), 4)


def lines_of(mesh):
    """All line cells with their index among the mesh's cells of every block."""
    out = []
    for b, block in enumerate(mesh.cells):
        if block.type == "line":
            out.extend((b, i, tuple(int(x) for x in row)) for i, row in enumerate(block.data))
    return out


def check_common(name, mesh, points, triangles, doubles):
    """points: the m2d layout's single-precision ones; doubles: the first open file's, or None."""
    check(np.array_equal(mesh.points[:, :2].astype(np.float32), points.astype(np.float32)),
          f"{name}: points are the solver layout's in single precision")
    check(doubles is None or np.array_equal(mesh.points[:, :2], doubles), f"{name}: the same doubles in every format")
    check(np.all(mesh.points[:, 2] == 0) if mesh.points.shape[1] == 3 else True, f"{name}: z is 0")
    tris = np.concatenate([c.data for c in mesh.cells if c.type == "triangle"])
    check(np.array_equal(tris, triangles), f"{name}: the triangles, in their numbering")
    a, b, c = (mesh.points[tris[:, i], :2] for i in range(3))
    area = (b[:, 0] - a[:, 0]) * (c[:, 1] - a[:, 1]) - (c[:, 0] - a[:, 0]) * (b[:, 1] - a[:, 1])
    check(bool(np.all(area > 0)), f"{name}: every triangle counter-clockwise, none inverted")


UNNAMED = ("bez", 0)


def wanted_groups(expected, elements, conditions, boundaries):
    """{('warunek'|'brzeg', k) or UNNAMED: {edge, ...}}: every condition and boundary, each edge in its
    element's existing condition and boundary, or in UNNAMED when its element names neither."""
    want = {("warunek", k): set() for k in range(1, conditions + 1)}
    want.update({("brzeg", b): set() for b in range(1, boundaries + 1)})
    for edge, element in expected.items():
        _, _, c, b = elements[element - 1]
        keys = [key for key in (("warunek", c), ("brzeg", b)) if key in want]
        for key in keys or [UNNAMED]:
            want.setdefault(key, set()).add(edge)
    return want


def dangling_note(elements, conditions, boundaries):
    bad = [str(k) for k, (_, _, c, b) in enumerate(elements, 1)
           if not (1 <= c <= conditions and 1 <= b <= boundaries)]
    return f"Elementy wskazujące nieistniejący warunek lub brzeg: {', '.join(bad)}." if bad else ""


def check_groups(name, groups, elements_of_line, points, expected, nodes, elements, want):
    """groups: {('warunek'|'brzeg', k) or UNNAMED: [(start, end), ...]} as read."""
    check(set(groups) <= set(want), f"{name}: no groups but {sorted(want)}: {sorted(groups)}")
    for key, edges in want.items():
        got = groups.get(key, [])
        got_set = {tuple(sorted(e)) for e in got}
        check(len(got) == len(got_set), f"{name}: {key} holds each edge once")
        check(got_set == edges and group_summary(got_set, points) == group_summary(edges, points),
              f"{name}: {key}: {group_summary(got_set, points)} read, {group_summary(edges, points)} expected")
    for (start, end), element in elements_of_line:
        low_high = tuple(sorted((start, end)))
        if not check(expected.get(low_high) == element, f"{name}: edge {low_high} tagged with its element {element}"):
            continue
        a, b = (np.array(nodes[i - 1]) for i in elements[element - 1][:2])
        check(float((points[end] - points[start]) @ (b - a)) > 0, f"{name}: edge {low_high} runs its element's way")


NAMES = {("warunek", 1): "warunek 1: strumień 0", ("warunek", 2): "warunek 2: temperatura 100",
         ("warunek", 3): "warunek 3: konwekcja 25, 20", ("brzeg", 1): "brzeg 1: zewnętrzny",
         ("brzeg", 2): "brzeg 2: wewnętrzny"}


def key_of(group_name):
    if group_name == "bez warunku i brzegu":
        return UNNAMED
    m = re.match(r"(warunek|brzeg) (\d+):", group_name)
    return (m.group(1), int(m.group(2))) if m else None


def gmsh_checks(path, copies):
    """gmsh -check finds nothing wrong but `copies` duplicate elements (an error, status 1): the second
    copies of edges that MSH 2.2 writes once per group (its test compares places, whatever the tags)."""
    run = subprocess.run(["gmsh", path, "-check"], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    text = run.stdout
    section = re.search(r"Checking for duplicate elements\.\.\.\n(.*?)(?=Info)", text, re.S)
    rest = text.replace(section.group(1), "") if section else text
    found = re.search(r"Error\s*: (\d+) duplicate elements?", text)
    check(run.returncode == (1 if copies else 0) and "Warning" not in rest and "Error" not in rest
          and (int(found.group(1)) if found else 0) == copies,
          f"gmsh -check {os.path.basename(path)}: nothing but {copies} copies:\n{rest}")


def gmsh_api_groups(path):
    """{key: [edge, ...]} of every physical curve as gmsh's own API reads the file, 0-based nodes."""
    gmsh.initialize()
    gmsh.option.setNumber("General.Terminal", 0)
    try:
        gmsh.open(path)
        groups = {}
        for dim, tag in gmsh.model.getPhysicalGroups(1):
            edges = groups.setdefault(key_of(gmsh.model.getPhysicalName(dim, tag)), [])
            for entity in gmsh.model.getEntitiesForPhysicalGroup(dim, tag):
                for nodes in gmsh.model.mesh.getElements(dim, entity)[2]:
                    edges.extend(tuple(sorted((int(a) - 1, int(b) - 1))) for a, b in zip(nodes[0::2], nodes[1::2]))
        return groups
    finally:
        gmsh.finalize()


def gmsh_rewrites(path, nodes, elements, work):
    out = os.path.join(work, "CHECK.msh")
    run = subprocess.run(["gmsh", path, "-0", "-o", out], capture_output=True, text=True)
    text = run.stdout + run.stderr
    check(run.returncode == 0 and "Warning" not in text and "Error" not in text,
          f"gmsh reads and writes {os.path.basename(path)} cleanly:\n{text}")
    check(f": {nodes} nodes" in text and f": {elements} elements" in text,
          f"gmsh counts {nodes} nodes and {elements} elements in {os.path.basename(path)}:\n{text}")
    return out


def check_project(vendrel, project):
    nodes, elements, conditions, boundaries = read_project(project)
    work = tempfile.mkdtemp()
    files = {}
    note = dangling_note(elements, conditions, boundaries)
    for name, extra in (("mesh.m2d", []), ("mesh.msh", []), ("mesh22.msh", ["--msh-version", "2.2"]),
                        ("mesh.vtu", [])):
        files[name] = os.path.join(work, name)
        run = subprocess.run([vendrel, "--export", files[name], "--area", "10", *extra, project],
                             capture_output=True, text=True)
        check(run.returncode == 0 and "wyeksportowano poprawnie" in run.stderr, f"export {name}: {run.stderr}")
        named = "Elementy wskazujące" in run.stderr
        check(note in run.stderr and named if note and name != "mesh.m2d" else not named,
              f"export {name} names the elements pointing nowhere ({note!r}): {run.stderr}")
    points, triangles = read_m2d(files["mesh.m2d"])
    expected = expected_edges(points, triangles, nodes, elements)
    check(len(expected) > len(elements), "the expected edges include split elements")
    edges = len(expected)
    want = wanted_groups(expected, elements, conditions, boundaries)
    names = {key: NAMES[key] if key in NAMES else "bez warunku i brzegu" for key in want}
    copies = sum(len(e) for e in want.values())

    # MSH 4.1: groups as cell sets, one curve entity per element.
    msh = meshio.read(files["mesh.msh"])
    check_common("MSH 4.1", msh, points, triangles, None)
    groups, tagged = {}, []
    for set_name, per_block in msh.cell_sets.items():
        key = key_of(set_name)
        if key is None:
            continue
        check(names.get(key) == set_name, f"MSH 4.1: group named {set_name!r}")
        for b, rows in enumerate(per_block):
            if rows is not None and len(rows) and msh.cells[b].type == "line":
                groups.setdefault(key, []).extend(tuple(int(x) for x in msh.cells[b].data[r]) for r in rows)
    for b, _, line in lines_of(msh):
        tagged.append((line, int(msh.cell_data["gmsh:geometrical"][b][0])))
    check(len(tagged) == edges, f"MSH 4.1: {len(tagged)} edges, {edges} expected")
    check(sorted(msh.field_data) == sorted(["obszar", *names.values()]), "MSH 4.1: every group by name")
    check_groups("MSH 4.1", groups, tagged, points, expected, nodes, elements, want)
    rewritten = meshio.read(gmsh_rewrites(files["mesh.msh"], len(points), len(triangles) + edges, work))
    check(sorted(k for k in map(key_of, rewritten.cell_sets) if k) == sorted(names),
          "gmsh keeps the groups of MSH 4.1 by name")
    gmsh_checks(files["mesh.msh"], 0)

    # MSH 2.2: physical and elementary tags; an edge once per group.
    msh22 = meshio.read(files["mesh22.msh"])
    check_common("MSH 2.2", msh22, points, triangles, msh.points[:, :2])
    tag_to_key = {}
    for group_name, (tag, dim) in msh22.field_data.items():
        if dim == 1:
            tag_to_key[int(tag)] = key_of(group_name)
            check(names.get(key_of(group_name)) == group_name, f"MSH 2.2: group named {group_name!r}")
    groups, copies_of = {}, {}
    for b, i, line in lines_of(msh22):
        physical = int(msh22.cell_data["gmsh:physical"][b][i])
        groups.setdefault(tag_to_key.get(physical), []).append(line)
        copies_of.setdefault(line, []).append((physical, int(msh22.cell_data["gmsh:geometrical"][b][i])))
    check(None not in groups and len(copies_of) == edges, "MSH 2.2: every edge in named groups")
    tagged = []
    for line, tags in copies_of.items():
        # The copy in a boundary's group (physical 101 and up) is tagged 1000 + its element.
        element = {g - 1000 if p > 100 else g for p, g in tags}
        check(len(element) == 1 and len({g for _, g in tags}) == len(tags),
              f"MSH 2.2: edge {line}: each copy its own elementary tag of one element: {tags}")
        tagged.append((line, min(element)))
    check_groups("MSH 2.2", groups, tagged, points, expected, nodes, elements, want)
    gmsh_rewrites(files["mesh22.msh"], len(points), len(triangles) + copies, work)
    gmsh_checks(files["mesh22.msh"], copies - edges)
    for name in ("mesh.msh", "mesh22.msh"):
        api = gmsh_api_groups(files[name])
        for key, edges_in in want.items():
            check(sorted(api.get(key, [])) == sorted(edges_in),
                  f"gmsh's API reads {name}: {key} holds {len(api.get(key, []))} edges, {len(edges_in)} once each")

    # VTU: integer cell data.
    vtu = meshio.read(files["mesh.vtu"])
    check_common("VTU", vtu, points, triangles, msh.points[:, :2])
    groups, tagged = {}, []
    for b, i, line in lines_of(vtu):
        data = {n: int(vtu.cell_data[n][b][i]) for n in ("warunek", "brzeg", "element", "obszar")}
        check(data["obszar"] == 0, "VTU: a line is no part of the region")
        keys = [(n, data[n]) for n in ("warunek", "brzeg") if data[n]]
        for key in keys or [UNNAMED]:
            groups.setdefault(key, []).append(line)
        tagged.append((line, data["element"]))
    check(all(int(v) == 1 for b, c in enumerate(vtu.cells) if c.type == "triangle" for v in vtu.cell_data["obszar"][b]),
          "VTU: every triangle in region 1")
    check(len(tagged) == edges, f"VTU: {len(tagged)} edges, {edges} expected")
    check_groups("VTU", groups, tagged, points, expected, nodes, elements, want)
    # Each name with its value in the cell data its first word names.
    check({n: v.tolist() for n, v in vtu.field_data.items()} ==
          {"obszar": [1], **{names[key]: [key[1]] for key in want}}, f"VTU: the names: {vtu.field_data}")
    return files


def with_dangling_references(project):
    """PROJECT with element 2 naming condition 9, element 5 boundary 7 and element 7 neither (0, 0)."""
    lines = open(project, encoding="ascii", newline="").read().splitlines(keepends=True)
    first = 1 + int(lines[0].split()[0])
    for k, row in ((2, "2 3 9 1"), (5, "5 6 1 7"), (7, "7 8 0 0")):
        lines[first + k - 1] = row + "\r\n"
    path = os.path.join(tempfile.mkdtemp(), "dangling.vdk")
    open(path, "w", encoding="ascii", newline="").write("".join(lines))
    return path


def check_far_from_origin(vendrel):
    """Fine meshes far from the origin: the doubles keep every node apart and every triangle positive."""
    work = tempfile.mkdtemp()
    for name, (x, y), size, area in (("kwadrat", (1e6, 1e6), 1, "0.0005"), ("mapa", (5e5, 55e5), 100, "0.5")):
        corners = ((x, y), (x + size, y), (x + size, y + size), (x, y + size))
        project = os.path.join(work, name + ".vdk")
        open(project, "w").write("4 4 1 1 0\n" + "".join(f"{a} {b}\n" for a, b in corners) +
                                 "1 2 1 1\n2 3 1 1\n3 4 1 1\n4 1 1 1\n1 123456.789 0 0 0 0 0\n1\n1 0\n1\nKoniec pliku\n")
        for out, extra in (("m.msh", []), ("m22.msh", ["--msh-version", "2.2"]), ("m.vtu", [])):
            path = os.path.join(work, out)
            run = subprocess.run([vendrel, "--export", path, "--area", area, "--max-triangles", "100000", *extra,
                                  project], capture_output=True, text=True)
            mesh = meshio.read(path)
            points = mesh.points[:, :2]
            tris = np.concatenate([c.data for c in mesh.cells if c.type == "triangle"])
            a, b, c = (points[tris[:, i]] for i in range(3))
            twice = (b[:, 0] - a[:, 0]) * (c[:, 1] - a[:, 1]) - (c[:, 0] - a[:, 0]) * (b[:, 1] - a[:, 1])
            inside = np.all((points >= (x, y)) & (points <= (x + size, y + size)))
            check(run.returncode == 0 and len(tris) > 1999 and len(np.unique(points, axis=0)) == len(points)
                  and bool(np.all(twice > 0)) and bool(inside),
                  f"{name} {out}: {len(points) - len(np.unique(points, axis=0))} repeated nodes, "
                  f"{int(np.sum(twice <= 0))} of {len(tris)} triangles flat or inverted: {run.stderr}")
            check("warunek 1: temperatura 123456.79" in mesh.field_data, f"{name} {out}: the value's shortest text")
            if out.endswith(".msh"):
                gmsh_rewrites(path, len(points), sum(len(c.data) for c in mesh.cells), work)


def check_command_line(vendrel, project, done_msh):
    work = tempfile.mkdtemp()
    bad = os.path.join(work, "bad.vdk")
    open(bad, "w").write("3 3 1 1 0\n0 0\n1 0\n")
    few = os.path.join(work, "few.vdk")
    open(few, "w").write("2 1 1 1 0\n0 0\n1 0\n1 2 1 1\n2 0 0 0 0 0 0\n1\n1 0\n1\nKoniec pliku\n")
    point = os.path.join(work, "point.vdk")  # three nodes on one point: refused before Triangle
    open(point, "w").write("3 3 1 1 0\n1 1\n1 1\n1 1\n1 2 1 1\n2 3 1 1\n3 1 1 1\n2 0 0 0 0 0 0\n1\n1 0\n1\n")
    out = os.path.join(work, "out.msh")
    cases = [
        (["--area", "5", project], 2, "Brak nazwy pliku wynikowego"),
        (["--export", out, "--bogus", project], 2, "Nieznana opcja --bogus"),
        (["--export", out, "--area", "-1", project], 2, "Pole trójkąta musi być liczbą dodatnią"),
        (["--export", out, "--area", "abc", project], 2, "Pole trójkąta"),
        (["--export", os.path.join(work, "out.txt"), project], 2, "Nieznany format pliku"),
        (["--export", os.path.join(work, "o.vtu"), "--msh-version", "2.2", project], 2, "--msh-version"),
        (["--export", out, "--msh-version", "3", project], 2, "Wersja formatu MSH"),
        (["--export", out], 2, "Brak pliku projektu"),
        (["--export", out, os.path.join(work, "none.vdk")], 3, ""),
        (["--export", out, bad], 3, ""),
        (["--export", out, "--area", "0.001", project], 4, "Zbyt duża liczba elementów lub węzłów"),
        (["--export", out, few], 4, "Generacja siatki nie powiodła się"),
        (["--export", os.path.join(work, "no", "such", "dir.msh"), project], 5,
         "Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje.\n"),
        (["--export", os.path.join(work, "a\u200fb\x01.txt"), project], 2,
         "Nieznany format pliku " + os.path.join(work, "a\\u{200F}b\\u{0001}.txt")),
        (["--export", out, "--max-triangles", "0", project], 2, "Największa liczba trójkątów"),
        (["--export", out, "--max-triangles", "5000", "--area", "0.001", project], 4,
         "Siatka miałaby co najmniej 825 000 trójkątów, więcej niż limit 5 000.\nGeneracja siatki nie powiodła się"
         "\nZwiększ pole trójkąta (na przykład --area "),
        (["--export", os.path.join(work, "big.m2d"), "--max-triangles", "100000", "--area", "0.05", project], 5,
         "co najmniej 16 500 trójkątów, a ten format przyjmuje najwyżej 1 999 trójkątów i 999 węzłów. "
         "Taką siatkę zapisuje plik .msh albo .vtu"),
        (["--export", out, "--area", "0,0000001", project], 2, "Pole trójkąta 0.0000001 jest za małe"),
        (["--export", os.path.join(work, "o.vtu"), "--msh-version", "4.1", project], 2, "--msh-version"),
        (["--export", out, "-x", project], 2, "Nieznana opcja -x"),
        (["--export", out, point], 4, "Generacja siatki nie powiodła się\nMożliwe przyczyny:\nWszystkie węzły "
         "leżą w jednym punkcie: węzły 1, 2 i 3 w punkcie (1; 1). Kontur z powtórzonymi węzłami"),
    ]
    for args, status, words in cases:
        out = args[args.index("--export") + 1] if "--export" in args else os.path.join(work, "out.msh")
        for before in (None, b"kept") if os.path.isdir(os.path.dirname(out)) else (None,):
            if before is None and os.path.exists(out):
                os.remove(out)
            if before is not None:
                open(out, "wb").write(before)
            run = subprocess.run([vendrel, *args], capture_output=True, text=True)
            check(run.returncode == status and words in run.stderr and "Error:" not in run.stderr,
                  f"{args[-3:]}: status {run.returncode} ({status} expected): {run.stderr}")
            left = open(out, "rb").read() if os.path.exists(out) else None
            check(left == before, f"{args[-3:]}: OUT left as it was ({before})")
    # The area offered after a large overflow fits.
    offered = re.search(r"--area ([0-9.]+)\)", subprocess.run(
        [vendrel, "--export", out, "--max-triangles", "5000", "--area", "0.001", project],
        capture_output=True, text=True).stderr).group(1)
    run = subprocess.run([vendrel, "--export", out, "--max-triangles", "5000", "--area", offered, project],
                         capture_output=True, text=True)
    check(run.returncode == 0, f"the offered area {offered} fits: {run.stderr}")
    # OUT that is the project itself, by another name, is refused untouched;
    # "--" ends the options; "-?" asks for help.
    copy, same = os.path.join(work, "copy.vdk"), os.path.join(work, "same.msh")
    shutil.copy(project, copy)
    os.link(copy, same)
    run = subprocess.run([vendrel, "--export", same, copy], capture_output=True, text=True)
    check(run.returncode == 2 and "jest plikiem projektu" in run.stderr
          and open(copy, "rb").read() == open(project, "rb").read(), f"OUT is the project: {run.stderr}")
    dashed = os.path.join(work, "-p.vdk")
    shutil.copy(project, dashed)
    run = subprocess.run([vendrel, "--export", out, "--", dashed], capture_output=True, text=True, cwd=work)
    check(run.returncode == 0, f"-- ends the options: {run.stderr}")
    run = subprocess.run([vendrel, "-?"], capture_output=True, text=True)
    check(run.returncode == 0 and "--max-triangles" in run.stdout, f"-? asks for help: {run.stderr}")
    out = os.path.join(work, "out.msh")
    big = os.path.join(work, "big.msh")
    run = subprocess.run([vendrel, "--export", big, "--max-triangles=100000", "--area", "0.05", project],
                         capture_output=True, text=True)
    mesh = meshio.read(big)
    tris = np.concatenate([c.data for c in mesh.cells if c.type == "triangle"])
    a, b, c = (mesh.points[tris[:, i], :2] for i in range(3))
    area = (b[:, 0] - a[:, 0]) * (c[:, 1] - a[:, 1]) - (c[:, 0] - a[:, 0]) * (b[:, 1] - a[:, 1])
    check(run.returncode == 0 and len(tris) > 1999 and bool(np.all(area > 0)),
          f"a large mesh goes out in MSH: {len(tris)} triangles: {run.stderr}")
    lines = sum(len(c.data) for c in mesh.cells if c.type == "line")
    gmsh_rewrites(big, len(mesh.points), len(tris) + lines, work)
    run = subprocess.run([vendrel, "--export", out, "--area=1,5", project], capture_output=True, text=True)
    check(run.returncode == 0, f"--area=1,5 takes a decimal comma: {run.stderr}")
    run = subprocess.run([vendrel, "--export", out, project], capture_output=True, text=True)
    check(run.returncode == 0 and open(out, "rb").read() == open(done_msh, "rb").read(),
          "the offered area 10 makes the same file as --area 10")
    run = subprocess.run([vendrel, "--help"], capture_output=True, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    check(all(s in run.stdout for s in ("--export", "--area", "--msh-version", "--max-triangles", "0 sukces", "2 błędne argumenty",
                                        "3 nie można odczytać projektu", "4 generacja siatki nie powiodła się",
                                        "5 nie można zapisać pliku")), f"--help lists the statuses:\n{run.stdout}")


def check_empty(folder):
    points = np.array([[0, 0], [1, 0], [1, 1], [0, 1]], dtype=float)
    for name, elements in (("mesh.msh", 2), ("mesh22.msh", 2), ("mesh.vtu", None)):
        path = os.path.join(folder, name)
        if elements is not None:
            gmsh_rewrites(path, 4, elements, folder)
        mesh = meshio.read(path)
        check(np.array_equal(mesh.points[:, :2], points), f"{name}: the four points")
        check([c.type for c in mesh.cells] == ["triangle"] and len(mesh.cells[0].data) == 2,
              f"{name}: two triangles and no line")


def main():
    if sys.argv[1] == "--empty":
        check_empty(sys.argv[2])
    else:
        files = check_project(sys.argv[1], sys.argv[2])
        check_project(sys.argv[1], with_dangling_references(sys.argv[2]))
        check_far_from_origin(sys.argv[1])
        check_command_line(sys.argv[1], sys.argv[2], files["mesh.msh"])
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
