#!/usr/bin/python3
"""trevano-cli's hull outputs on a Wigley hull that ezdxf writes in several ways.

    hull_wigley.py TREVANO-CLI SCRATCH-FOLDER

Half-breadth B/2 (1 - xi^2)(1 - zeta^2), xi = 2x/L, zeta = z/T: volume 4/9 L B T, waterplane
2/3 L B, centre of buoyancy 3/8 T below the waterline. The hydrostatics must come within 1% of
these; the PDSTRIP offsets must pass the checks PDSTRIP itself makes on reading them and before
its section hydrodynamics; both meshes must enclose the volume, turn every panel outward and
stay below the waterline. Then one table of refusals: the message, the exit status, and every
file of the run left as it was.
"""
import math
import random
import re
import subprocess
import sys
from pathlib import Path

import ezdxf

CLI, SCRATCH = sys.argv[1], Path(sys.argv[2])
SCRATCH.mkdir(parents=True, exist_ok=True)
L, B, T, ZWL = 20.0, 2.0, 1.25, 0.5  # the waterline of the drawing lies at z = ZWL
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL", what)


def station(x, n=24, whole=False):
    """The section at x from the keel up past the waterline, with a point never on it."""
    zs = [-T + (T + 0.4) * k / n for k in range(n + 1)]
    half = [(x, B / 2 * (1 - (2 * x / L) ** 2) * (1 - (z / T) ** 2 if z < 0 else 1), z + ZWL) for z in zs]
    return [(x, -y, z) for x, y, z in reversed(half[1:])] + half if whole else half


def hull(n=21, **kw):
    return [station(-L / 2 + L * i / (n - 1), **kw) for i in range(n)]


def scaled(polylines, s):
    return [[(x * s, y * s, z * s) for x, y, z in p] for p in polylines]


def write(name, polylines, units=6, lw=False):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = units
    for p in polylines:
        if lw:  # in its plane: the station as the elevation, (y, z) as the vertices
            doc.modelspace().add_lwpolyline([(y, z) for _, y, z in p],
                                            dxfattribs={"elevation": p[0][0], "extrusion": (1, 0, 0)})
        else:
            doc.modelspace().add_polyline3d(p)
    doc.saveas(SCRATCH / name)
    return str(SCRATCH / name)


def run(drawing, *args):
    return subprocess.run([CLI, drawing, *args], capture_output=True, text=True)


def numbers(line, text=False):
    return [v if text else float(v) for v in re.findall(r"-?\d\.\d{6}e[+-]\d{3}", line)]


def pdstrip_checks(path, zwl, draught):
    """PDSTRIP's reading: each READ from a new line; its limits, its tests of the ends, of
    coinciding points and of the discretisation (a source point inside each panel, outside
    the contour drawn a ninth of a panel inside)."""
    lines = Path(path).read_text().split("\n")
    ns, sym, tg = lines[0].split()
    ns, tg, at, xs = int(ns), float(tg), 1, []
    check(ns <= 100 and sym == "f" and abs(tg - draught) < 1e-5, f"{path}: first line {lines[0]}")
    for _ in range(ns):
        x, nk, ngap = lines[at].split()
        nk, values, at = int(nk), [], at + 1
        while len(values) < 2 * nk:
            values += [float(v) for v in lines[at].split()]
            at += 1
        y, z, xs = values[:nk], values[nk:], xs + [float(x)]
        check(nk <= 100 and ngap == "0" and y[0] < 0 < y[-1], f"{path}: section at {x}")
        check(abs(z[0] - zwl) <= 1e-4 and abs(z[-1] - zwl) <= 1e-4, f"{path}: ends at {x}")
        check(all(math.dist(a, b) > 1e-5 for a, b in zip(zip(y, z), zip(y[1:], z[1:]))), f"{path}: {x}")
        contour = list(zip(y, z)) + [(0.0, zwl + 1e5)]
        for inside in (False, True):
            for k in range(nk - 1):
                q = ((y[k] + y[k + 1]) / 2 - (z[k + 1] - z[k]) / 20, (z[k] + z[k + 1]) / 2 + (y[k + 1] - y[k]) / 20)
                turn = sum(math.atan2((a[0] - q[0]) * (b[1] - q[1]) - (a[1] - q[1]) * (b[0] - q[0]),
                                      (a[0] - q[0]) * (b[0] - q[0]) + (a[1] - q[1]) * (b[1] - q[1]))
                           for a, b in zip(contour[-1:] + contour[:-1], contour))
                check(abs(turn - (0 if inside else 6.283)) <= 1, f"{path}: unsuitable section at {x}")
            for i in range(nk):  # the contour moved a ninth of a panel inward
                a, b = contour[max(i - 1, 0)], contour[min(i + 1, nk - 1)]
                d = (b[0] - a[0], b[1] - a[1]) if i in (0, nk - 1) else ((b[0] - a[0]) / 2, (b[1] - a[1]) / 2)
                contour[i] = (contour[i][0] - d[1] / 9, contour[i][1] + d[0] / 9)
    check(xs == sorted(xs), f"{path}: stern to bow")


