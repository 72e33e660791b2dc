#!/usr/bin/python3
"""The sample drawing as two common readers see it: ezdxf opens it strictly and its audit finds
nothing to mend, GDAL's ogrinfo opens it, and both find in it, in world coordinates, the
polylines that trevano-cli --lwpolyline reads (the meshes aside).

    sample_readers.py TREVANO-CLI SAMPLE.dxf
"""
import re
import subprocess
import sys

import ezdxf
from ezdxf.math import Vec3

CLI, SAMPLE = sys.argv[1:3]


def polylines(lists):
    """Polylines as comparable keys: rounded points, a closing point that repeats the first
    dropped (GDAL closes a closed polyline so), in any order."""
    keys = []
    for points in lists:
        points = [tuple(round(c, 3) + 0.0 for c in p) for p in points]
        keys.append(tuple(points[:-1] if len(points) > 2 and points[-1] == points[0] else points))
    return sorted(keys)


converter = subprocess.run([CLI, SAMPLE, "--lwpolyline", "--punti", "-"], check=True,
                           capture_output=True, text=True).stdout
ours = [[tuple(map(float, line.split(","))) for line in block.strip().splitlines()]
        for block in re.split(r"Spezzata di +\d+ punti\n", converter)[1:]]

doc = ezdxf.readfile(SAMPLE)  # strict: a structure it does not expect raises
audit = doc.audit()
assert not audit.errors and not audit.fixes, [e.message for e in audit.errors + audit.fixes]
seen_by_ezdxf = []
for e in doc.modelspace():
    if e.dxftype() == "POLYLINE" and not (e.is_poly_face_mesh or e.is_polygon_mesh):
        seen_by_ezdxf.append(list(e.ocs().points_to_wcs(e.points())))
    elif e.dxftype() == "LWPOLYLINE":
        z = e.dxf.elevation
        seen_by_ezdxf.append(list(e.ocs().points_to_wcs(Vec3(x, y, z) for x, y in e.vertices())))

gdal = subprocess.run(["ogrinfo", "-ro", "-al", "-q", SAMPLE], check=True, capture_output=True,
                      text=True)
assert not gdal.stderr, gdal.stderr
seen_by_gdal = [[tuple(map(float, p.split())) + (0.0,) * (3 - len(p.split())) for p in line.split(",")]
                for line in re.findall(r"LINESTRING(?: Z)? \(([^)]*)\)", gdal.stdout)]

assert len(ours) == 11 and sum(map(len, ours)) == 90, converter
for reader, seen in (("ezdxf", seen_by_ezdxf), ("GDAL", seen_by_gdal)):
    assert polylines(seen) == polylines(ours), f"{reader}: {polylines(seen)}"
print("ezdxf and GDAL read the sample's", len(ours), "polylines as trevano-cli does")
