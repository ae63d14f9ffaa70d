#!/usr/bin/python3
"""vendrel --solve --integrate: the integrals' lines on standard output.

  test_integrate_cli.py VENDREL   a slab held at 100 on its left edge and 0 on
      its right, insulated above and below: the flow through each side is
      k*100/L*H, the mean temperature 50, the area L*H, and the file's own
      lines stay on standard error as they were; bad --integrate arguments
      end with status 2 and say why. Then a plate with an insert of another
      material, convection and a source, solved into MSH 4.1 and solved
      again by FEniCSx (dolfinx) on that mesh: the flow through a held and a
      convecting side (-∫ k grad u · n ds) and ∫ u dx over each material
      agree to 1e-8. Without dolfinx that part is skipped.
"""
import os
import subprocess
import sys
import tempfile

import numpy as np

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)
    return ok


def run(vendrel, *args):
    return subprocess.run([vendrel, *args], capture_output=True, text=True)


def parsed(stdout):
    """name -> (value, unit) from the "name value unit" lines."""
    lines = [line.split(" ") for line in stdout.splitlines()]
    if not all(len(parts) == 3 for parts in lines):
        raise ValueError(stdout)
    return {name: (float(value), unit) for name, value, unit in lines}


X0, Y0, L, H, K = 3.0, 1.0, 4.0, 2.0, 45.0


def slab(path):
    """The rectangle; sides bottom, right, top, left name rows 2, 3, 2, 1:
    1 the temperature 100, 2 no flux, 3 the temperature 0."""
    corners = [(X0, Y0), (X0 + L, Y0), (X0 + L, Y0 + H), (X0, Y0 + H)]
    text = "4 4 3 1 0\n" + "".join("%r %r\n" % c for c in corners)
    text += "".join("%d %d %d 1\n" % (i + 1, (i + 1) % 4 + 1, side) for i, side in enumerate([2, 3, 2, 1]))
    text += "1.0 100.0 0 0 0 0 0\n2.0 0.0 0 0 0 0 0\n1.0 0.0 0 0 0 0 0\n"
    text += "1\n%r 0.0\n1\nKoniec pliku\n" % K
    open(path, "w").write(text)


def slab_cases(vendrel, work):
    vdk, out = os.path.join(work, "slab.vdk"), os.path.join(work, "slab.vtu")
    slab(vdk)
    plain = run(vendrel, "--solve", out, "--area", "0.3", vdk)
    got = run(vendrel, "--solve", out, "--area", "0.3", "--integrate", "condition:1", "--integrate=condition:3",
              "--integrate", "region", "--integrate", "material:0", vdk)
    if not check(got.returncode == 0 and plain.returncode == 0, f"slab: status {got.returncode}: {got.stderr}"):
        return
    check(got.stderr == plain.stderr and plain.stdout == "", "the solve's own lines stay as they were")
    values = parsed(got.stdout)
    flow = K * 100.0 / L * H
    want = {
        "condition:1.length": (H, "m"), "condition:1.flow": (flow, "W/m"), "condition:1.mean.T": (100.0, "°C"),
        "condition:3.flow": (-flow, "W/m"), "condition:3.mean.T": (0.0, "°C"),
        "region.area": (L * H, "m2"), "region.mean.T": (50.0, "°C"), "region.integral.T": (50.0 * L * H, "°C*m2"),
        "region.min.T": (0.0, "°C"), "region.max.T": (100.0, "°C"), "region.mean.flux": (K * 100.0 / L, "W/m2"),
        "material:0.mean.flux_recovered": (K * 100.0 / L, "W/m2"), "material:0.area": (L * H, "m2"),
    }
    for name, (value, unit) in want.items():
        have = values.get(name)
        check(have is not None and abs(have[0] - value) <= 1e-9 * max(1.0, abs(value)) and have[1] == unit,
              f"slab: {name} = {have}, not {value} {unit}")
    # Region and material 0 are the same triangles; every field has its four lines.
    check(all(values[k] == values["material:0" + k[6:]] for k in values if k.startswith("region.")),
          "the region and material 0 agree")
    check(len([k for k in values if k.startswith("region.")]) == 1 + 4 * 4, "region: area and four fields")

    refusals = [
        (["--integrate", "edge:1"], "Opcja --integrate przyjmuje condition:N"),
        (["--integrate", "condition:0"], "Opcja --integrate przyjmuje condition:N"),
        (["--integrate", "material:x"], "Opcja --integrate przyjmuje condition:N"),
        (["--integrate", "condition:9"], "Warunku nr 9 nie ma w projekcie"),
        (["--integrate", "material:1"], "Materiału nr 1 nie ma w projekcie"),
    ]
    for extra, says in refusals:
        bad = run(vendrel, "--solve", out, *extra, vdk)
        check(bad.returncode == 2 and says in bad.stderr and bad.stdout == "",
              f"{extra}: status {bad.returncode}: {bad.stderr[:200]}")
    exported = run(vendrel, "--export", os.path.join(work, "slab.msh"), "--integrate", "region", vdk)
    check(exported.returncode == 2 and "Opcja --integrate dotyczy tylko --solve" in exported.stderr,
          f"--export with --integrate: {exported.returncode}: {exported.stderr[:200]}")
    helped = run(vendrel, "--help")
    check("[--integrate CO]" in helped.stdout and "condition:2.flow 12.5 W/m" in helped.stdout, "--help")


