#!/usr/bin/python3
"""vendrel --solve against FEniCSx (dolfinx) on the very mesh it writes.

  test_fenics.py VENDREL   a plate with a square hole, solved by vendrel into
      MSH 4.1; dolfinx reads that file through gmsh, takes the condition
      groups as facet markers and solves the same P1 problem: heat with held
      temperatures, fluxes, convection and a source, and a plane-stress disc
      with loads and held edges. The nodal values must agree to 1e-8 of the
      largest. Prints dolfinx's own assembly and solve time on that mesh.
      Without dolfinx the test is skipped (status 77).
"""
import os
import subprocess
import sys
import tempfile
import time

import meshio
import numpy as np

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
    sys.exit(77)

AREA, TRIANGLES = "0.0005", "200000"
# The plate [0, 4] x [0, 3] with the square hole [1.5, 2.5] x [1, 2]; its
# sides bottom, right, top, left name condition rows 1 to 4, the hole's
# sides row 5.
OUTER = [(0.0, 0.0), (4.0, 0.0), (4.0, 3.0), (0.0, 3.0)]
HOLE = [(1.5, 1.0), (1.5, 2.0), (2.5, 2.0), (2.5, 1.0)]

# kind, first property, second property, condition rows (kind, value1, value2).
# No two held rows share a node, so no precedence between them is in play.
CASES = {
    "heat": (1, 45.0, 500.0,
             [(2.0, 150.0, 0.0), (3.0, 12.5, 20.0), (2.0, -30.0, 0.0), (1.0, 100.0, 0.0), (3.0, 6.25, 60.0)]),
    "disc": (10, 210000.0, 0.25,
             [(1.0, 0.0, -1000.0), (1.0, 20000.0, 5000.0), (1.0, 0.0, 0.0), (2.0, 0.0, 0.0),
              (2.0, 1e-4, -2e-4)]),
}


def project(path, kind, first, second, conditions):
    """The plate as a project: outer boundary 1, the hole boundary 2 with a
    hole point at its centre."""
    nodes = OUTER + HOLE
    text = "8 8 %d 2 1\n" % len(conditions) + "".join("%r %r\n" % p for p in nodes)
    for ring, boundary in ((0, 1), (4, 2)):
        text += "".join("%d %d %d %d\n" % (ring + i + 1, ring + (i + 1) % 4 + 1, min(ring + i + 1, 5), boundary)
                        for i in range(4))
    text += "".join("%r %r %r 0 0 0 0\n" % c for c in conditions)
    text += "1\n2\n%r %r\n2.0 1.5\n%d\nKoniec pliku\n" % (first, second, kind)
    open(path, "w").write(text)


def single(v):
    """A value as the project holds it: in single precision."""
    return float(np.float32(v))


