#!/usr/bin/python3
"""Solves a mesh that Vendrel Korbel wrote with FEniCSx, on one machine or
many, as the program's own solver does.

    mpirun -n N python3 solve.py MESH.msh OUT.vtu [--properties P1 P2]

MESH.msh is an MSH 4.1 file from `vendrel --export` or `vendrel --solve`
(or "Eksport siatki"). Everything the problem needs is read from the file's
group names, as the program writes them:

  - the conditions from the edge groups, "warunek 2: temperatura 100",
    "warunek 3: konwekcja 25, 20", "warunek 1: przemieszczenie 0, 0",
    "warunek 4: podpora przesuwna 1, 0" (ux held at 0; 2 holds uy), …;
  - the materials from the surface groups, "materiał 1: miedź, λ 400, q 0"
    (material 0 is the project's own pair). A mesh of one material has only
    the group "obszar": give its two properties with --properties.

Heat conduction and the other potential problems (-div(k grad u) = f, held
values, fluxes and convection) and the plane-stress disc (held
displacements, roller supports and edge loads) are solved on linear
triangles, as by the program, by PETSc's parallel LU (MUMPS). OUT.vtu
holds the mesh's own nodes and triangles in the file's order, with the
nodal solution ("u", or "ux" and "uy") and per triangle the flux ("flux")
or the stresses ("sigma_x", "sigma_y", "tau_xy", "von_mises"), under the
names `vendrel --solve` uses.

Needs Debian's python3-dolfinx-real, python3-gmsh and python3-meshio.
"""
import argparse
import re
import sys

import gmsh
import meshio
import numpy as np
import ufl
from dolfinx import fem
from dolfinx.cpp.mesh import entities_to_geometry
from dolfinx.io import gmshio
from dolfinx.mesh import meshtags
from mpi4py import MPI
from petsc4py import PETSc
import dolfinx.fem.petsc

# A condition's word, by family: its kind, and whether it is the disc's.
POTENTIAL = {"temperatura": 1, "strumień": 2, "konwekcja": 3}
DISC = {"obciążenie ciągłe": 1, "przemieszczenie": 2, "podpora przesuwna": 3}
CONDITION = re.compile(r"^warunek (\d+): (.+?)((?: -?[0-9.eE+-]+|,)*)$")
MATERIAL = re.compile(r"^materiał (\d+): (.*), (\S+) (\S+), (\S+) (\S+)$")


def read_groups(path):
    """On one process: the conditions {tag: (word, values)}, the materials
    {surface tag: (p1, p2, symbol1)}, each boundary edge by its ends'
    positions with its condition's tag, and the nodes and triangles in the
    file's order with each triangle's surface tag."""
    conditions, materials, marked = {}, {}, {}
    tags, coordinates, _ = gmsh.model.mesh.getNodes()
    points = coordinates.reshape(-1, 3)[:, :2]
    order = np.argsort(tags)
    where = dict(zip(tags.tolist(), np.round(points, 9).tolist()))
    for dim, tag in gmsh.model.getPhysicalGroups():
        name = gmsh.model.getPhysicalName(dim, tag)
        if dim == 1 and (m := CONDITION.match(name)):
            values = [float(v) for v in m.group(3).replace(",", " ").split()]
            conditions[tag] = (m.group(2).strip(), values)
            for entity in gmsh.model.getEntitiesForPhysicalGroup(1, tag):
                for ends in gmsh.model.mesh.getElements(1, entity)[2][0].reshape(-1, 2):
                    marked[frozenset(tuple(where[n]) for n in ends.tolist())] = tag
        elif dim == 2 and (m := MATERIAL.match(name)):
            materials[tag] = (float(m.group(4)), float(m.group(6)), m.group(3))
    # The triangles in the file's numbering, whatever group holds them.
    numbered = []
    for dim, tag in gmsh.model.getPhysicalGroups(2):
        for entity in gmsh.model.getEntitiesForPhysicalGroup(2, tag):
            _, elements, corners = gmsh.model.mesh.getElements(2, entity)
            numbered += [(int(e), c, tag) for e, c in zip(elements[0], corners[0].reshape(-1, 3))]
    numbered.sort(key=lambda t: t[0])
    first = {int(t): i for i, t in enumerate(tags[order])}
    nodes = points[order]
    triangles = np.array([[first[int(c)] for c in t[1]] for t in numbered], dtype=np.int64).reshape(-1, 3)
    return conditions, materials, marked, nodes, triangles, np.array([t[2] for t in numbered], dtype=np.int32)


def family(conditions, materials):
    words = {word for word, _ in conditions.values()}
    if words & DISC.keys() or any(symbol == "E" for _, _, symbol in materials.values()):
        return "disc"
    return "potential"


