#!/usr/bin/python3
"""trevano-cli --lwpolyline and --layer against ezdxf's own reading of drawings ezdxf writes.

    lwpolyline_ezdxf.py TREVANO-CLI SCRATCH-FOLDER

Each drawing is written in DXF 2000 form, then read back by ezdxf and turned into the three
forms under the converter's rules: a POLYLINE's vertices as they are, an LWPOLYLINE's vertices
at its elevation, each point permuted by its entity's extrusion, flags of 16 and more left out,
the list sorted by the first x with ties in file order. The LF file that ezdxf writes, a CR LF
copy and a copy with unpadded group codes must all give those bytes.
"""
import re
import subprocess
import sys
from pathlib import Path

import ezdxf

SECTION = [(0.0, 0.0), (400.5, 120.25), (800.0, 500.0), (950.125, 1200.0)]


def lw(points=SECTION, layer="SEZIONI", **dxf):
    form = "xyseb" if len(points[0]) == 5 else "xy"
    return lambda m: m.add_lwpolyline(points, form, dxfattribs={"layer": layer, **dxf})


def poly3d(points, layer):
    return lambda m: m.add_polyline3d(points, dxfattribs={"layer": layer})


DRAWINGS = {
    "extrusions": [lw(elevation=1500.0, extrusion=(1, 0, 0)), lw(elevation=-20.5, extrusion=(0, 1, 0)),
                   lw(elevation=3.0, extrusion=(0, 0, -1)), lw(elevation=7.0)],
    "closed-flags-bulges-widths": [lw(flags=1), lw(flags=128, elevation=2.0),
                                   lw([(0, 0, 1.0, 2.0, 0.5), (10, 0, 0, 0, 0), (10, 10, 0.5, 0.5, -1)])],
    "long": [lw([(k * 0.5, (k * 37 % 101) / 7) for k in range(6000)])],
    "layers-and-mixed": [poly3d([(600, 1, 2), (600, 3, 4)], "Sezioni"),
                         lw(layer="PARATIA", elevation=600.0, extrusion=(1, 0, 0)),
                         lambda m: m.add_polymesh((2, 2), dxfattribs={"layer": "SEZIONI"}),
                         lw(layer="CARTIGLIO", elevation=-5.0),
                         poly3d([(1e3, -1, 0.125), (1e3, 2, 2)], "sezioni"),
                         lw(layer="Sezioni", elevation=1e3, extrusion=(1, 0, 0))],
}


def remap(p, e):  # by the extrusion, as the load permutes a point
    x, y, z = p
    return (z, x, y) if e[2] != 1.0 and e[0] == 1.0 else (y, z, x) if e[2] != 1.0 and e[1] == 1.0 else p


def read_with_ezdxf(path, layers):
    polylines = []
    for e in ezdxf.readfile(path).modelspace():
        if layers and e.dxf.layer.upper() not in [n.upper() for n in layers]:
            continue
        if e.dxftype() == "POLYLINE" and e.dxf.flags < 16:
            polylines.append([remap(tuple(v.dxf.location), e.dxf.extrusion) for v in e.vertices])
        elif e.dxftype() == "LWPOLYLINE":
            polylines.append([remap((x, y, e.dxf.elevation), e.dxf.extrusion) for x, y in e.get_points("xy")])
    return sorted(polylines, key=lambda p: p[0][0])


def forms(polylines):
    def e(v):  # "%e" with three exponent digits
        return re.sub(r"e([+-])(\d\d)$", r"e\g<1>0\2", "%e" % v)
    points = "".join(f"Spezzata di  {len(p)} punti\n" + "".join(f"{e(x)},{e(y)},{e(z)}\n" for x, y, z in p)
                     for p in polylines)
    dat = "".join(f"{e(p[0][0])}    {len(p)}\n" + "".join(f"    {e(y)}    {e(z)}\n" for _, y, z in p)
                  for p in polylines)
    return {"--punti": points, "--sezioni-dat": dat, "--sezioni-csv": dat.replace("    ", ",")}


if __name__ == "__main__":
    cli, scratch = sys.argv[1], Path(sys.argv[2])
    scratch.mkdir(parents=True, exist_ok=True)
    failures = 0
    for name, entities in DRAWINGS.items():
        doc = ezdxf.new("R2000")
        for add in entities:
            add(doc.modelspace())
        lf = scratch / f"{name}.dxf"
        doc.saveas(lf)
        text = lf.read_bytes()
        copies = [lf, scratch / f"{name}.crlf.dxf", scratch / f"{name}.unpadded.dxf"]
        copies[1].write_bytes(text.replace(b"\n", b"\r\n"))
        copies[2].write_bytes(re.sub(rb"(?m)^ +(-?\d+)$", rb"\1", text))
        for layers in ([], ["sezioni"], ["PARATIA", "Sezioni"], ["NESSUNO"]):
            polylines = read_with_ezdxf(lf, layers)
            counts = f"Numero Polyline: {len(polylines)}\nNumero di punti: {sum(map(len, polylines))}\n"
            args = ["--lwpolyline"] + [a for n in layers for a in ("--layer", n)]
            for drawing in copies:
                for option, expected in forms(polylines).items():
                    run = subprocess.run([cli, drawing, *args, option, "-"], capture_output=True, text=True)
                    absent = "Nota: nessuna entità sul layer NESSUNO." in run.stderr
                    if (run.returncode, run.stdout, run.stderr[:len(counts)], absent) != \
                            (0, expected, counts, layers == ["NESSUNO"]):
                        failures += 1
                        print(f"FAIL {drawing.name} {' '.join(args)} {option}\n{run.stderr}")
    print(f"{len(DRAWINGS)} drawings, {failures} failures")
    sys.exit(1 if failures else 0)
