#!/usr/bin/python3
"""trevano-cli --anteprima: the picture is well-formed XML with one drawn element per polyline in
each view and nothing external, and librsvg renders each view with something drawn in it.

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
print("preview: passed")
