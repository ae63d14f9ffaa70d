#!/usr/bin/python3
"""vendrel --solve: the mesh with its solution, read by meshio and gmsh.

  test_solve_cli.py VENDREL   a slab held at 100 on its left edge and 0 on its
      right, insulated above and below, solved into VTU and MSH 4.1: u is the
      linear field at every point, the flux k*100/L on every triangle; a
      disc; a disc free to float is refused with status 6 and no file; a
      problem nothing loads solves with status 0 and says its answer is zero;
      the solver's libraries loaded by --solve alone, and --version and
      --help answering at once under a small address-space limit; --adapt
      refining an L-shaped slab step by step to its target or its budget.
"""
import os
import re
import resource
import subprocess
import sys
import tempfile

import meshio
import numpy as np

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)
    return ok


X0, Y0, L, H, K = 3.0, 1.0, 4.0, 2.0, 45.0


def project(path, kind, conditions, sides, second, corners=None):
    """A rectangle, or the outline through corners; sides: the condition of
    each side (the rectangle's bottom, right, top, left)."""
    corners = corners or [(X0, Y0), (X0 + L, Y0), (X0 + L, Y0 + H), (X0, Y0 + H)]
    n = len(corners)
    text = "%d %d %d 1 0\n" % (n, n, len(conditions)) + "".join("%r %r\n" % c for c in corners)
    text += "".join("%d %d %d 1\n" % (i + 1, (i + 1) % n + 1, sides[i]) for i in range(n))
    text += "".join(" ".join("%r" % v for v in c) + " 0 0 0 0\n" for c in conditions)
    text += "1\n%r %r\n%d\nKoniec pliku\n" % (K, second, kind)
    open(path, "w").write(text)


def solve(vendrel, out, vdk, area="0.3"):
    return subprocess.run([vendrel, "--solve", out, "--area", area, "--max-triangles", "200000", vdk],
                          capture_output=True, text=True)