def solve(path, properties):
    comm = MPI.COMM_WORLD
    gmsh.initialize()
    gmsh.option.setNumber("General.Terminal", 0)
    groups = None
    if comm.rank == 0:
        gmsh.merge(path)
        groups = read_groups(path)
    conditions, materials, marked, nodes, triangles, surfaces = comm.bcast(groups, root=0)
    mesh, cell_tags, _ = gmshio.model_to_mesh(gmsh.model, comm, 0, gdim=2)
    gmsh.finalize()
    if not materials:
        if properties is None:
            sys.exit("Siatka ma jeden materiał bez nazwanych własności: podaj je opcją --properties P1 P2.")
        materials = {tag: (properties[0], properties[1], "") for tag in set(surfaces.tolist())}
    disc = family(conditions, materials) == "disc"
    kinds = DISC if disc else POTENTIAL
    for tag, (word, values) in conditions.items():
        if word not in kinds:
            sys.exit(f"Warunek {tag} ({word}) nie należy do zadania tego rodzaju.")
        if disc and kinds[word] == 3 and values[0] not in (1.0, 2.0):
            sys.exit(f"Warunek {tag} (podpora przesuwna) ma składową {values[0]:g}: ustala ux (1) albo uy (2).")

    # The condition edges as facet markers, matched to dolfinx's facets by
    # their ends' positions (each edge is in its condition's group and its
    # boundary's, which the reader would mark twice).
    mesh.topology.create_connectivity(1, 2)
    count = mesh.topology.index_map(1).size_local + mesh.topology.index_map(1).num_ghosts
    ends = entities_to_geometry(mesh._mesh, 1, np.arange(count, dtype=np.int32), False)
    points = np.round(mesh.geometry.x[:, :2], 9).tolist()
    keys = [frozenset(tuple(points[n]) for n in e) for e in ends]
    chosen = np.array([i for i in range(count) if keys[i] in marked], dtype=np.int32)
    facets = meshtags(mesh, 1, chosen, np.array([marked[keys[i]] for i in chosen], dtype=np.int32))

    # Each cell's two properties from its surface group.
    Q = fem.FunctionSpace(mesh, ("DG", 0))
    first, second = fem.Function(Q), fem.Function(Q)
    for tag, (p1, p2, _) in materials.items():
        cells = cell_tags.indices[cell_tags.values == tag]
        first.x.array[cells] = np.float32(p1)
        second.x.array[cells] = np.float32(p2)
    first.x.scatter_forward()
    second.x.scatter_forward()

    c = lambda x: fem.Constant(mesh, PETSc.ScalarType(np.float32(x)))
    ds = ufl.Measure("ds", domain=mesh, subdomain_data=facets)
    V = fem.VectorFunctionSpace(mesh, ("Lagrange", 1)) if disc else fem.FunctionSpace(mesh, ("Lagrange", 1))
    u, v = ufl.TrialFunction(V), ufl.TestFunction(V)
    bcs = []
    if disc:
        E, nu = first, second
        lam, mu = E * nu / (1 - nu * nu), E / (2 * (1 + nu))
        eps = lambda w: ufl.sym(ufl.grad(w))
        a = ufl.inner(lam * ufl.tr(eps(u)) * ufl.Identity(2) + 2 * mu * eps(u), eps(v)) * ufl.dx
        L = ufl.dot(ufl.as_vector([c(0.0), c(0.0)]), v) * ufl.dx
    else:
        a = first * ufl.dot(ufl.grad(u), ufl.grad(v)) * ufl.dx
        L = second * v * ufl.dx
    # Where held rows meet, the last of the conditions applied wins each held
    # value, as the lowest-numbered row does in the program: the tags are the
    # rows' numbers, applied from the highest down.
    for tag, (word, values) in sorted(conditions.items(), reverse=True):
        kind = kinds[word]
        if disc and kind == 1:
            L += ufl.dot(ufl.as_vector([c(values[0]), c(values[1])]), v) * ds(tag)
        elif not disc and kind == 2:
            L += c(values[0]) * v * ds(tag)
        elif not disc and kind == 3:
            a += c(values[0]) * u * v * ds(tag)
            L += c(values[0]) * c(values[1]) * v * ds(tag)
        elif disc and kind == 3:
            # A roller support: only the component value1 names, held at value2.
            component = V.sub(int(values[0]) - 1)
            dofs = fem.locate_dofs_topological(component, 1, facets.indices[facets.values == tag])
            bcs.append(fem.dirichletbc(PETSc.ScalarType(np.float32(values[1])), dofs, component))
        else:
            dofs = fem.locate_dofs_topological(V, 1, facets.indices[facets.values == tag])
            held = [np.float32(x) for x in values[:2]] if disc else np.float32(values[0])
            bcs.append(fem.dirichletbc(np.array(held, dtype=PETSc.ScalarType), dofs, V))
    a_form, L_form = fem.form(a), fem.form(L)
    A = fem.petsc.assemble_matrix(a_form, bcs=bcs)
    A.assemble()
    b = fem.petsc.assemble_vector(L_form)
    fem.petsc.apply_lifting(b, [a_form], bcs=[bcs])
    b.ghostUpdate(addv=PETSc.InsertMode.ADD, mode=PETSc.ScatterMode.REVERSE)
    fem.petsc.set_bc(b, bcs)
    ksp = PETSc.KSP().create(comm)
    ksp.setOperators(A)
    ksp.setType("preonly")
    ksp.getPC().setType("lu")
    ksp.getPC().setFactorSolverType("mumps")
    uh = fem.Function(V)
    ksp.solve(b, uh.vector)
    uh.x.scatter_forward()

    # Every process's own nodes with their values, to the first process,
    # which puts them in the file's order by position.
    owned = V.dofmap.index_map.size_local
    size = 2 if disc else 1
    mine = (V.tabulate_dof_coordinates()[:owned, :2], uh.x.array[: owned * size].reshape(-1, size))
    gathered = comm.gather(mine, root=0)
    if comm.rank != 0:
        return None
    coordinates = np.concatenate([g[0] for g in gathered])
    values = np.concatenate([g[1] for g in gathered])
    at = {tuple(p): i for i, p in enumerate(np.round(coordinates, 9).tolist())}
    index = np.array([at[tuple(p)] for p in np.round(nodes, 9).tolist()])
    nodal = values[index]
    return disc, nodes, triangles, surfaces, materials, nodal


