#!/usr/bin/python3
"""trevano-cli on body plans as they are drawn: flat on the sheet, beside guide lines, numbered by
labels or by --stazioni; and on the real drawings of ../shared/hulls when that folder is there.

    hull_bodyplan.py TREVANO-CLI SCRATCH-FOLDER SAMPLES-FOLDER HULLS-FOLDER

The sample's 21 stations (samples/wigley.dxf, 3D, x = 0 to 6000 mm) are drawn again flat, as
a body plan is drawn on paper; every hull output must then be that of the 3D sample, byte for
byte or within one unit of its last printed digit.
"""
import re
import subprocess
import sys
from pathlib import Path

import ezdxf

CLI, SCRATCH, SAMPLES, HULLS = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3]), Path(sys.argv[4])
SCRATCH.mkdir(parents=True, exist_ok=True)
OUTPUTS = ("--pdstrip", "--nemoh", "--gdf")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL", what)


def run(drawing, *args):
    return subprocess.run([CLI, str(drawing), *args], capture_output=True, text=True)


def outputs(drawing, name, *args):
    """The hull files and the hydrostatic lines of one run."""
    files = [SCRATCH / f"{name}{option}" for option in OUTPUTS]
    pairs = [a for option, f in zip(OUTPUTS, files) for a in (option, str(f))]
    r = run(drawing, "--galleggiamento", "375", "--idrostatica", *pairs, *args)
    check(r.returncode == 0, f"{name}: {r.stderr}")
    hydrostatics = r.stdout.split("\n", 2)[2] if r.returncode == 0 else ""
    return [hydrostatics] + [f.read_text() if f.exists() else "" for f in files]


NUMBER = re.compile(r"(-?)(\d)\.(\d{6})e([+-]\d{3})")


def same(a, b):
    """Equal texts, or numbers apart by one unit of the last printed digit at most."""
    ta, tb = NUMBER.split(a), NUMBER.split(b)
    if len(ta) != len(tb):
        return False
    for i in range(0, len(ta), 5):
        if ta[i] != tb[i]:
            return False
        if i + 4 < len(ta):
            va = float(f"{ta[i + 1]}{ta[i + 2]}.{ta[i + 3]}e{ta[i + 4]}")
            vb = float(f"{tb[i + 1]}{tb[i + 2]}.{tb[i + 3]}e{tb[i + 4]}")
            unit = 10.0 ** (int(max(ta[i + 4], tb[i + 4], key=int)) - 6)
            if abs(va - vb) > 1.0001 * unit:
                return False
    return True


def stations():
    """The sample's stations: x and the (y, z) of each point, keel first."""
    doc = ezdxf.readfile(SAMPLES / "wigley.dxf")
    return [(p.vertices[0].dxf.location[0], [(v.dxf.location[1], v.dxf.location[2]) for v in p.vertices])
            for p in doc.modelspace().query("POLYLINE")]


def guides(msp):
    """The base line, three waterlines and two buttock lines: straight, level or upright."""
    for z in (0.0, 125.0, 250.0, 375.0):
        msp.add_line((-400, z), (400, z))
    for y in (-150.0, 150.0):
        msp.add_lwpolyline([(y, -20), (y, 650)])


def labelled_body_plan(path):
    """Aft stations left of the centreline, forward ones right, each numbered just above its
    sheer; the stern post and the stem as lines on the centreline, numbered below and above."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    guides(msp)
    for x, points in stations():
        number = round(x / 300)
        if points[-1][0] == 0.0:  # a line: the post below, the stem above
            top = 600 if number == 0 else 640
            msp.add_text(str(number), dxfattribs={"insert": (0, -40 if number == 0 else 670)})
            msp.add_lwpolyline([(0, 0), (0, top)])
            continue
        side = -1 if x < 3000 else 1
        msp.add_lwpolyline([(side * y, z) for y, z in points])
        msp.add_text(str(number), dxfattribs={"insert": (side * points[-1][0], 630)})
    doc.saveas(path)


def both_sides(path):
    """Every station on both sides, unnumbered but for the post and the stem, whose labels stand
    written right before them; the x of each curve given in the drawing's order."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    xs = []
    for x, points in stations():
        if points[-1][0] == 0.0:
            msp.add_mtext("{\\H2.5;%d}" % round(x / 300), dxfattribs={"insert": (0, 700)})
            msp.add_lwpolyline([(0, 0), (0, 600)])
            xs.append(x)
            continue
        for side in (-1, 1):
            msp.add_lwpolyline([(side * y, z) for y, z in points])
            xs.append(x)
    guides(msp)
    doc.saveas(path)
    return ",".join("%g" % x for x in xs)