def main(vendrel):
    work = tempfile.mkdtemp()
    slab = os.path.join(work, "slab.vdk")
    # conditions: 1 temperature 100, 2 flux 0, 3 temperature 0
    project(slab, 1, [(1.0, 100.0, 0.0), (2.0, 0.0, 0.0), (1.0, 0.0, 0.0)], [2, 3, 2, 1], 0.0)
    # The fine mesh (over 50 000 nodes) has its arrays written in two halves
    # on two threads.
    for name, area in (("out.vtu", "0.3"), ("out.msh", "0.3"), ("fine.vtu", "0.00012"), ("fine.msh", "0.00012")):
        out = os.path.join(work, name)
        run = solve(vendrel, out, slab, area)
        if not check(run.returncode == 0, f"{name}: status {run.returncode}: {run.stderr}"):
            continue
        mesh = meshio.read(out)
        x = mesh.points[:, 0]
        if name.startswith("fine"):
            check(len(x) > 50000, f"{name}: {len(x)} nodes")
        exact = 100.0 * (1.0 - (x - X0) / L)
        u = np.asarray(mesh.point_data["u"]).reshape(-1)
        check(len(u) == len(x) and np.allclose(u, exact, rtol=1e-9, atol=1e-9 * 100),
              f"{name}: u is the linear field, worst {np.max(np.abs(u - exact))}")
        types = [c.type for c in mesh.cells]
        flux = mesh.cell_data["flux"][types.index("triangle")]
        check(flux.shape[1] == 3 and np.allclose(flux, [K * 100.0 / L, 0.0, 0.0], rtol=1e-9, atol=1e-9),
              f"{name}: the flux k*100/L on every triangle")
        # The recovered flux of a linear field is the flux itself, and the
        # estimate finds no error.
        recovered = np.asarray(mesh.point_data["flux_recovered"])
        check(recovered.shape == (len(x), 3) and np.allclose(recovered, [K * 100.0 / L, 0.0, 0.0], rtol=1e-9,
                                                               atol=1e-9), f"{name}: the recovered flux")
        check("Szacowany błąd: 0 %" in run.stderr, f"{name}: the estimate printed:\n{run.stderr}")
        if name.endswith(".vtu"):
            lines = mesh.cell_data["flux"][types.index("line")]
            check(len(lines) > 0 and not np.any(lines), f"{name}: boundary lines hold zero flux")
        else:
            check_gmsh(out, work)
    # A disc held on its left edge and pulled on its right: displacements
    # and the four stresses; then free to float: refused, nothing written.
    disc = os.path.join(work, "disc.vdk")
    project(disc, 10, [(2.0, 0.0, 0.0), (1.0, 1e6, 0.0), (1.0, 0.0, 0.0)], [3, 2, 3, 1], 0.3)
    out = os.path.join(work, "disc.vtu")
    run = solve(vendrel, out, disc)
    if check(run.returncode == 0, f"disc: {run.stderr}"):
        mesh = meshio.read(out)
        ux = np.asarray(mesh.point_data["ux"]).reshape(-1)
        right = np.isclose(mesh.points[:, 0], X0 + L)
        check(np.all(ux[right] > 0) and np.allclose(ux[np.isclose(mesh.points[:, 0], X0)], 0.0),
              "disc: held on the left, pulled to the right")
        for name in ("uy", "sigma_x", "sigma_y", "tau_xy", "von_mises", "sigma_recovered"):
            check(name in mesh.point_data or name in mesh.cell_data, f"disc: {name} written")
        sx = np.concatenate([np.ravel(a) for a in mesh.cell_data["sigma_x"]])
        check(np.isclose(sx.max(), 1e6, rtol=0.5), f"disc: sigma_x near the load {sx.max()}")
    floating = os.path.join(work, "floating.vdk")
    project(floating, 10, [(1.0, 0.0, 0.0)], [1, 1, 1, 1], 0.3)
    for name in ("f.vtu", "f.msh"):
        out = os.path.join(work, name)
        run = solve(vendrel, out, floating)
        check(run.returncode == 6 and run.stderr.strip() != "" and not os.path.exists(out),
              f"floating disc {name}: status {run.returncode}: {run.stderr}")
    # Nothing loads these (a slab held at 0, the start-up disc held at 0
    # everywhere): solved, status 0, and stderr says the answer is zero.
    zero = os.path.join(work, "zero.vdk")
    for kind, conditions, sides in ((1, [(1.0, 0.0, 0.0), (2.0, 0.0, 0.0)], [2, 1, 2, 1]),
                                    (10, [(2.0, 0.0, 0.0)], [1, 1, 1, 1])):
        project(zero, kind, conditions, sides, 0.3 if kind == 10 else 0.0)
        run = solve(vendrel, os.path.join(work, "zero.vtu"), zero)
        check(run.returncode == 0 and "Nic nie obciąża zadania: rozwiązanie jest zerowe." in run.stderr,
              f"problem {kind} with no load: status {run.returncode}: {run.stderr}")
    check("Nic nie obciąża" not in solve(vendrel, os.path.join(work, "loaded.vtu"), slab).stderr,
          "a loaded slab says nothing of a zero answer")
    # A large mesh whose open file cannot be written is told so, not told to
    # write the open file it was writing.
    run = subprocess.run([vendrel, "--export", os.path.join(work, "none", "big.vtu"), "--area", "0.001",
                          "--max-triangles", "200000", slab], capture_output=True, text=True)
    check(run.returncode == 5 and ".msh albo .vtu" not in run.stderr,
          f"an unwritable large .vtu: status {run.returncode}: {run.stderr}")
    for args, words in ((["--solve", "a.m2d"], "Rozwiązanie zapisuje"),
                        (["--solve", "a.msh", "--msh-version", "2.2"], "Rozwiązanie zapisuje"),
                        (["--solve", "a.vtu", "--export", "b.vtu"], "wykluczają się")):
        run = subprocess.run([vendrel, *args, slab], capture_output=True, text=True, cwd=work)
        check(run.returncode == 2 and words in run.stderr, f"{args}: status {run.returncode}: {run.stderr}")
    run = subprocess.run([vendrel, "--help"], capture_output=True, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    check(run.returncode == 0 and "--solve <PLIK>" in run.stdout and "--solve PLIK}" in run.stdout
          and "6 zadania nie można rozwiązać" in run.stdout and "--adapt <ETA>" in run.stdout,
          f"--help names --solve, --adapt and status 6:\n{run.stdout}")
    check_libraries(vendrel, slab, work)
    check_adapt(vendrel, work)


def check_adapt(vendrel, work):
    """An L-shaped slab, held at 1 and 0 on the ends of its arms: each step's
    line, the error falling, the target met, the file the last step's mesh;
    then a target past the budget, and --adapt where it does not belong."""
    shape = os.path.join(work, "l.vdk")
    project(shape, 1, [(1.0, 0.0, 0.0), (1.0, 1.0, 0.0), (2.0, 0.0, 0.0)], [3, 2, 3, 3, 1, 3], 0.0,
            [(0.0, 0.0), (2.0, 0.0), (2.0, 1.0), (1.0, 1.0), (1.0, 2.0), (0.0, 2.0)])
    out = os.path.join(work, "l.vtu")
    for eta, budget, end in (("0.02", "20000", "Osiągnięto zadaną dokładność 2 %"),
                             ("0.001", "3000", "Limit 3 000 trójkątów nie pozwala osiągnąć dokładności 0.1 %")):
        run = subprocess.run([vendrel, "--solve", out, "--adapt", eta, "--area", "0.25", "--max-triangles", budget,
                              shape], capture_output=True, text=True)
        steps = [(int(k), int(n.replace(" ", "")), float(e)) for k, n, e in
                 re.findall(r"^Krok (\d+): ([\d ]+) trójk\w+, szacowany błąd ([\d.]+) %$", run.stderr, re.M)]
        if not check(run.returncode == 0 and len(steps) >= 2 and end in run.stderr, f"--adapt {eta}:\n{run.stderr}"):
            continue
        check([s[0] for s in steps] == list(range(len(steps))), f"--adapt {eta}: steps numbered {steps}")
        check(all(b[2] < a[2] and b[1] > a[1] for a, b in zip(steps, steps[1:])), f"--adapt {eta}: {steps}")
        check(steps[-1][1] <= int(budget) and (eta != "0.02" or steps[-1][2] <= 2.0), f"--adapt {eta}: {steps}")
        mesh = meshio.read(out)
        triangles = sum(len(c.data) for c in mesh.cells if c.type == "triangle")
        check(triangles == steps[-1][1], f"--adapt {eta}: the file has {triangles} triangles, not {steps[-1][1]}")
    for args in (["--export", "a.vtu", "--adapt", "0.01"], ["--solve", "a.vtu", "--adapt", "1"]):
        run = subprocess.run([vendrel, *args, shape], capture_output=True, text=True, cwd=work)
        check(run.returncode == 2 and "--adapt" in run.stderr, f"{args}: status {run.returncode}: {run.stderr}")


def check_libraries(vendrel, slab, work):
    """CHOLMOD and the BLAS (whose threads start when it is loaded) come with
    the factorisation module at the first solve, never before."""
    def loaded(args):
        run = subprocess.run([vendrel, *args, "--area", "0.3", slab], capture_output=True, text=True, cwd=work,
                             env=dict(os.environ, LD_DEBUG="files"))
        return run.returncode, {lib for lib in ("vendrel-factor.so", "libcholmod", "libopenblas")
                                if "file=" + lib in run.stderr.replace("/", " file=")}
    status, libs = loaded(["--export", "e.msh"])
    check(status == 0 and not libs, f"--export: status {status}, loads {libs}")
    status, libs = loaded(["--solve", "s.vtu"])
    check(status == 0 and libs == {"vendrel-factor.so", "libcholmod", "libopenblas"},
          f"--solve: status {status}, loads {libs}")

    def small_address_space():
        limit = 250000 * 1024
        resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    with open(vendrel, "rb") as f:
        if b"__asan_init" in f.read():
            print("skipped: --version under ulimit -v, as the sanitizers reserve terabytes of address space")
            return
    for option in ("--version", "--help"):
        try:
            run = subprocess.run([vendrel, option], capture_output=True, text=True, timeout=10,
                                 preexec_fn=small_address_space, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            check(run.returncode == 0 and run.stdout.strip() != "",
                  f"{option} under ulimit -v 250000: status {run.returncode}: {run.stderr}")
        except subprocess.TimeoutExpired:
            check(False, f"{option} under ulimit -v 250000 did not end in 10 s")


def check_gmsh(path, work):
    check_file = os.path.join(work, "check.msh")
    run = subprocess.run(["gmsh", path, "-0", "-o", check_file], capture_output=True, text=True)
    text = run.stdout + run.stderr
    check(run.returncode == 0 and "Error" not in text and "Warning" not in text and os.path.exists(check_file),
          f"gmsh loads {path}:\n{text}")


if __name__ == "__main__":
    main(sys.argv[1])
    print(f"{len(failures)} failed")
    sys.exit(1 if failures else 0)