# The plate [0, 4] x [0, 3] with the insert [1.5, 2.5] x [1, 2] of material 1
# (copper, no source), the rest material 2 (steel with a source); sides
# bottom, right, top, left name rows 1 to 4, the insert's sides row 5.
CONDITIONS = [(1, 100, 0), (3, 12.5, 20), (2, -30, 0), (3, 5, 0), (2, 0, 0)]
MATERIALS = [("miedz", 4500.0, 0.0), ("stal", 45.0, 800.0)]


def plate(path):
    nodes = [(0.0, 0.0), (4.0, 0.0), (4.0, 3.0), (0.0, 3.0), (1.5, 1.0), (2.5, 1.0), (2.5, 2.0), (1.5, 2.0)]
    lines = ["8 8 %d 1 0" % len(CONDITIONS)] + ["%.15f %.15f" % p for p in nodes]
    for ring in (0, 4):
        lines += ["%d %d %d 1" % (ring + i + 1, ring + (i + 1) % 4 + 1, min(ring + i + 1, 5)) for i in range(4)]
    lines += ["%f %f %f 0 0 0 0" % c for c in CONDITIONS] + ["1", "45.0 0.0", "1", "Koniec pliku"]
    lines += ["Obszary", "2 2"] + ['"%s" %f %f' % m for m in MATERIALS]
    lines += ["2.000000 1.500000 1 0.000000", "0.500000 0.500000 2 0.000000"]
    open(path, "w", newline="").write("\r\n".join(lines) + "\r\n")