def per_triangle(disc, nodes, triangles, surfaces, materials, nodal):
    """The flux or the stresses of each linear triangle, constant over it."""
    p = nodes[triangles]
    x, y = p[:, :, 0], p[:, :, 1]
    twice = (x[:, 1] - x[:, 0]) * (y[:, 2] - y[:, 0]) - (x[:, 2] - x[:, 0]) * (y[:, 1] - y[:, 0])
    b = np.stack([y[:, 1] - y[:, 2], y[:, 2] - y[:, 0], y[:, 0] - y[:, 1]], axis=1) / twice[:, None]
    c = np.stack([x[:, 2] - x[:, 1], x[:, 0] - x[:, 2], x[:, 1] - x[:, 0]], axis=1) / twice[:, None]
    first = np.array([np.float32(materials[s][0]) for s in surfaces], dtype=float)
    second = np.array([np.float32(materials[s][1]) for s in surfaces], dtype=float)
    if not disc:
        u = nodal[:, 0][triangles]
        gx, gy = (b * u).sum(axis=1), (c * u).sum(axis=1)
        return {"flux": np.column_stack([-first * gx, -first * gy, np.zeros_like(gx)])}
    ux, uy = nodal[:, 0][triangles], nodal[:, 1][triangles]
    ex, ey, gxy = (b * ux).sum(axis=1), (c * uy).sum(axis=1), (c * ux).sum(axis=1) + (b * uy).sum(axis=1)
    factor = first / (1 - second * second)
    sx, sy = factor * (ex + second * ey), factor * (ey + second * ex)
    txy = first / (2 * (1 + second)) * gxy
    return {"sigma_x": sx, "sigma_y": sy, "tau_xy": txy,
            "von_mises": np.sqrt(sx * sx - sx * sy + sy * sy + 3 * txy * txy)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("mesh")
    parser.add_argument("out")
    parser.add_argument("--properties", nargs=2, type=float, metavar=("P1", "P2"))
    args = parser.parse_args()
    result = solve(args.mesh, args.properties)
    if result is None:
        return
    disc, nodes, triangles, surfaces, materials, nodal = result
    point_data = {"ux": nodal[:, 0], "uy": nodal[:, 1]} if disc else {"u": nodal[:, 0]}
    cells = per_triangle(disc, nodes, triangles, surfaces, materials, nodal)
    points = np.column_stack([nodes, np.zeros(len(nodes))])
    meshio.write(args.out, meshio.Mesh(points, [("triangle", triangles)], point_data=point_data,
                                       cell_data={name: [value] for name, value in cells.items()}))
    print(f"{args.out}: trójkąty {len(triangles)}, węzły {len(nodes)}, procesy {MPI.COMM_WORLD.size}")


if __name__ == "__main__":
    main()
