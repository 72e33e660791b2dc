"""The ezdxf peer of the comparison: reads the polylines of a drawing with ezdxf and writes
the point-list form ("%e" with Python's two exponent digits).

    python3 ezdxf_peer.py IN.dxf OUT.csv
"""
import sys

import ezdxf


def main(source, target):
    doc = ezdxf.readfile(source)
    polylines = []
    for polyline in doc.modelspace().query("POLYLINE"):
        points = [tuple(v.dxf.location) for v in polyline.vertices]
        if points:
            polylines.append(points)
    polylines.sort(key=lambda points: points[0][0])  # stable: equal x keep their order
    with open(target, "w", newline="\n") as out:
        for points in polylines:
            out.write("Spezzata di  %d punti\n" % len(points))
            out.writelines("%e,%e,%e\n" % p for p in points)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("Uso: ezdxf_peer.py IN.dxf OUT.csv")
    main(sys.argv[1], sys.argv[2])