def fenics_cases(vendrel, work):
    try:
        import gmsh
        import ufl
        from mpi4py import MPI
        from petsc4py import PETSc
        from dolfinx import fem
        import dolfinx.fem.petsc
        from dolfinx.cpp.mesh import entities_to_geometry
        from dolfinx.io import gmshio
        from dolfinx.mesh import meshtags
    except ImportError as error:
        print(f"SKIP: FEniCSx is not installed (python3-dolfinx-real): {error}")
        return
    vdk, out = os.path.join(work, "plate.vdk"), os.path.join(work, "plate.msh")
    plate(vdk)
    got = run(vendrel, "--solve", out, "--area", "0.002", "--max-triangles", "200000", "--integrate", "condition:1",
              "--integrate", "condition:2", "--integrate", "material:1", "--integrate", "material:2", vdk)
    if not check(got.returncode == 0, f"plate: status {got.returncode}: {got.stderr}"):
        return
    ours = parsed(got.stdout)
    gmsh.initialize()
    gmsh.option.setNumber("General.Terminal", 0)
    gmsh.merge(out)
    mesh, cells, _ = gmshio.model_to_mesh(gmsh.model, MPI.COMM_WORLD, 0, gdim=2)
    # The condition groups (tags below 100) as facet markers, matched by their ends.
    tags, coordinates, _ = gmsh.model.mesh.getNodes()
    where = dict(zip(tags, np.round(coordinates.reshape(-1, 3)[:, :2], 9).tolist()))
    marked = {}
    for _, group in gmsh.model.getPhysicalGroups(1):
        for entity in gmsh.model.getEntitiesForPhysicalGroup(1, group) if group < 100 else []:
            for ends in gmsh.model.mesh.getElements(1, entity)[2][0].reshape(-1, 2):
                marked[frozenset(tuple(where[n]) for n in ends)] = group
    gmsh.finalize()
    count = mesh.topology.index_map(1).size_local
    ends = entities_to_geometry(mesh._mesh, 1, np.arange(count, dtype=np.int32), False)
    points = np.round(mesh.geometry.x[:, :2], 9).tolist()
    keys = [frozenset(tuple(points[n]) for n in e) for e in ends]
    chosen = np.array([i for i in range(count) if keys[i] in marked], dtype=np.int32)
    facets = meshtags(mesh, 1, chosen, np.array([marked[keys[i]] for i in chosen], dtype=np.int32))
    single = lambda v: float(np.float32(v))
    # k and f per cell from the material tags (200 + the material's number).
    DG = fem.FunctionSpace(mesh, ("DG", 0))
    k, f = fem.Function(DG), fem.Function(DG)
    for number, (_, conductivity, source) in enumerate(MATERIALS, 1):
        where_cells = cells.indices[cells.values == 200 + number]
        k.x.array[where_cells] = single(conductivity)
        f.x.array[where_cells] = single(source)
    V = fem.FunctionSpace(mesh, ("Lagrange", 1))
    u, v = ufl.TrialFunction(V), ufl.TestFunction(V)
    ds = ufl.Measure("ds", domain=mesh, subdomain_data=facets)
    dx = ufl.Measure("dx", domain=mesh, subdomain_data=cells)
    c = lambda x: fem.Constant(mesh, PETSc.ScalarType(single(x)))
    a, L_ = k * ufl.dot(ufl.grad(u), ufl.grad(v)) * ufl.dx, f * v * ufl.dx
    bcs = []
    for tag, (kind, p1, p2) in enumerate(CONDITIONS, 1):
        if kind == 2 and tag < 5:
            L_ += c(p1) * v * ds(tag)
        elif kind == 3:
            a += c(p1) * u * v * ds(tag)
            L_ += c(p1) * c(p2) * v * ds(tag)
        elif kind == 1:
            dofs = fem.locate_dofs_topological(V, 1, facets.indices[facets.values == tag])
            bcs.append(fem.dirichletbc(PETSc.ScalarType(single(p1)), dofs, V))
    problem = dolfinx.fem.petsc.LinearProblem(a, L_, bcs=bcs,
                                              petsc_options={"ksp_type": "preonly", "pc_type": "lu"})
    uh = problem.solve()
    n = ufl.FacetNormal(mesh)
    scalar = lambda form: mesh.comm.allreduce(fem.assemble_scalar(fem.form(form)), op=MPI.SUM)
    theirs = {}
    for tag in (1, 2):
        # Ours is what flows in: minus the outward flux.
        theirs[f"condition:{tag}.flow"] = -scalar(ufl.dot(-k * ufl.grad(uh), n) * ds(tag))
        theirs[f"condition:{tag}.length"] = scalar(c(1.0) * ds(tag))
    for number in (1, 2):
        theirs[f"material:{number}.integral.T"] = scalar(uh * dx(200 + number))
        theirs[f"material:{number}.area"] = scalar(c(1.0) * dx(200 + number))
    scale = max(abs(value) for value in theirs.values())
    worst = 0.0
    for name, value in theirs.items():
        have = ours.get(name, (float("nan"),))[0]
        relative = abs(have - value) / max(abs(value), 1e-3 * scale)
        worst = max(worst, relative)
        check(relative <= 1e-8, f"plate: {name}: ours {have!r}, FEniCSx {value!r}")
    print(f"plate: {mesh.topology.index_map(2).size_local} triangles, largest relative difference from "
          f"FEniCSx {worst:.2e}: " + ", ".join(f"{name} {ours[name][0]:.10g}" for name in theirs))


def main(vendrel):
    work = tempfile.mkdtemp()
    slab_cases(vendrel, work)
    fenics_cases(vendrel, work)
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
