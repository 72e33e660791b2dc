#!/usr/bin/python3
"""trevano-cli --anteprima: the picture is well-formed XML with one drawn element per polyline in
each view and nothing external, and librsvg renders each view with something drawn in it.
--carene-diritte-svg: each quantity of the table one curve under its name, each point where
its own scale and the draught's put that row.

    preview_svg.py TREVANO-CLI SCRATCH-FOLDER
"""
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

CLI, SCRATCH = sys.argv[1], Path(sys.argv[2])
SCRATCH.mkdir(parents=True, exist_ok=True)
SVG = "{http://www.w3.org/2000/svg}"
ET.register_namespace("", SVG[1:-1])
VIEWS = ("piano-di-costruzione", "profilo")
# One polyline of one point, which shows as a dot.
DOT = "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n70\n8\n0\nVERTEX\n10\n1\n20\n2\n30\n3\n0\nSEQEND\n"
# Its name in UTF-8 with one byte that is none (0xFF), which the title shows as "?".
DOT_NAME = "punto-\u00e8\udcff.dxf"
(SCRATCH / DOT_NAME).write_text(DOT)


def render(tree, name):
    tree.write(SCRATCH / f"{name}.svg")
    subprocess.run(["rsvg-convert", SCRATCH / f"{name}.svg", "-o", SCRATCH / f"{name}.png"],
                   check=True)
    return SCRATCH / f"{name}.png"


for drawing, polylines, shape in ((Path(__file__).parents[1] / "samples/scafo.dxf", 10, "polyline"),
                                  (SCRATCH / DOT_NAME, 1, "circle")):
    svg = SCRATCH / "anteprima.svg"
    subprocess.run([CLI, drawing, "--anteprima", svg], check=True, capture_output=True)
    text = svg.read_text()
    assert not any(w in text for w in ("href", "<script", "@import", "url(h")), "something external"
    tree = ET.parse(svg)
    groups = {g.get("id"): g.find(f"{SVG}g[@class='polilinee']") for g in tree.iter(f"{SVG}g")}
    for view in VIEWS:
        drawn = [e.tag for e in groups[view]]
        assert drawn == [SVG + shape] * polylines, f"{drawing.name}, {view}: {drawn}"
    title = f"{drawing.name.replace(chr(0xDCFF), '?')}: {polylines} polilinea"[:-1]
    assert tree.find(f"{SVG}title").text.startswith(title), tree.find(f"{SVG}title").text
    # Each view without its polylines must look different from the whole picture.
    whole = render(tree, "whole")
    for view in VIEWS:
        saved = list(groups[view])
        for element in saved:
            groups[view].remove(element)
        compare = subprocess.run(["compare", "-metric", "AE", whole, render(tree, view), "null:"],
                                 capture_output=True, text=True)
        assert float(compare.stderr.split()[0]) > 0, f"{drawing.name}: {view} draws nothing"
        groups[view].extend(saved)

def dxf(polylines):
    """A drawing of 3D polylines, each a list of (x, y, z)."""
    out = "0\nSECTION\n2\nENTITIES\n"
    for points in polylines:
        out += "0\nPOLYLINE\n70\n8\n" + "".join(
            f"0\nVERTEX\n10\n{x}\n20\n{y}\n30\n{z}\n70\n32\n" for x, y, z in points)
        out += "0\nSEQEND\n"
    return out + "0\nENDSEC\n0\nEOF\n"


def picture(name, polylines, *options):
    (SCRATCH / f"{name}.dxf").write_text(dxf(polylines))
    svg = SCRATCH / f"{name}.svg"
    subprocess.run([CLI, SCRATCH / f"{name}.dxf", "--anteprima", svg, *options], check=True,
                   capture_output=True)
    render(ET.parse(svg), name)  # librsvg must take it
    return ET.parse(svg)


# A drawing with no polyline says so in words, and draws no view.
empty = picture("empty", [])
assert empty.find(f".//{SVG}text[@id='vuoto']").text == "Nessuna polilinea letta"
assert not [g for g in empty.iter(f"{SVG}g") if g.get("id") in VIEWS]

