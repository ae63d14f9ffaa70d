#!/usr/bin/python3
"""Materials in the open formats, read by programs written elsewhere.

  test_open_materials.py VENDREL PROJECT   the command line exports PROJECT
      (a model with materials and region points, no internal nodes) as MSH
      4.1, MSH 2.2 and VTU. gmsh's API, meshio and, where it is installed,
      FEniCSx (gmsh.merge and gmshio.model_to_mesh) must find one physical
      surface (cell tag) per material, 200 + its number, named so that the
      number, the name and both properties parse back to the project's; the
      triangle around each region point in its material; each material's
      triangles one connected piece; a region point's own area kept by its
      material's triangles; and all readers agreeing triangle by triangle.
"""
import os
import re
import subprocess
import sys
import tempfile

import gmsh
import meshio
import numpy as np

failures = []
MATERIAL_TAG_BASE = 200
NAME = re.compile(r"^materiał (\d+): (.+), (\S+) (\S+), (\S+) (\S+)$")
SYMBOLS = {1: ("λ", "q"), 2: ("σ", "q"), 3: ("μ", "J"), 10: ("E", "ν")}


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)
    return ok


def unescape(quoted):
    """A name of the project file's section: \\xHH bytes, \\" and \\\\."""
    raw = re.sub(rb'\\x([0-9A-Fa-f]{2})|\\(.)',
                 lambda m: bytes([int(m.group(1), 16)]) if m.group(1) else m.group(2), quoted.encode("ascii"))
    return raw.decode("utf-8")


def read_project(path):
    """Materials from 0 (the own pair, named by the export) as (name, p1, p2),
    region points (x, y, material, area) and the problem kind."""
    text = open(path, encoding="ascii").read()
    base, section = text.split("Koniec pliku", 1)
    words = base.split()
    kind, own = int(words[-1]), (float(words[-3]), float(words[-2]))
    lines = [line.strip() for line in section.splitlines() if line.strip()]
    assert lines[0] == "Obszary"
    count, points = (int(w) for w in lines[1].split())
    materials = [("domyślny", *own)]
    for line in lines[2:2 + count]:
        name, values = re.match(r'^"((?:[^"\\]|\\.)*)"\s+(.*)$', line).groups()
        materials.append((unescape(name), *(float(v) for v in values.split())))
    region = [tuple(f(w) for f, w in zip((float, float, int, float), line.split()))
              for line in lines[2 + count:2 + count + points]]
    return materials, region, kind


def check_names(what, names, materials, kind):
    """names: tag -> name; each parses back to its material."""
    for tag, name in sorted(names.items()):
        m = NAME.match(name)
        if not check(m is not None, f"{what}: {name!r} is not a material's name"):
            continue
        number = int(m.group(1))
        check(tag == MATERIAL_TAG_BASE + number, f"{what}: {name!r} has the tag {tag}")
        if not check(0 <= number < len(materials), f"{what}: {name!r} names no material"):
            continue
        expected = materials[number]
        check(m.group(2) == expected[0], f"{what}: {name!r} does not hold the name {expected[0]!r}")
        check((m.group(3), m.group(5)) == SYMBOLS[kind], f"{what}: {name!r} has other symbols")
        for got, want in ((m.group(4), expected[1]), (m.group(6), expected[2])):
            check(np.float32(float(got)) == np.float32(want), f"{what}: {name!r}: {got} is not {want}")


def containing(points, triangles, x, y):
    """The index of the triangle that holds (x, y) inside or on its sides."""
    a, b, c = (points[triangles[:, i], :2] for i in range(3))
    p = np.array([x, y])

    def side(u, v):
        return (v[:, 0] - u[:, 0]) * (p[1] - u[:, 1]) - (v[:, 1] - u[:, 1]) * (p[0] - u[:, 0])

    inside = (side(a, b) >= 0) & (side(b, c) >= 0) & (side(c, a) >= 0)
    return int(np.flatnonzero(inside)[0])


def pieces(triangles):
    """How many pieces the triangles make, joined across shared sides."""
    parent = list(range(len(triangles)))

    def root(i):
        while parent[i] != i:
            parent[i] = parent[parent[i]]
            i = parent[i]
        return i

    owner = {}
    for i, t in enumerate(triangles):
        for side in ((t[0], t[1]), (t[1], t[2]), (t[2], t[0])):
            key = tuple(sorted(int(v) for v in side))
            if key in owner:
                parent[root(i)] = root(owner[key])
            owner[key] = i
    return len({root(i) for i in range(len(triangles))})


def gmsh_groups(path):
    """gmsh's own reading: physical surface tag -> (name, triangle numbers)."""
    gmsh.initialize()
    gmsh.option.setNumber("General.Terminal", 0)
    gmsh.open(path)
    groups = {}
    for _, tag in gmsh.model.getPhysicalGroups(2):
        numbers = []
        for entity in gmsh.model.getEntitiesForPhysicalGroup(2, tag):
            _, element_tags, _ = gmsh.model.mesh.getElements(2, entity)
            numbers += [int(k) for block in element_tags for k in block]
        groups[int(tag)] = (gmsh.model.getPhysicalName(2, tag), sorted(numbers))
    gmsh.finalize()
    return groups


