#!/usr/bin/env python3
"""Writes the seed drawings of the fuzzer into tests/fuzz-corpus/: small, each showing the
reader one of its paths (line ends, meshes, keywords inside longer words, long vertices)."""
import os
import sys


def code(c, value):
    return "%3d\n%s\n" % (c, value)


def polyline(flags=None, extrusion=None):
    text = code(0, "POLYLINE") + code(8, "0") + code(66, "1")
    if flags is not None:
        text += code(70, flags)
    if extrusion:
        text += code(210, extrusion[0]) + code(220, extrusion[1]) + code(230, extrusion[2])
    return text


def vertex(x, y, z, extra=""):
    return code(0, "VERTEX") + code(8, "0") + code(10, x) + code(20, y) + code(30, z) + extra


def drawing(body):
    return code(0, "SECTION") + code(2, "ENTITIES") + body + code(0, "ENDSEC") + code(0, "EOF")


def crlf(text):
    return text.replace("\n", "\r\n")


two = (polyline(8) + vertex(5, 1, 2) + vertex(5, 3, 4) + code(0, "SEQEND")
       + polyline(9) + vertex(2, 0, 0) + vertex(2, 1, 1.5) + vertex(2, 2, -3) + code(0, "SEQEND"))
mesh = (polyline(64) + code(71, 3) + code(72, 1)
        + vertex(0, 0, 0, code(70, 192)) + vertex(1, 0, 0, code(70, 192))
        + vertex(0, 1, 0, code(70, 192))
        + code(0, "VERTEX") + code(8, "0") + code(10, 0) + code(20, 0) + code(30, 0)
        + code(70, 128) + code(71, 1) + code(72, 2) + code(73, 3) + code(74, 0)
        + code(0, "SEQEND"))
lwpolyline = (code(0, "LWPOLYLINE") + code(8, "0") + code(90, 2) + code(70, 128)
              + code(10, 9) + code(20, 9) + code(10, 8) + code(20, 8)
              + polyline(8) + vertex(1, 2, 3) + vertex(4, 5, 6) + code(0, "SEQEND"))
long_vertex = (polyline(8) + vertex(1, 1, 1)
               + vertex(2, 2, 2, code(1001, "TREVANO") + "".join(
                   code(1000, chr(97 + i) * 200) for i in range(6)))
               + vertex(3, 3, 3) + code(0, "SEQEND"))
extrusion = (polyline(0, (1, 0, 0)) + vertex(1, 2, 3) + vertex(4, 5, 6) + code(0, "SEQEND")
             + polyline(0, (0, 1, 0)) + vertex(1, 2, 3) + code(0, "SEQEND"))
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
    "no-seqend.dxf": crlf(code(0, "SECTION") + code(2, "ENTITIES") + polyline(8) + vertex(1, 2, 3)),
}

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "tests", "fuzz-corpus")
os.makedirs(folder, exist_ok=True)
for name, text in seeds.items():
    with open(os.path.join(folder, name), "w", newline="") as f:
        f.write(text)