# Two half sections, one aft of the middle station and one forward, and the waterline: in
# each view a point lands where the ticks put its coordinates (a profile drawn with y in place
# of z would not), the aft section left of the centreline, the waterline at its z.
aft, forward, waterline = [(1000, 0, 0), (1000, 200, 300)], [(3000, 0, 0), (3000, 500, 900)], 450
tree = picture("hull", [aft, forward], "--galleggiamento", str(waterline), "--unita", "mm")
views = {g.get("id"): g for g in tree.iter(f"{SVG}g") if g.get("id") in VIEWS}
for view, across, (x, y, z) in (("piano-di-costruzione", 1, forward[1]), ("profilo", 0, forward[1])):
    g = views[view]

    def scale(axis, attribute):
        ticks = list(g.find(f"{SVG}g[@class='tacche-{axis}']"))
        marks = [(float(t.get(attribute)), float(label.text)) for t, label in zip(ticks, ticks[1:])
                 if t.tag == SVG + "line"]
        assert 4 <= len(marks) <= 8, f"{view}: {marks}"
        assert ticks[-1].text.endswith(" (millimetri)"), f"{view}: {ticks[-1].text}"
        (p0, v0), (p1, v1) = marks[0], marks[-1]
        return lambda value: p0 + (value - v0) * (p1 - p0) / (v1 - v0)

    to_x, to_y = scale("orizzontali", "x1"), scale("verticali", "y1")
    drawn = [[tuple(map(float, p.split(","))) for p in e.get("points").split()]
             for e in g.find(f"{SVG}g[@class='polilinee']")]
    where = (to_x((x, y)[across]), to_y(z))
    assert any(abs(px - where[0]) <= 1 and abs(py - where[1]) <= 1 for px, py in drawn[1]), \
        f"{view}: {where} not in {drawn[1]}"
    line = g.find(f"{SVG}line[@class='galleggiamento']")
    assert abs(float(line.get("y1")) - to_y(waterline)) <= 1, f"{view}: waterline"
    if across == 1:
        centre = float(g.find(f"{SVG}line[@class='mezzeria']").get("x1"))
        assert drawn[0][-1][0] < centre - 50 and drawn[1][-1][0] > centre + 50, drawn

# The curves of form of the sample hull against its table. Each scale's group comes before its
# curves, each curve before its name; a tick is the line just before its number.
csv, svg = SCRATCH / "carene.csv", SCRATCH / "carene.svg"
subprocess.run([CLI, Path(__file__).parents[1] / "samples/wigley.dxf", "--galleggiamenti", "25:550:21",
                "--carene-diritte", csv, "--carene-diritte-svg", svg], check=True, capture_output=True)
header, *rows = [line.split(",") for line in csv.read_text().split()]
table = {name: [float(row[i]) for row in rows] for i, name in enumerate(header)}
tree, names = ET.parse(svg), []
render(tree, "carene")


def ticks(group, attribute):
    (p0, v0), *_, (p1, v1) = [(float(l.get(attribute)), float(t.text)) for l, t in zip(group, list(group)[1:])
                              if l.tag == SVG + "line" and t.text and t.text[-1].isdigit()]
    return lambda value: p0 + (value - v0) * (p1 - p0) / (v1 - v0)


to_x, to_y, children = None, ticks(tree.find(f"{SVG}g[@id='immersione']"), "y1"), list(tree.getroot())
for curve, label in zip(children, children[1:]):
    to_x = ticks(curve, "x1") if curve.get("class") == "scala" else to_x
    if curve.get("class") == "curva":
        names.append(label.text)
        points = [tuple(map(float, p.split(","))) for p in curve.get("points").split()]
        expected = zip(table[{"Δ": "Delta", "MCT": "MCT1cm"}.get(label.text, label.text)], table["T"])
        assert len(points) == len(rows) and all(abs(x - to_x(v)) <= 0.1 and abs(y - to_y(t)) <= 0.1
                                                for (x, y), (v, t) in zip(points, expected)), label.text
assert names == ["Δ", "S", "Awp", "TPC", "MCT", "Cb", "Cp", "Cm", "Cwp", "LCB", "LCF", "KB", "KMt", "KMl"], names
print("preview: passed")