def fenics_tags(path):
    """dolfinx's cells' centroids and cell tags, or None without FEniCSx."""
    try:
        from mpi4py import MPI
        from dolfinx.io import gmshio
    except ImportError:
        print("FEniCSx is not installed: its cell tags are not checked")
        return None
    gmsh.initialize()
    gmsh.option.setNumber("General.Terminal", 0)
    gmsh.merge(path)
    mesh, cell_tags, _ = gmshio.model_to_mesh(gmsh.model, MPI.COMM_WORLD, 0, gdim=2)
    gmsh.finalize()
    dofs = mesh.geometry.dofmap.array.reshape(-1, 3)
    centroids = mesh.geometry.x[dofs, :2].mean(axis=1)
    tags = np.full(len(dofs), -1)
    tags[cell_tags.indices] = cell_tags.values
    return centroids, tags


def main(vendrel, project):
    materials, region, kind = read_project(project)
    smallest = min(area for *_, area in region if area > 0)
    with tempfile.TemporaryDirectory() as folder:
        files = {name: os.path.join(folder, name) for name in ("m.msh", "m22.msh", "m.vtu")}
        for name, extra in (("m.msh", []), ("m22.msh", ["--msh-version", "2.2"]), ("m.vtu", [])):
            run = subprocess.run([vendrel, "--export", files[name], "--area", str(smallest * 20), *extra, project],
                                 capture_output=True, text=True)
            check(run.returncode == 0, f"export {name}: {run.returncode} {run.stderr}")

        vtu = meshio.read(files["m.vtu"])
        points, triangles = vtu.points, vtu.cells_dict["triangle"]
        block = [i for i, c in enumerate(vtu.cells) if c.type == "triangle"][0]
        material = np.asarray(vtu.cell_data["material"][block])
        lines = [i for i, c in enumerate(vtu.cells) if c.type == "line"]
        check(all((np.asarray(vtu.cell_data["material"][i]) == -1).all() for i in lines), "VTU: an edge's material")
        check_names("VTU", {MATERIAL_TAG_BASE + int(v[0]): n for n, v in vtu.field_data.items()
                            if n.startswith("materiał")}, materials, kind)
        check({int(v[0]) for n, v in vtu.field_data.items() if n.startswith("materiał")} == set(material.tolist()),
              "VTU: the names are not those of the triangles' materials")

        # Where the region points are, how the materials lie and are meshed.
        for x, y, number, area in region:
            check(material[containing(points, triangles, x, y)] == number, f"the point ({x}, {y}) not in {number}")
        for number in set(material.tolist()):
            own = triangles[material == number]
            check(pieces(own) == 1, f"material {number}: its triangles are not one piece")
            a, b, c = (points[own[:, i], :2] for i in range(3))
            areas = 0.5 * np.abs(np.cross(b - a, c - a))
            limits = [area for _, _, m, area in region if m == number and area > 0]
            check(not limits or areas.max() <= min(limits) * (1 + 1e-6),
                  f"material {number}: a triangle of {areas.max()} past its area")
        check(any(material == 0) or len(set(material.tolist())) > 1, "the materials are all one")

        # gmsh: one physical surface per material, the triangles by number.
        expected = {MATERIAL_TAG_BASE + int(m): sorted(int(k) + 1 for k in np.flatnonzero(material == m))
                    for m in set(material.tolist())}
        for name in ("m.msh", "m22.msh"):
            groups = gmsh_groups(files[name])
            check({t: g[1] for t, g in groups.items()} == expected, f"{name}: gmsh's surfaces hold other triangles")
            check_names(f"{name} (gmsh)", {t: g[0] for t, g in groups.items()}, materials, kind)
            msh = meshio.read(files[name])
            read = {tuple(sorted(t)): int(tag) for i, c in enumerate(msh.cells) if c.type == "triangle"
                    for t, tag in zip(c.data.tolist(), msh.cell_data["gmsh:physical"][i])}
            check(read == {tuple(sorted(t)): MATERIAL_TAG_BASE + int(m) for t, m in zip(triangles.tolist(), material)},
                  f"{name}: meshio's physical tags")

        read = fenics_tags(files["m.msh"])
        if read is not None:
            centroids = points[triangles, :2].mean(axis=1)
            check(len(read[0]) == len(triangles), "FEniCSx: another number of cells")
            for c, tag in zip(*read):
                distance = np.hypot(*(centroids - c).T)
                k = int(np.argmin(distance))
                check(distance[k] < 1e-9 and tag == MATERIAL_TAG_BASE + material[k],
                      f"FEniCSx: the cell at {c} has the tag {tag}, not {MATERIAL_TAG_BASE + material[k]}")
    if failures:
        print(f"{len(failures)} failures")
        return 1
    print("all material groups read back")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
