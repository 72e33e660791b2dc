#!/usr/bin/env python3
"""Writes the seed drawings of the fuzzer into tests/fuzz-corpus/: small, each showing the
reader one of its paths (line ends, meshes, keywords inside longer words, long vertices)."""
import os
import sys


def codes(*pairs):
    return "".join("%3d\n%s\n" % (pairs[i], pairs[i + 1]) for i in range(0, len(pairs), 2))


def polyline(flags, *extrusion):
    return codes(0, "POLYLINE", 8, 0, 66, 1, 70, flags, *sum(zip((210, 220, 230), extrusion), ()))


def vertex(x, y, z, extra=""):
    return codes(0, "VERTEX", 8, 0, 10, x, 20, y, 30, z) + extra


def drawing(body):
    return codes(0, "SECTION", 2, "ENTITIES") + body + codes(0, "ENDSEC", 0, "EOF")


def crlf(text):
    return text.replace("\n", "\r\n")


seqend = codes(0, "SEQEND")
two = (polyline(8) + vertex(5, 1, 2) + vertex(5, 3, 4) + seqend
       + polyline(9) + vertex(2, 0, 0) + vertex(2, 1, 1.5) + vertex(2, 2, -3) + seqend)
face = codes(70, 128, 71, 1, 72, 2, 73, 3, 74, 0)
mesh = (polyline(64) + codes(71, 3, 72, 1) + "".join(
    vertex(x, y, 0, codes(70, 192)) for x, y in ((0, 0), (1, 0), (0, 1))) + vertex(0, 0, 0, face)
        + seqend)
lwpolyline = (codes(0, "LWPOLYLINE", 8, 0, 90, 2, 70, 128, 10, 9, 20, 9, 10, 8, 20, 8)
              + polyline(8) + vertex(1, 2, 3) + vertex(4, 5, 6) + seqend)
xdata = codes(1001, "TREVANO") + "".join(codes(1000, chr(97 + i) * 200) for i in range(6))
long_vertex = polyline(8) + vertex(1, 1, 1) + vertex(2, 2, 2, xdata) + vertex(3, 3, 3) + seqend
extrusion = (polyline(0, 1, 0, 0) + vertex(1, 2, 3) + vertex(4, 5, 6) + seqend
             + polyline(0, 0, 1, 0) + vertex(1, 2, 3) + seqend)
unpadded = ("0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n8\n0\n70\n8\n0\nVERTEX\n8\n0\n10\n7\n20\n8\n"
            "30\n9\n0\nSEQEND\n0\nENDSEC\n0\nEOF\n")

seeds = {
    "two-polylines-crlf.dxf": crlf(drawing(two)),
    "two-polylines-lf.dxf": drawing(two),
    "polyface-mesh.dxf": crlf(drawing(mesh + two)),
    "lwpolyline-trap.dxf": crlf(drawing(lwpolyline)),
    "long-vertex.dxf": crlf(drawing(long_vertex)),
    "extrusion.dxf": crlf(drawing(extrusion)),
    "unpadded-codes.dxf": unpadded,
    "no-seqend.dxf": crlf(codes(0, "SECTION", 2, "ENTITIES") + polyline(8) + vertex(1, 2, 3)),
}

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "tests", "fuzz-corpus")
os.makedirs(folder, exist_ok=True)
for name, text in seeds.items():
    with open(os.path.join(folder, name), "w", newline="") as f:
        f.write(text)
