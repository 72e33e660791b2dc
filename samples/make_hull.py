#!/usr/bin/env python3
"""Writes wigley.dxf, the sample hull: the 21 half sections of a Wigley hull 6 m long,
0.6 m broad and 0.375 m deep to its waterline, in millimetres ($INSUNITS 4), as 3D polylines
in the R12 text form with CR LF line ends. The keel lies at z = 0 and the waterline at
z = 375; each section runs from the keel on the centreline up the port side to the deck at
z = 600. The end stations are lines: a stern post and a stem.

Half-breadth: B/2 (1 - xi^2)(1 - zeta^2), xi = 2x/L - 1, zeta = z/T - 1 below the waterline,
upright above it. Deterministic: the same bytes every run. Usage: make_hull.py [OUTPUT]"""
import sys

LENGTH, BEAM, DRAUGHT, DEPTH = 6000.0, 600.0, 375.0, 600.0
lines = []


def code(c, value):
    lines.append("%3d" % c)
    lines.append(str(value))


def num(v):
    return ("%.3f" % v).rstrip("0").rstrip(".") if abs(v) >= 5e-4 else "0.0"


def half_breadth(x, z):
    xi = 2.0 * x / LENGTH - 1.0
    zeta = min(z, DRAUGHT) / DRAUGHT - 1.0
    return BEAM / 2.0 * (1.0 - xi * xi) * (1.0 - zeta * zeta)


def main():
    code(0, "SECTION"); code(2, "HEADER")
    code(9, "$ACADVER"); code(1, "AC1009")
    code(9, "$INSUNITS"); code(70, 4)
    code(0, "ENDSEC")
    code(0, "SECTION"); code(2, "ENTITIES")
    for i in range(21):
        x = LENGTH * i / 20.0
        code(0, "POLYLINE"); code(8, "SEZIONI"); code(66, 1)
        code(10, "0.0"); code(20, "0.0"); code(30, "0.0"); code(70, 8)
        for z in [DRAUGHT * k / 12.0 for k in range(13)] + [DEPTH]:
            code(0, "VERTEX"); code(8, "SEZIONI")
            code(10, num(x)); code(20, num(half_breadth(x, z))); code(30, num(z)); code(70, 32)
        code(0, "SEQEND"); code(8, "SEZIONI")
    code(0, "ENDSEC")
    code(0, "EOF")
    out = sys.argv[1] if len(sys.argv) > 1 else "wigley.dxf"
    with open(out, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
