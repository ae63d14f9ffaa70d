#!/usr/bin/python3
"""examples/fenicsx/solve.py under `mpirun -n 2` against vendrel --solve.

  test_fenicsx_script.py VENDREL SCRIPT   a plate with a square insert:
      heat with the insert of another material (a hundred times as
      conductive, the source in the plate alone), a disc of two materials,
      the same disc held by roller supports alone (ux on its left side, uy
      on its bottom), and the plate of one material (its properties given
      on the command line). vendrel --solve writes the mesh (MSH 4.1) and its own solution
      (VTU); the script solves the MSH file on two processes. The nodal
      values must agree to 1e-8 of the largest, and so must the fluxes or
      stresses of the triangles. Skipped (status 77) without FEniCSx or MPI.
"""
import os
import shutil
import subprocess
import sys
import tempfile

import numpy as np

try:
    import meshio
    import dolfinx  # noqa: F401
except ImportError as error:
    print(f"SKIP: FEniCSx is not installed (python3-dolfinx-real): {error}")
    sys.exit(77)
if shutil.which("mpirun") is None:
    print("SKIP: no mpirun")
    sys.exit(77)

OUTER = [(0.0, 0.0), (4.0, 0.0), (4.0, 3.0), (0.0, 3.0)]
INSERT = [(1.5, 1.0), (2.5, 1.0), (2.5, 2.0), (1.5, 2.0)]


def project(path, kind, own, conditions, materials):
    """The plate, its sides naming condition rows 1 to 4 and the insert's row
    5; with materials, a region point in the insert of material 1 and one in
    the plate of material 2."""
    nodes = OUTER + INSERT
    lines = ["8 8 %d 1 0" % len(conditions)] + ["%.15f %.15f" % p for p in nodes]
    for ring in (0, 4):
        lines += ["%d %d %d 1" % (ring + i + 1, ring + (i + 1) % 4 + 1, min(ring + i + 1, 5)) for i in range(4)]
    lines += ["%f %f %f 0 0 0 0" % c for c in conditions] + ["1", "%f %f" % own, str(kind), "Koniec pliku"]
    if materials:
        lines += ["Obszary", "%d 2" % len(materials)] + ['"%s" %f %f' % m for m in materials]
        lines += ["2.000000 1.500000 1 0.000000", "0.500000 0.500000 2 0.000000"]
    open(path, "w", newline="").write("\r\n".join(lines) + "\r\n")


# name: kind, the project's own pair, conditions (kind, value1, value2; no
# two held sides meet, so no precedence between held values is in play),
# materials (name, p1, p2), and the properties to give the script.
CASES = {
    "heat-insert": (1, (45.0, 0.0), [(1, 100, 0), (3, 12.5, 20), (2, -30, 0), (3, 5, 0), (2, 0, 0)],
                    [("miedz", 4500.0, 0.0), ("stal", 45.0, 800.0)], None),
    "disc-insert": (10, (210000.0, 0.3), [(1, 0, -1000), (1, 20000, 5000), (1, 0, 0), (2, 0, 0), (1, 0, 0)],
                    [("sztywna", 2100000.0, 0.2), ("miekka", 210000.0, 0.3)], None),
    "disc-rollers": (10, (210000.0, 0.3), [(3, 2, 0), (1, 20000, 5000), (1, 0, 0), (3, 1, 0), (1, 0, 0)],
                     [("sztywna", 2100000.0, 0.2), ("miekka", 210000.0, 0.3)], None),
    "heat-one": (1, (45.0, 500.0), [(1, 100, 0), (3, 12.5, 20), (2, -30, 0), (3, 5, 0), (2, 0, 0)], [],
                 ("45", "500")),
}


def main(vendrel, script):
    env = dict(os.environ, OMPI_ALLOW_RUN_AS_ROOT="1", OMPI_ALLOW_RUN_AS_ROOT_CONFIRM="1", OMPI_MCA_btl="self,vader")
    failures = 0
    work = tempfile.mkdtemp()
    for name, (kind, own, conditions, materials, properties) in CASES.items():
        vdk, msh, vtu, theirs = (os.path.join(work, name + s) for s in (".vdk", ".msh", ".vtu", "-fx.vtu"))
        project(vdk, kind, own, conditions, materials)
        for out in (msh, vtu):
            run = subprocess.run([vendrel, "--solve", out, "--area", "0.01", vdk], capture_output=True, text=True)
            if run.returncode != 0:
                print(f"FAIL: {name}: vendrel status {run.returncode}: {run.stderr}")
                failures += 1
                break
        else:
            args = ["mpirun", "-n", "2", "/usr/bin/python3", script, msh, theirs]
            args += ["--properties", *properties] if properties else []
            run = subprocess.run(args, capture_output=True, text=True, env=env, cwd=work, timeout=600)
            if run.returncode != 0:
                print(f"FAIL: {name}: the script's status {run.returncode}: {run.stderr[-2000:]}")
                failures += 1
                continue
            ours, fx = meshio.read(vtu), meshio.read(theirs)
            fields = ("ux", "uy") if kind == 10 else ("u",)
            a = np.column_stack([np.asarray(ours.point_data[f]).reshape(-1) for f in fields])
            b = np.column_stack([np.asarray(fx.point_data[f]).reshape(-1) for f in fields])
            same_nodes = len(a) == len(b) and np.array_equal(ours.points[:, :2], fx.points[:, :2])
            nodal = np.max(np.abs(a - b)) / np.max(np.abs(a)) if same_nodes else np.inf
            cell = ("von_mises" if kind == 10 else "flux")
            triangle = [i for i, c in enumerate(ours.cells) if c.type == "triangle"][0]
            ca = np.asarray(ours.cell_data[cell][triangle]).reshape(len(ours.cells[triangle].data), -1)
            cb = np.asarray(fx.cell_data[cell][0]).reshape(len(fx.cells[0].data), -1)
            cells = np.max(np.abs(ca - cb)) / np.max(np.abs(ca)) if ca.shape == cb.shape else np.inf
            ok = same_nodes and nodal <= 1e-8 and cells <= 1e-8
            failures += not ok
            print(f"{'ok' if ok else 'FAIL'}: {name}: {len(a)} nodes in the file's order: {same_nodes}; "
                  f"nodal values {nodal:.2e}, {cell} {cells:.2e} of the largest")
    return failures


if __name__ == "__main__":
    failed = main(sys.argv[1], sys.argv[2])
    print(f"{failed} failed")
    sys.exit(1 if failed else 0)