reference = outputs(SAMPLES / "wigley.dxf", "3d")
labelled_body_plan(SCRATCH / "labelled.dxf")
xs = both_sides(SCRATCH / "both.dxf")
for name, args in (("labelled", ["--passo-stazioni", "300"]), ("both", ["--stazioni", xs])):
    flat = outputs(SCRATCH / f"{name}.dxf", name, "--lwpolyline", "--linee", "--piano-di-costruzione", *args)
    for what, a, b in zip(("hydrostatics",) + OUTPUTS, reference, flat):
        check(same(a, b), f"{name}: {what} differs from the 3D sample's")

# The refusals of a body plan that gives no positions, or too few.
r = run(SCRATCH / "both.dxf", "--lwpolyline", "--piano-di-costruzione", "--galleggiamento", "375", "--idrostatica")
check(r.returncode == 1 and "--stazioni" in r.stderr and "--passo-stazioni" in r.stderr, f"no positions: {r.stderr}")
r = run(SCRATCH / "both.dxf", "--lwpolyline", "--piano-di-costruzione", "--galleggiamento", "375", "--idrostatica",
        "--stazioni", "0,300")
check(r.returncode == 1 and "ha 40 curve" in r.stderr, f"too few positions: {r.stderr}")

# The real drawings: what each gives as a user would run it.
if not HULLS.is_dir():
    print(f"SKIP the real drawings: {HULLS} is absent")
else:
    def hull(name, *args):
        return run(HULLS / name, "--idrostatica", *args)

    r = hull("maxsurf_patrol_3d.dxf", "--galleggiamento", "3", "--solo-sezioni")
    check(r.returncode == 0 and r.stderr.count("lasciate fuori dallo scafo") == 1, f"patrol 3D: {r.stderr}")
    three_d = r.stdout
    doc = ezdxf.readfile(HULLS / "maxsurf_patrol_3d.dxf")
    patrol_x = ",".join("%g" % e.vertices[0].dxf.location[0] for e in doc.modelspace() if e.dxf.layer.startswith("ST"))
    r = hull("maxsurf_patrol_bodyplan_split.dxf", "--galleggiamento", "3", "--piano-di-costruzione",
             "--escludi-layer", "EDGES", "--stazioni", patrol_x)
    check(r.returncode == 0, f"patrol body plan: {r.stderr}")
    for a, b in zip(re.findall(NUMBER, three_d), re.findall(NUMBER, r.stdout)):
        va, vb = (float(f"{s}{d}.{f}e{e}") for s, d, f, e in (a, b))
        check(abs(va - vb) <= 2e-3 * max(abs(va), abs(vb), 1e-9) + 1e-6, f"patrol body plan: {a} against {b}")
    r = hull("meeuw_stations_at_elevation.dxf", "--galleggiamento", "1", "--lwpolyline", "--piano-di-costruzione")
    check(r.returncode == 0 and "dalla sua quota" in r.stderr, f"meeuw: {r.stderr}")
    r = hull("rc_hull_sections_layer_x.dxf", "--galleggiamento", "-60", "--lwpolyline", "--piano-di-costruzione")
    check(r.returncode == 1 and "spessore" in r.stderr, f"rc hull: {r.stderr}")
    r = hull("rc_tunnel_hull_sections.dxf", "--galleggiamento", "40", "--lwpolyline", "--piano-di-costruzione")
    check(r.returncode == 1 and "--stazioni" in r.stderr, f"rc tunnel: {r.stderr}")

sys.exit(1 if failures else 0)