def fenics(path, kind, first, second, conditions):
    """dolfinx's nodal values (one row per dof block) with their points, and
    its assembly and solve time."""
    gmsh.initialize()
    gmsh.option.setNumber("General.Terminal", 0)
    gmsh.merge(path)
    mesh, _, _ = gmshio.model_to_mesh(gmsh.model, MPI.COMM_WORLD, 0, gdim=2)
    # Each edge is in its condition's group and in its boundary's (tags from
    # 100), which model_to_mesh would mark twice: the facet markers are the
    # condition groups alone, matched to dolfinx's facets by their ends.
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
    if len(chosen) != len(marked):
        raise RuntimeError(f"{len(marked)} edges in the condition groups, {len(chosen)} facets found")
    disc = kind == 10
    V = fem.VectorFunctionSpace(mesh, ("Lagrange", 1)) if disc else fem.FunctionSpace(mesh, ("Lagrange", 1))
    u, v = ufl.TrialFunction(V), ufl.TestFunction(V)
    ds = ufl.Measure("ds", domain=mesh, subdomain_data=facets)
    c = lambda x: fem.Constant(mesh, PETSc.ScalarType(single(x)))
    held = 2.0 if disc else 1.0
    if disc:
        e, nu = single(first), single(second)
        lam, mu = c(e * nu / (1 - nu * nu)), c(e / (2 * (1 + nu)))
        eps = lambda w: ufl.sym(ufl.grad(w))
        sigma = lambda w: lam * ufl.tr(eps(w)) * ufl.Identity(2) + 2 * mu * eps(w)
        a = ufl.inner(sigma(u), eps(v)) * ufl.dx
        L = ufl.dot(ufl.as_vector([c(0.0), c(0.0)]), v) * ufl.dx
        for tag, (k, p1, p2) in enumerate(conditions, 1):
            if k == 1.0:
                L += ufl.dot(ufl.as_vector([c(p1), c(p2)]), v) * ds(tag)
    else:
        a = c(first) * ufl.dot(ufl.grad(u), ufl.grad(v)) * ufl.dx
        L = c(second) * v * ufl.dx
        for tag, (k, p1, p2) in enumerate(conditions, 1):
            if k == 2.0:
                L += c(p1) * v * ds(tag)
            elif k == 3.0:
                a += c(p1) * u * v * ds(tag)
                L += c(p1) * c(p2) * v * ds(tag)
    bcs = []
    for tag, (k, p1, p2) in enumerate(conditions, 1):
        if k == held:
            dofs = fem.locate_dofs_topological(V, 1, facets.indices[facets.values == tag])
            value = np.array([single(p1), single(p2)] if disc else single(p1), dtype=PETSc.ScalarType)
            bcs.append(fem.dirichletbc(value, dofs, V))
    a_form, L_form = fem.form(a), fem.form(L)  # compiled before the clock starts
    start = time.perf_counter()
    A = fem.petsc.assemble_matrix(a_form, bcs=bcs)
    A.assemble()
    b = fem.petsc.assemble_vector(L_form)
    fem.petsc.apply_lifting(b, [a_form], bcs=[bcs])
    b.ghostUpdate(addv=PETSc.InsertMode.ADD, mode=PETSc.ScatterMode.REVERSE)
    fem.petsc.set_bc(b, bcs)
    solver = PETSc.KSP().create(mesh.comm)
    solver.setOperators(A)
    solver.setType("preonly")
    solver.getPC().setType("lu")
    uh = fem.Function(V)
    solver.solve(b, uh.vector)
    uh.x.scatter_forward()
    elapsed = time.perf_counter() - start
    values = uh.x.array.reshape(-1, 2 if disc else 1)
    return V.tabulate_dof_coordinates()[:, :2], values, elapsed, mesh.topology.index_map(2).size_local


def main(vendrel):
    failures = 0
    work = tempfile.mkdtemp()
    for name, (kind, first, second, conditions) in CASES.items():
        vdk, out = os.path.join(work, name + ".vdk"), os.path.join(work, name + ".msh")
        project(vdk, kind, first, second, conditions)
        run = subprocess.run([vendrel, "--solve", out, "--area", AREA, "--max-triangles", TRIANGLES, vdk],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(f"FAIL: {name}: vendrel status {run.returncode}: {run.stderr}")
            failures += 1
            continue
        ours = meshio.read(out)
        fields = ("ux", "uy") if kind == 10 else ("u",)
        our_values = np.column_stack([np.asarray(ours.point_data[f]).reshape(-1) for f in fields])
        points, values, elapsed, triangles = fenics(out, kind, first, second, conditions)
        # dolfinx numbers the nodes its own way: pair them by position.
        where = {tuple(p): i for i, p in enumerate(np.round(ours.points[:, :2], 9))}
        index = np.array([where.get(tuple(p), -1) for p in np.round(points, 9)])
        paired = (len(points) == len(ours.points) and len(set(index)) == len(index) and index.min() >= 0
                  and np.max(np.abs(points - ours.points[index, :2])) <= 1e-12)
        difference = np.max(np.abs(values - our_values[index])) / np.max(np.abs(our_values))
        ok = paired and difference <= 1e-8
        failures += not ok
        print(f"{'ok' if ok else 'FAIL'}: {name}: {triangles} triangles, {len(points)} nodes, nodes paired: "
              f"{paired}, max |difference| / max |value| = {difference:.3e}; "
              f"dolfinx assembly and solve {elapsed:.3f} s")
    return failures


if __name__ == "__main__":
    failed = main(sys.argv[1])
    print(f"{failed} failed")
    sys.exit(1 if failed else 0)
