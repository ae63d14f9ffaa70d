#!/usr/bin/python3
"""Drawings from a stranger, through `vendrel --export OUT.msh DRAWING.dxf`.

    test_dxf_hostile.py VENDREL

Each hostile file is refused with status 3 and a sentence on standard
error, within ten seconds and (where the program is not built with the
sanitizers, which reserve terabytes of address space) within 2 GiB of
address space, and no output file is written. Files that only look
unusual (long texts, long names) are read. The command line's options
for the drawing's tolerance, join distance and scale are checked too."""

import os
import resource
import subprocess
import sys
import tempfile

import ezdxf

passed = failed = 0


def check(name, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print(f"FAIL: {name} {detail}")


def entities(body):
    return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n"


def square(x="0", layer="0"):
    """A square of four LINEs; `x` is the first corner's x as written."""
    corners = [(x, "0"), ("10", "0"), ("10", "10"), ("0", "10")]
    body = ""
    for i in range(4):
        (x0, y0), (x1, y1) = corners[i], corners[(i + 1) % 4]
        body += f"0\nLINE\n8\n{layer}\n10\n{x0}\n20\n{y0}\n11\n{x1}\n21\n{y1}\n"
    return body


def run(vendrel, drawing, out, *options):
    limit = None
    with open(vendrel, "rb") as f:
        if b"__asan_init" not in f.read():
            limit = lambda: resource.setrlimit(resource.RLIMIT_AS, (2 << 30, 2 << 30))
    try:
        r = subprocess.run([vendrel, "--export", out, *options, drawing], capture_output=True, text=True,
                           timeout=10, preexec_fn=limit)
        return r.returncode, r.stderr
    except subprocess.TimeoutExpired:
        return "timeout", ""


def gapped_l_plate(path, gap):
    """An L-shaped plate of six LINEs whose ends miss each other by `gap`."""
    doc = ezdxf.new()
    doc.units = 0  # no units: --dxf-scale m has nothing to go by
    msp = doc.modelspace()
    pts = [(0, 0), (100, 0), (100, 40), (40, 40), (40, 100), (0, 100)]
    for i in range(6):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % 6]
        msp.add_line((x0 + gap, y0), (x1, y1 + gap))
    doc.saveas(path)


def main():
    vendrel = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "out.msh")
        refused = {
            "a coordinate zzz": (entities(square("zzz")), "zamiast liczby (kod 10) stoi „zzz”"),
            "a coordinate 1O": (entities(square("1O")), "stoi „1O”"),
            "a coordinate 1.#QNAN": (entities(square("1.#QNAN")), "stoi „1.#QNAN”"),
            "a coordinate 1e-400": (entities(square("1e-400")), "stoi „1e-400”"),
            "a LINE without its end": (entities("0\nLINE\n8\n0\n10\n0\n20\n0\n"), "nie ma wartości o kodzie 11"),
            "an entity cut short": (entities(square()[:-20]), "Plik DXF jest"),
            "LWPOLYLINE of 10^9 vertices": (entities("0\nLWPOLYLINE\n90\n1000000000\n10\n0\n20\n0\n"),
                                            "zapowiada 1000000000"),
            "LWPOLYLINE of 10^8 vertices": (entities("0\nLWPOLYLINE\n90\n100000000\n"), "zapowiada 100000000"),
            "SPLINE of 10^8 control points": (entities("0\nSPLINE\n70\n8\n71\n3\n73\n100000000\n"), "(kod 73)"),
            "LEADER of 10^8 vertices": (entities("0\nLEADER\n76\n100000000\n"), "(kod 76)"),
            "a long TEXT and nothing else": (entities("0\nTEXT\n8\n0\n10\n1\n20\n1\n40\n1\n1\n" + "A" * 1024 + "\n"),
                                             "nie ma linii"),
            "lines on 10 001 layers": (entities("".join(f"0\nLINE\n8\nL{i}\n10\n{i}\n20\n0\n11\n{i}\n21\n1\n"
                                                        for i in range(10001))), "ponad 10 000 warstwach"),
        }
        for name, (text, expected) in refused.items():
            path = os.path.join(tmp, "hostile.dxf")
            with open(path, "w") as f:
                f.write(text)
            status, err = run(vendrel, path, out)
            check(name, status == 3 and expected in err and not os.path.exists(out), f"{status} {err!r}")

        # Long texts dxflib could not hold are cut, and the drawing reads.
        path = os.path.join(tmp, "long.dxf")
        with open(path, "w") as f:
            f.write("999\n" + "c" * 5000 + "\n" + entities(square(layer="W" * 3000)))
        status, err = run(vendrel, path, out)
        check("long names and comments", status == 0 and os.path.exists(out), f"{status} {err!r}")
        if os.path.exists(out):
            os.remove(out)

        # Gaps CAD programs leave close by default; without joining, the
        # loose ends are named and nothing is written.
        path = os.path.join(tmp, "gaps.dxf")
        gapped_l_plate(path, 0.01)
        status, err = run(vendrel, path, out)
        check("gaps of 1e-4 close by default", status == 0 and os.path.exists(out), f"{status} {err!r}")
        if os.path.exists(out):
            os.remove(out)
        status, err = run(vendrel, path, out, "--dxf-join", "0")
        check("--dxf-join 0 leaves the gaps open", status == 3 and "100" in err and not os.path.exists(out),
              f"{status} {err!r}")
        status, err = run(vendrel, path, out, "--dxf-join=0,02", "--dxf-tolerance", "0.5", "--dxf-scale", "0.001")
        check("the options are taken", status == 0, f"{status} {err!r}")
        if os.path.exists(out):
            os.remove(out)
        status, err = run(vendrel, path, out, "--dxf-scale", "m")
        check("--dxf-scale m needs the drawing's units", status == 3 and "$INSUNITS" in err, f"{status} {err!r}")
        for bad in (["--dxf-join", "-1"], ["--dxf-tolerance", "0"], ["--dxf-scale", "x"]):
            status, err = run(vendrel, path, out, *bad)
            check(f"{bad} refused", status == 2 and bad[0] in err, f"{status} {err!r}")

    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
