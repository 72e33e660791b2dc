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


NUMBER = re.compile(r"-?\d\.\d{6}e[+-]\d{3}")


def same(a, b):
    """Equal texts, or numbers apart by one unit of the last printed digit at most."""
    pairs = list(zip(NUMBER.findall(a), NUMBER.findall(b)))
    return NUMBER.sub("#", a) == NUMBER.sub("#", b) and all(
        abs(float(x) - float(y)) <= 1.0001e-6 * 10 ** max(int(x[-4:]), int(y[-4:])) for x, y in pairs)


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


def body_plan(path, both):
    """Aft stations left of the centreline and forward ones right, each numbered just above its
    sheer, the stern post and the stem as lines on the centreline numbered below and above them;
    or (both) every station on both sides, unnumbered but for the post and the stem, whose
    labels stand written right before them. Gives the x of each curve in the drawing's order."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    guides(msp)
    xs = []
    for x, points in stations():
        number = round(x / 300)
        if points[-1][0] == 0.0:  # a line
            below = number == 0 and not both
            msp.add_mtext("{\\H2.5;%d}" % number, dxfattribs={"insert": (0, -40 if below else 670)})
            msp.add_lwpolyline([(0, 0), (0, 600 if below or both else 640)])
            xs.append(x)
            continue
        for side in (-1, 1) if both else (-1 if x < 3000 else 1,):
            msp.add_lwpolyline([(side * y, z) for y, z in points])
            xs.append(x)
            if not both:
                msp.add_text(str(number), dxfattribs={"insert": (side * points[-1][0], 630)})
    doc.saveas(path)
    return ",".join("%g" % x for x in xs)


reference = outputs(SAMPLES / "wigley.dxf", "3d")
body_plan(SCRATCH / "labelled.dxf", False)
xs = body_plan(SCRATCH / "both.dxf", True)
for name, args in (("labelled", ["--passo-stazioni", "300"]), ("both", ["--stazioni", xs])):
    flat = outputs(SCRATCH / f"{name}.dxf", name, "--lwpolyline", "--linee", "--piano-di-costruzione", *args)
    for what, a, b in zip(("hydrostatics",) + OUTPUTS, reference, flat):
        check(same(a, b), f"{name}: {what} differs from the 3D sample's")

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
    for a, b in zip(NUMBER.findall(three_d), NUMBER.findall(r.stdout)):
        check(abs(float(a) - float(b)) <= 2e-3 * abs(float(a)) + 1e-6, f"patrol body plan: {a} against {b}")
    r = hull("meeuw_stations_at_elevation.dxf", "--galleggiamento", "1", "--lwpolyline", "--piano-di-costruzione")
    check(r.returncode == 0 and "dalla sua quota" in r.stderr, f"meeuw: {r.stderr}")
    r = hull("rc_hull_sections_layer_x.dxf", "--galleggiamento", "-60", "--lwpolyline", "--piano-di-costruzione")
    check(r.returncode == 1 and "spessore" in r.stderr, f"rc hull: {r.stderr}")
    r = hull("rc_tunnel_hull_sections.dxf", "--galleggiamento", "40", "--lwpolyline", "--piano-di-costruzione")
    check(r.returncode == 1 and "--stazioni" in r.stderr, f"rc tunnel: {r.stderr}")

sys.exit(1 if failures else 0)
