#!/usr/bin/python3
"""trevano-cli --spline, --tutte-le-polilinee and --solo-modello against ezdxf's own reading.

    spline_ezdxf.py TREVANO-CLI SCRATCH-FOLDER CORPUS-FOLDER

SPLINEs that ezdxf writes, and the corpus drawings: POLYLINEs but meshes and spline frames
(vertex flag 16), LWPOLYLINEs permuted by the extrusion, byte for byte; SPLINEs as points on
ezdxf's curve, its ends the curve's, no point of the curve farther than the tolerance from them.
"""
import math
import subprocess
import sys
from pathlib import Path

import ezdxf
import numpy as np
from ezdxf.math import rational_bspline_from_arc

from lwpolyline_ezdxf import forms, remap

CLI, SCRATCH, CORPUS = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
SCRATCH.mkdir(parents=True, exist_ok=True)
READ_ALL = ["--lwpolyline", "--spline", "--tutte-le-polilinee"]
HULL = [(0, 0, 0), (100, 400, 50), (600, 800, 900), (1200, 500, 1600), (1500, 0, 1700)]
RING = [(2000 + x, y, z) for x, y, z in HULL]
SPLINES = [lambda m: m.add_open_spline(HULL), lambda m: m.add_open_spline(HULL[1:], degree=2),
           lambda m: m.add_spline().set_closed(RING),
           lambda m: m.add_spline().set_closed_rational(RING, [1, 3, 0.5, 2, 1]),
           lambda m: m.add_rational_spline(HULL, [1, 0.2, 4, 1, 2]),
           lambda m: m.add_spline().apply_construction_tool(
               rational_bspline_from_arc((3000, 200), 800, 10, 300, segments=3)),
           lambda m: m.add_spline([(0, 0, 0), (1, 2, 3), (4, 5, 6)])]  # fit points alone: left out
failures = []


def distances(points, polyline):  # from each point to the nearest point of the polyline
    p, a, b = np.array(points)[:, None, :], np.array(polyline[:-1])[None], np.array(polyline[1:])[None]
    ab = b - a
    t = np.clip(((p - a) * ab).sum(-1) / np.maximum((ab * ab).sum(-1), 1e-300), 0, 1)
    return np.linalg.norm(p - (a + t[..., None] * ab), axis=-1).min(axis=1)


def check_spline(name, ours, curve, tolerance):
    box = np.array(curve.control_points)
    tolerance = tolerance or np.linalg.norm(box.max(0) - box.min(0)) / 1000
    t0, t1 = curve.knots()[curve.order - 1], curve.knots()[curve.count]
    dense = [tuple(p) for p in curve.points(np.linspace(t0, t1, 2001))]
    rounding = 1e-6 * np.abs(dense).max()  # of "%e"
    off = max(distances(ours, dense).max(), distances(dense, ours).max()), \
        max(math.dist(dense[0], ours[0]), math.dist(dense[-1], ours[-1]))
    if off[0] > tolerance + rounding or off[1] > rounding:
        failures.append(f"{name}: SPLINE of {len(ours)} points, tolerance {tolerance}: {off}")


# The converter's polylines against ezdxf's entities of the model space, in the order of the sort
# (the first x, ties in file order).
def compare(drawing, tolerance=None):
    args = READ_ALL + (["--tolleranza", str(tolerance)] if tolerance else [])
    run = subprocess.run([CLI, drawing, *args, "--punti", "-"], capture_output=True, text=True)
    blocks = run.stdout.split("Spezzata di  ")[1:]
    expected = []
    for e in ezdxf.readfile(drawing).modelspace():
        if e.dxftype() == "POLYLINE" and not e.dxf.flags & (16 | 64):
            expected.append([remap(tuple(v.dxf.location), e.dxf.extrusion) for v in e.vertices
                             if not v.dxf.flags & 16])
        elif e.dxftype() == "LWPOLYLINE":
            expected.append([remap((x, y, e.dxf.elevation), e.dxf.extrusion) for x, y in e.get_points("xy")])
        elif e.dxftype() == "SPLINE" and e.control_point_count():
            expected.append(e.construction_tool())
    first_x = [x[0][0] if isinstance(x, list) else x.point(x.knots()[x.order - 1]).x for x in expected]
    expected = [x for *_, x in sorted(zip(first_x, range(len(expected)), expected), key=lambda k: k[:2])]
    if run.returncode != 0 or len(blocks) != len(expected):
        failures.append(f"{drawing} {args}: {len(blocks)} polylines, {len(expected)} expected\n{run.stderr}")
        return run
    for block, x in zip(blocks, expected):
        if isinstance(x, list) and "Spezzata di  " + block != forms([x])["--punti"]:
            failures.append(f"{drawing}: {block[:200]} against {x[:3]}")
        elif not isinstance(x, list):
            check_spline(f"{drawing} {args}", [tuple(map(float, p.split(","))) for p in block.split()[2:]],
                         x, tolerance)
    return run


doc = ezdxf.new("R2000")
for add in SPLINES:
    add(doc.modelspace())
doc.saveas(SCRATCH / "splines.dxf")
for tolerance in (None, 0.01, 30.0):  # None: the converter's own
    run = compare(SCRATCH / "splines.dxf", tolerance)
    if "Nota: 1 SPLINE lasciata fuori: ha solo punti di passaggio" not in run.stderr:
        failures.append(f"no note on the SPLINE of fit points\n{run.stderr}")

# Two sections in the model, the frame of the sheet in the paper space: read, and told of.
doc = ezdxf.new("R2000")
for station in (1000.0, 2000.0):
    doc.modelspace().add_polyline3d([(station, 0, 0), (station, 300, 400)])
doc.layout("Layout1").add_polyline2d([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
doc.saveas(SCRATCH / "paper.dxf")
for args, counts, told in (([], 3, "Nota: 1 polilinea letta dallo spazio carta"),
                           (["--solo-modello", "--riepilogo"], 2, "Lasciate fuori: 1 nello spazio carta\n")):
    run = subprocess.run([CLI, SCRATCH / "paper.dxf", *args], capture_output=True, text=True)
    if not run.stdout.startswith(f"Numero Polyline: {counts}\n") or told not in run.stdout + run.stderr:
        failures.append(f"paper space {args}: {run.stdout}{run.stderr}")

drawings = sorted(CORPUS.glob("*.[dD][xX][fF]")) if CORPUS.is_dir() else []
for drawing in drawings:
    compare(drawing)
print("\n".join(failures + [f"{len(SPLINES)} SPLINEs, {len(drawings)} corpus drawings (none when the "
                            f"folder is absent), {len(failures)} failures"]))
sys.exit(1 if failures else 0)
