#!/usr/bin/env python3
"""Writes scafo.dxf, the sample drawing: the hull sections of a small boat as 3D polylines,
in the R12 text form with CR LF line ends, together with entities the converter must leave
out or handle (a polyface mesh, a polygon mesh, an LWPOLYLINE) and one 2D polyline drawn in
a plane across the hull (extrusion direction (1, 0, 0)).

Deterministic: the same bytes every run. Usage: make_sample.py [OUTPUT]"""
import math
import sys

lines = []


def code(c, value):
    lines.append("%3d" % c)
    lines.append(str(value))


def num(v):
    return ("%.4f" % v).rstrip("0").rstrip(".") if v != 0 else "0.0"


def header():
    code(0, "SECTION"); code(2, "HEADER")
    code(9, "$ACADVER"); code(1, "AC1009")
    code(9, "$INSBASE"); code(10, "0.0"); code(20, "0.0"); code(30, "0.0")
    code(9, "$EXTMIN"); code(10, "0.0"); code(20, "0.0"); code(30, "0.0")
    code(9, "$EXTMAX"); code(10, "12000.0"); code(20, "1900.0"); code(30, "1600.0")
    code(0, "ENDSEC")
    code(0, "SECTION"); code(2, "TABLES")
    code(0, "TABLE"); code(2, "LAYER"); code(70, 3)
    for name, colour in (("SEZIONI", 1), ("MESH", 3), ("PARATIA", 5)):
        code(0, "LAYER"); code(2, name); code(70, 0); code(62, colour); code(6, "CONTINUOUS")
    code(0, "ENDTAB")
    code(0, "ENDSEC")


def polyline(layer, flags, points, extrusion=None, vertex_flags=0, extra=()):
    code(0, "POLYLINE"); code(8, layer); code(66, 1)
    code(10, "0.0"); code(20, "0.0"); code(30, "0.0")
    code(70, flags)
    for c, v in extra:
        code(c, v)
    if extrusion:
        code(210, num(extrusion[0])); code(220, num(extrusion[1])); code(230, num(extrusion[2]))
    for p in points:
        code(0, "VERTEX"); code(8, layer)
        code(10, num(p[0])); code(20, num(p[1])); code(30, num(p[2]))
        if len(p) > 3:
            code(70, p[3])
            for c, v in p[4]:
                code(c, v)
        elif vertex_flags:
            code(70, vertex_flags)
    code(0, "SEQEND"); code(8, layer)


def half_breadth(x, z, length=12000.0, beam=1900.0, depth=1600.0):
    """A plausible hull: fine at the bow, full amidships, a transom aft."""
    t = x / length
    fullness = math.sin(math.pi * (0.12 + 0.68 * t)) ** 0.6
    return beam * fullness * (z / depth) ** 0.45


def sections():
    depth = 1600.0
    stations = [0.0, 1500.0, 3000.0, 4500.0, 6000.0, 7500.0, 9000.0, 10500.0, 12000.0]
    # Drawn in the order a designer might, not by station: the load sorts them.
    order = [4, 0, 8, 2, 6, 1, 3, 5, 7]
    for i in order:
        x = stations[i]
        points = []
        for k in range(9):
            z = depth * k / 8.0
            points.append((x, half_breadth(x, z), z))
        polyline("SEZIONI", 8, points)


def meshes():
    # A polyface mesh (flags 64): a small deck box, four vertices and two faces.
    box = [(5000, -300, 1600, 192, ()), (5600, -300, 1600, 192, ()), (5600, 300, 1600, 192, ()),
           (5000, 300, 1600, 192, ()),
           (0, 0, 0, 128, ((71, 1), (72, 2), (73, 3))), (0, 0, 0, 128, ((71, 1), (72, 3), (73, 4)))]
    polyline("MESH", 64, box, extra=((71, 4), (72, 2)))
    # A polygon mesh (flags 16), 2 x 3 vertices: a patch of the transom.
    patch = [(12000, y, z, 64, ()) for y in (0, 600) for z in (800, 1200, 1600)]
    polyline("MESH", 16, patch, extra=((71, 2), (72, 3)))


def bulkhead():
    # A 2D polyline in the plane x = 6000, drawn in its own coordinates (y, z) with the
    # elevation as third value; the extrusion direction is the x axis.
    outline = [(0.0, 200.0), (900.0, 300.0), (1200.0, 900.0), (1300.0, 1500.0), (0.0, 1500.0)]
    points = [(y, z, 6000.0) for y, z in outline]
    polyline("PARATIA", 1, points, extrusion=(1.0, 0.0, 0.0))


def lwpolyline():
    # The waterline as an LWPOLYLINE: not a POLYLINE, so the converter leaves it out.
    code(0, "LWPOLYLINE"); code(8, "SEZIONI"); code(90, 4); code(70, 0)
    for x, y in ((0, 0), (4000, 1500), (8000, 1800), (12000, 1200)):
        code(10, num(x)); code(20, num(y))


def main():
    header()
    code(0, "SECTION"); code(2, "ENTITIES")
    sections()
    meshes()
    bulkhead()
    lwpolyline()
    code(0, "ENDSEC")
    code(0, "EOF")
    out = sys.argv[1] if len(sys.argv) > 1 else "scafo.dxf"
    with open(out, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
