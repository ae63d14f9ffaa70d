"""The reference for the Kirsch test: the stress sigma_xx at the top of the
hole of a 40 x 40 plate with a hole of radius 1 at its centre, pulled at 100
along x, computed with FEniCSx on its quarter (rollers on the cut edges)
with quadratic elements on a mesh graded towards the hole. The hole is the
same 256-sided polygon per quarter that the program's test draws.

    /usr/bin/python3 tests/scripts/kirsch_reference.py [SIZE_AT_THE_HOLE]

Each polygon corner is a very slightly re-entrant corner, so the value at
the corner creeps up as the mesh there is refined (by about 0.3 a halving);
the smooth circle's value, which the test aims at, is where it starts:
sizes 0.02, 0.01, 0.005, 0.0025 give 302.10, 302.13, 302.68, 302.96."""
import sys

import gmsh
import numpy as np
from mpi4py import MPI
import dolfinx, ufl
from dolfinx.io import gmshio
from petsc4py import PETSc

sides = 256
h_hole = float(sys.argv[1]) if len(sys.argv) > 1 else 0.01
gmsh.initialize()
gmsh.option.setNumber("General.Terminal", 0)
gmsh.model.add("q")
pts = []
def P(x, y, h): return gmsh.model.geo.addPoint(x, y, 0, h)
corner = [P(1, 0, h_hole), P(20, 0, 1.0), P(20, 20, 1.0), P(0, 20, 1.0), P(0, 1, h_hole)]
arc = [corner[4]]
for k in range(1, sides):
    a = np.pi / 2 * (1 - k / sides)
    arc.append(P(np.cos(a), np.sin(a), h_hole))
arc.append(corner[0])
lines = [gmsh.model.geo.addLine(corner[i], corner[i + 1]) for i in range(4)]
for i in range(len(arc) - 1):
    lines.append(gmsh.model.geo.addLine(arc[i], arc[i + 1]))
loop = gmsh.model.geo.addCurveLoop(lines)
surf = gmsh.model.geo.addPlaneSurface([loop])
gmsh.model.geo.synchronize()
gmsh.model.addPhysicalGroup(2, [surf], 1)
gmsh.model.addPhysicalGroup(1, [lines[0]], 1)  # y = 0
gmsh.model.addPhysicalGroup(1, [lines[1]], 2)  # x = 20
gmsh.model.addPhysicalGroup(1, [lines[3]], 4)  # x = 0
# grade the mesh away from the hole
f = gmsh.model.mesh.field.add("Distance"); gmsh.model.mesh.field.setNumbers(f, "CurvesList", lines[4:])
t = gmsh.model.mesh.field.add("Threshold")
gmsh.model.mesh.field.setNumber(t, "InField", f)
gmsh.model.mesh.field.setNumber(t, "SizeMin", h_hole); gmsh.model.mesh.field.setNumber(t, "SizeMax", 1.0)
gmsh.model.mesh.field.setNumber(t, "DistMin", 0.05); gmsh.model.mesh.field.setNumber(t, "DistMax", 8.0)
gmsh.model.mesh.field.setAsBackgroundMesh(t)
gmsh.option.setNumber("Mesh.MeshSizeExtendFromBoundary", 0)
gmsh.model.mesh.generate(2)
mesh, cell_tags, facet_tags = gmshio.model_to_mesh(gmsh.model, MPI.COMM_WORLD, 0, gdim=2)
gmsh.finalize()

E, nu = 1.0, 0.3
V = dolfinx.fem.VectorFunctionSpace(mesh, ("Lagrange", 2))
u, v = ufl.TrialFunction(V), ufl.TestFunction(V)
eps = lambda w: ufl.sym(ufl.grad(w))
lmb = E * nu / (1 - nu * nu); mu = E / (2 * (1 + nu))  # plane stress
sigma = lambda w: lmb * ufl.tr(eps(w)) * ufl.Identity(2) + 2 * mu * eps(w)
ds = ufl.Measure("ds", domain=mesh, subdomain_data=facet_tags)
a = ufl.inner(sigma(u), eps(v)) * ufl.dx
L = ufl.dot(dolfinx.fem.Constant(mesh, PETSc.ScalarType((100.0, 0.0))), v) * ds(2)
fdim = 1
bcs = []
for tag, comp in ((1, 1), (4, 0)):
    facets = facet_tags.find(tag)
    Vc, _ = V.sub(comp).collapse()
    dofs = dolfinx.fem.locate_dofs_topological((V.sub(comp), Vc), fdim, facets)
    zero = dolfinx.fem.Function(Vc)
    bcs.append(dolfinx.fem.dirichletbc(zero, dofs, V.sub(comp)))
problem = dolfinx.fem.petsc.LinearProblem(a, L, bcs=bcs, petsc_options={"ksp_type": "preonly", "pc_type": "lu", "pc_factor_mat_solver_type": "mumps"})
uh = problem.solve()
W = dolfinx.fem.FunctionSpace(mesh, ("DG", 1))
sxx = dolfinx.fem.Function(W)
sxx.interpolate(dolfinx.fem.Expression(sigma(uh)[0, 0], W.element.interpolation_points()))
tree = dolfinx.geometry.BoundingBoxTree(mesh, 2)
point = np.array([[0.0, 1.0, 0.0]])
cands = dolfinx.geometry.compute_collisions(tree, point)
cells = dolfinx.geometry.compute_colliding_cells(mesh, cands, point)
vals = [sxx.eval(point, np.array([c], dtype=np.int32))[0] for c in cells.links(0)]
print(f"h_hole {h_hole} cells {mesh.topology.index_map(2).size_local} dofs {V.dofmap.index_map.size_local*2} "
      f"sigma_xx at (0,1): mean {np.mean(vals):.4f} min {np.min(vals):.4f} max {np.max(vals):.4f}")
