#!/usr/bin/python3
"""FEniCSx's own time on the large heat problem that bench_solve times.

  fenics_large.py VENDREL [AREA]   the 100 x 100 square (bottom held at
      100 °C, right taking 50 W/m in, top convecting to 20 °C with alpha =
      10, left insulated; lambda = 45, a source of 1000 W/m³) meshed and
      solved by vendrel --solve into MSH 4.1 (area 0.016: 970 455
      triangles), then by dolfinx on that very file (P1, PETSc's LU).
      Prints both times and the largest difference of the nodal values.
"""
import os
import subprocess
import sys
import tempfile
import time

import meshio
import numpy as np
from scipy.spatial import cKDTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "scripts"))
import test_fenics  # noqa: E402  (dolfinx's side of the comparison)

CONDITIONS = [(1.0, 100.0, 0.0), (2.0, 50.0, 0.0), (3.0, 10.0, 20.0), (2.0, 0.0, 0.0)]


def main(vendrel, area):
    work = tempfile.mkdtemp()
    vdk, out = os.path.join(work, "square.vdk"), os.path.join(work, "square.msh")
    corners = [(0.0, 0.0), (100.0, 0.0), (100.0, 100.0), (0.0, 100.0)]
    text = "4 4 4 1 0\n" + "".join("%r %r\n" % p for p in corners)
    text += "".join("%d %d %d 1\n" % (i + 1, (i + 1) % 4 + 1, i + 1) for i in range(4))
    text += "".join("%r %r %r 0 0 0 0\n" % c for c in CONDITIONS)
    text += "1\n45.0 1000.0\n1\nKoniec pliku\n"
    open(vdk, "w").write(text)
    start = time.perf_counter()
    run = subprocess.run([vendrel, "--solve", out, "--area", area, "--max-triangles", "1000000", vdk],
                         capture_output=True, text=True)
    ours_elapsed = time.perf_counter() - start
    if run.returncode != 0:
        print(f"vendrel status {run.returncode}: {run.stderr}")
        return 1
    ours = meshio.read(out)
    points, values, elapsed, triangles = test_fenics.fenics(out, 1, 45.0, 1000.0, CONDITIONS)
    # dolfinx numbers the nodes its own way: pair them by position.
    distance, index = cKDTree(ours.points[:, :2]).query(points)
    u = np.asarray(ours.point_data["u"]).reshape(-1)
    difference = np.max(np.abs(values[:, 0] - u[index])) / np.max(np.abs(u))
    print(f"{triangles} triangles, {len(points)} nodes, paired within {distance.max():.1e}")
    print(f"vendrel --solve (mesh, solve, file): {ours_elapsed:.2f} s")
    print(f"dolfinx assembly and LU solve: {elapsed:.2f} s")
    print(f"max |difference| / max |value| = {difference:.3e}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "0.016"))