def mesh_panels(path):
    """The panels of a Nemoh .dat or a WAMIT .gdf, four corners each."""
    text = Path(path).read_text()
    if path.endswith(".gdf"):
        corners = [tuple(map(float, l.split())) for l in text.split("\n")[4:] if l]
        check(text.split("\n")[1:4] == ["1.0 9.80665", "0 1", str(len(corners) // 4)], path)
        return [corners[i:i + 4] for i in range(0, len(corners), 4)]
    rows = [l.split() for l in text.split("\n")[1:] if l]
    end = rows.index(["0", "0.00", "0.00", "0.00"])
    nodes = {r[0]: tuple(map(float, r[1:])) for r in rows[:end]}
    check(text.startswith("2 1\n") and rows[-1] == ["0"] * 4, path)
    return [[nodes[i] for i in r] for r in rows[end + 1:-1]]


def mesh_checks(path):
    """Volume of both sides by the divergence theorem (z n_z over the wetted half: the plane
    y = 0 and the free surface add nothing), area, edges each run once each way, z <= 0."""
    volume = area = 0.0
    edges = set()
    for p in mesh_panels(path):
        d1 = [p[2][i] - p[0][i] for i in range(3)]
        d2 = [p[3][i] - p[1][i] for i in range(3)]
        n = (d1[1] * d2[2] - d1[2] * d2[1], d1[2] * d2[0] - d1[0] * d2[2], d1[0] * d2[1] - d1[1] * d2[0])
        volume += sum(c[2] for c in p) / 4 * n[2]  # twice the half hull: the normal is 2 n dS
        area += math.hypot(*n)
        for a, b in zip(p, p[1:] + p[:1]):
            check(a == b or (a, b) not in edges, f"{path}: panels turned both ways at {a}")
            edges.add((a, b))
        check(max(c[2] for c in p) <= 0, f"{path}: panel above the waterline")
    return volume, area


def hydrostatics(stdout):
    return {l.split(":")[0]: numbers(l) for l in stdout.split("\n") if numbers(l)}


def near(a, b, tol=0.01):
    return abs(a - b) <= tol * max(abs(b), 1e-9)


MM = dict(units=4)
WAYS = {  # name: polylines, $INSUNITS and form, extra options, a note expected
    "3D polylines": (hull(), {}, [], ""),
    "in their planes, shuffled": (random.Random(5).sample(hull(), 21), dict(lw=True), ["--lwpolyline"], ""),
    "deck to keel, starboard": ([[(x, -y, z) for x, y, z in reversed(p)] for p in hull()], {}, [],
                                "19 sezioni disegnate sul lato di dritta"),
    "one station in two parts": (hull()[:10] + [hull()[10][:9], hull()[10][8:][::-1]] + hull()[11:], {}, [], ""),
    # Their stems, drawn down to the keel and up again, once doubled the meshes' girth there.
    "whole sections": (hull(whole=True), {}, [], ""),
    "millimetres": (scaled(hull(), 1000), MM, [], ""),
    "millimetres by --unita": (scaled(hull(), 1000), dict(units=0), ["--unita", "mm"], ""),
    "no unit": (hull(), dict(units=0), [], "le misure sono prese in metri; --unita"),
    "transom and bow cut square": (hull()[2:19], {}, [], ""),  # closed by flat ends
}
for name, (polylines, form, options, note) in WAYS.items():
    drawing = write(name.replace(" ", "_") + ".dxf", polylines, **form)
    s = 1000 if "mm" in options or form.get("units") == 4 else 1
    out = [str(SCRATCH / f"out{i}") for i in range(3)]
    r = run(drawing, "--galleggiamento", str(ZWL * s), "--idrostatica", *options,
            "--pdstrip", out[0], "--nemoh", out[1] + ".dat", "--gdf", out[2] + ".gdf")
    check(r.returncode == 0 and note in r.stderr, f"{name}: {r.returncode} {r.stderr}")
    if r.returncode:
        continue
    h = hydrostatics(r.stdout)
    a = max(abs(p[0][0]) for p in polylines) / s
    span = 2 * a - 8 * a ** 3 / (3 * L * L)  # the integral of 1 - xi^2 from -a to a
    volume, end = 2 / 3 * B * T * span, 2 / 3 * B * T * (1 - (2 * a / L) ** 2)
    for key, got, want in [("Galleggiamento", h["Galleggiamento"], [ZWL, T]),
                           ("Volume di carena", h["Volume di carena"], [volume]),
                           ("Dislocamento", h["Dislocamento"], [1.025 * volume]),
                           ("Centro di carena z", h["Centro di carena"][1:], [ZWL - 3 / 8 * T]),
                           ("Area del galleggiamento", h["Area del galleggiamento"], [B * span]),
                           ("Lunghezza", h["Lunghezza al galleggiamento"] + h["Larghezza al galleggiamento"], [2 * a, B]),
                           ("Coefficiente di blocco", h["Coefficiente di blocco"], [volume / (2 * a * B * T)])]:
        check(all(near(g, w) for g, w in zip(got, want)) and len(got) == len(want), f"{name}: {key} {got} {want}")
    check(abs(h["Centro di carena"][0]) < 0.01 and abs(h["Centro del galleggiamento"][0]) < 0.01, f"{name}: x")
    pdstrip_checks(out[0], ZWL, T)
    for mesh in out[1:]:
        v, area = mesh_checks(mesh + (".dat" if mesh == out[1] else ".gdf"))
        check(near(v, volume) and near(area - 2 * end, h["Superficie bagnata"][0], 0.02), f"{name}: {mesh} {v}")

# The refusals: the status, the start of a line of standard error, and no file of the run
# touched, the forms' own included. F stands for a file that exists before the run.
ONE, WHOLE, W = hull(), hull(whole=True), "--galleggiamento 0.5 "
WHOLE[4] = [(x, y * 1.01 if y > 0 else y, z) for x, y, z in WHOLE[4]]
CASES = [
    (ONE, "--pdstrip F", 2, "trevano-cli: manca --galleggiamento, che serve a: --pdstrip"),
    (ONE, "--idrostatica --galleggiamento 0,5", 2, "trevano-cli: --galleggiamento vuole un numero"),
    (ONE, W + "--nemoh F --punti-sezione 50", 2, "trevano-cli: --punti-sezione vuole un intero da 3 a 49: 50"),
    (ONE, W + "--gdf F --unita yd", 2, "trevano-cli: --unita vuole mm, cm, dm, m, in o ft: yd"),
    (ONE, W + "--rigidezza F --baricentro 3,0", 2, "trevano-cli: --baricentro vuole X,Y,Z, tre numeri"),
    ([], W + "--pdstrip F", 1, "Il disegno non ha polilinee"),
    (ONE + [[(-10, 0, 0), (10, 0, 0)]], W + "--pdstrip F", 1,
     "La polilinea 2 non è una sezione: la sua x va da -1.000000e+001 a 1.000000e+001"),
    (ONE[:3] + [ONE[3][:9], ONE[3][12:]] + ONE[4:], W + "--nemoh F", 1,
     "Le parti della sezione a x = -7.000000e+000 non si toccano: la polilinea 5"),
    (ONE[:5] + [station(-5, whole=True)] + ONE[6:], W + "--gdf F", 1, "Sezioni mezze e intere nello "
     "stesso disegno: la sezione a x = -5.000000e+000 è intera, la sezione a x = -9.000000e+000 è mezza."),
    (ONE, "--galleggiamento -5 --pdstrip F", 1, "Nessuna sezione sotto il galleggiamento (z = -5.000000e+000)."),
    ([[(x, y + 0.1, z) for x, y, z in p] for p in ONE], W + "--pdstrip F --coperchio F --rigidezza F "
     "--nemoh-idrostatica F", 1,
     "La sezione a x = -1.000000e+001 non parte dall'asse (y = 0) al suo estremo più basso."),
    (ONE[:2] + [ONE[2][:18]] + ONE[3:], W + "--idrostatica", 1,
     "La sezione a x = -8.000000e+000 non arriva al galleggiamento."),
    (hull(101), W + "--pdstrip F --nemoh F", 1, "Troppe sezioni sotto il galleggiamento per PDSTRIP: 101, al massimo 100."),
    (WHOLE, W + "--pdstrip F --nemoh F", 1, "La sezione a x = -6.000000e+000 non è simmetrica entro 1 mm"),
    ([ONE[5]], W + "--pdstrip F", 1, "Una sola sezione sotto il galleggiamento, la sezione a x = -5.000000e+000:"),
    (ONE[:4] + [ONE[4] + [(-6, 0.5, -1), (-6, 0.6, -1)]] + ONE[5:], W + "--gdf F", 1,
     "La sezione a x = -6.000000e+000 esce dall'acqua e vi rientra"),
    ([ONE[0], ONE[-1]], W + "--gdf F", 1, "Nessuna sezione ha larghezza sotto il galleggiamento: sono tutte linee."),
    *[(ONE, f"--galleggiamenti {r} --carene-diritte F", 2, "trevano-cli: --galleggiamenti vuole Z1:Z2:N, con "
       f"Z1 sotto Z2 e N intero da 1 a 1000: {r}")
      for r in ("0:0.5", "0:0.5:5:1", "0,1:0.5:5", "0.5:0:5", "0.5:0.5:5", "0:0.5:0", "0:0.5:1001", "0:0.5:2.5")],
    (ONE, "--carene-diritte F", 2, "trevano-cli: manca --galleggiamenti, che serve a: --carene-diritte"),
    (ONE, W + "--carene-diritte-svg F", 2, "trevano-cli: manca --galleggiamenti, che serve a: --carene-diritte-svg"),
    (ONE[:2] + [ONE[2][:18]] + ONE[3:], "--galleggiamenti 0:0.5:2 --carene-diritte F", 1,
     "Al galleggiamento z = 5.000000e-001: La sezione a x = -8.000000e+000 non arriva al galleggiamento."),
    (ONE, "--galleggiamenti -0.75:0.5:4 --carene-diritte F --carene-diritte-svg F", 1,
     "Il primo galleggiamento, z = -7.500000e-001, non è sopra la chiglia, a z = -7.500000e-001"),
    # A knife-edged section once went into the file, and PDSTRIP stopped on it.
    (ONE[:1] + [[(x, y * 0.1, z) for x, y, z in ONE[1]]] + ONE[2:], W + "--nemoh F --pdstrip F", 1,
     "La sezione a x = -9.000000e+000 è troppo stretta per PDSTRIP, che la rifiuterebbe"),
]
for i, (polylines, args, status, message) in enumerate(CASES):
    drawing = write(f"refusal{i}.dxf", polylines)
    files = [str(SCRATCH / f"old{i}.{k}") for k in range(args.count(" F") + 1)]
    for f in files:
        Path(f).write_text("vecchio\n")
    names = iter(files[1:])
    r = run(drawing, "--punti", files[0], *[next(names) if a == "F" else a for a in args.split()])
    check(r.returncode == status and ("\n" + r.stderr).count("\n" + message) == 1, f"refusal {i}: {r.stderr}")
    check(all(Path(f).read_text() == "vecchio\n" for f in files), f"refusal {i}: a file was written")

# The README's example, as written there.
SOURCE = Path(__file__).resolve().parent.parent
r = run(str(SOURCE / "samples/wigley.dxf"), "--galleggiamento", "375", "--idrostatica", "--pdstrip", "-")
readme = (SOURCE / "README.md").read_text()
check(r.returncode == 0 and r.stdout == (SOURCE / "tests/expected/wigley.pdstrip").read_text(), "sample")
check(all("    " + l in readme for l in r.stderr.split("\n")[2:-1]), f"README example: {r.stderr}")

# The table's last row is --idrostatica at its waterline, in the table's order; the keel is at
# z = 0, where the centre of buoyancy's z is KB.
r = run(str(SOURCE / "samples/wigley.dxf"), "--galleggiamento", "375", "--idrostatica", "--galleggiamenti",
        "50:375:13", "--carene-diritte", str(SCRATCH / "carene.csv"))
h, rows = numbers(r.stdout, text=True), (SCRATCH / "carene.csv").read_text().split()
order = (0, 1, 2, 3, 4, 5, 6, 7, 16, 12, 13, 14, 15, 17, 11, 19, 20, 21, 8, 9, 10)
check(len(rows) == 15 and rows[-1].split(",") == [h[i] for i in order], f"last row: {rows[-1]} {h}")

print(f"{len(WAYS)} drawings, {len(CASES)} refusals, {len(failures)} failures")
sys.exit(1 if failures else 0)
