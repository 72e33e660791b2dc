#!/usr/bin/env python3
"""Writes scafo.dxf, the sample drawing: the hull sections of a small boat as 3D polylines,
together with entities the converter must leave out or handle (a polyface mesh, a polygon
mesh, an LWPOLYLINE) and one 2D polyline drawn in a plane across the hull (extrusion
direction (1, 0, 0)).

The drawing is a DXF 2000 (AC1015) in text form with CR LF line ends, as a CAD program writes
it: the tables, the blocks of the two spaces and the root dictionary that version requires,
a handle on every object and the subclass markers of every entity, so that the common
readers (ezdxf, GDAL) open it as they open a drawing from AutoCAD.

Deterministic: the same bytes every run. Usage: make_sample.py [OUTPUT]"""
import math
import sys

lines = []
handles = iter(range(1, 1 << 20))


def code(c, value):
    lines.append("%3d" % c)
    lines.append(str(value))


def codes(*pairs):
    for c, value in pairs:
        code(c, value)


def num(v):
    return ("%.4f" % v).rstrip("0").rstrip(".") if v != 0 else "0.0"


def new_handle():
    # The converter finds a group code by its text at the start of any line, values' lines
    # too: a handle spelt "210" would read to it as an extrusion direction.
    while (text := "%X" % next(handles)) == "210":
        pass
    return text


def entity(kind, layer, owner, subclasses):
    """The common part of an entity; its handle."""
    handle = new_handle()
    codes((0, kind), (5, handle), (330, owner), (100, "AcDbEntity"), (8, layer))
    for subclass in subclasses:
        code(100, subclass)
    return handle


def table(name, records, subclass, entry_code=5):
    """A symbol table and its records, each a list of (code, value) after the markers."""
    handle = new_handle()
    codes((0, "TABLE"), (2, name), (5, handle), (330, 0), (100, "AcDbSymbolTable"),
          (70, len(records)))
    if name == "DIMSTYLE":
        codes((100, "AcDbDimStyleTable"), (71, len(records)))
    record_handles = []
    for record in records:
        record_handles.append(new_handle())
        codes((0, name), (entry_code, record_handles[-1]), (330, handle),
              (100, "AcDbSymbolTableRecord"), (100, subclass), *record)
    code(0, "ENDTAB")
    return record_handles


def header(handle_seed):
    codes((0, "SECTION"), (2, "HEADER"), (9, "$ACADVER"), (1, "AC1015"), (9, "$HANDSEED"),
          (5, handle_seed))
    codes((9, "$INSBASE"), (10, "0.0"), (20, "0.0"), (30, "0.0"))
    codes((9, "$EXTMIN"), (10, "0.0"), (20, "0.0"), (30, "0.0"))
    codes((9, "$EXTMAX"), (10, "12000.0"), (20, "1900.0"), (30, "1600.0"))
    codes((0, "ENDSEC"), (0, "SECTION"), (2, "CLASSES"), (0, "ENDSEC"))


def tables():
    """The tables DXF 2000 requires; the handles of the two spaces' block records."""
    codes((0, "SECTION"), (2, "TABLES"))
    table("VPORT", [], "AcDbViewportTableRecord")
    table("LTYPE", [[(2, name), (70, 0), (3, text), (72, 65), (73, 0), (40, "0.0")]
                    for name, text in (("ByBlock", ""), ("ByLayer", ""),
                                       ("Continuous", "Solid line"))], "AcDbLinetypeTableRecord")
    table("LAYER", [[(2, name), (70, 0), (62, colour), (6, "Continuous")]
                    for name, colour in (("0", 7), ("SEZIONI", 1), ("MESH", 3), ("PARATIA", 5))],
          "AcDbLayerTableRecord")
    table("STYLE", [[(2, "Standard"), (70, 0), (40, "0.0"), (41, "1.0"), (50, "0.0"), (71, 0),
                     (42, "2.5"), (3, "txt"), (4, "")]], "AcDbTextStyleTableRecord")
    table("VIEW", [], "AcDbViewTableRecord")
    table("UCS", [], "AcDbUCSTableRecord")
    table("APPID", [[(2, "ACAD"), (70, 0)]], "AcDbRegAppTableRecord")
    table("DIMSTYLE", [[(2, "Standard"), (70, 0)]], "AcDbDimStyleTableRecord", entry_code=105)
    spaces = table("BLOCK_RECORD", [[(2, "*Model_Space")], [(2, "*Paper_Space")]],
                   "AcDbBlockTableRecord")
    code(0, "ENDSEC")
    return spaces


def blocks(spaces):
    code(0, "SECTION"); code(2, "BLOCKS")
    for name, owner in zip(("*Model_Space", "*Paper_Space"), spaces):
        entity("BLOCK", "0", owner, ["AcDbBlockBegin"])
        codes((2, name), (70, 0), (10, "0.0"), (20, "0.0"), (30, "0.0"), (3, name), (1, ""))
        entity("ENDBLK", "0", owner, ["AcDbBlockEnd"])
    code(0, "ENDSEC")


POLYLINE_KINDS = {  # by the polyline's flags: its subclass and that of its vertices
    1: ("AcDb2dPolyline", "AcDb2dVertex"),
    8: ("AcDb3dPolyline", "AcDb3dPolylineVertex"),
    16: ("AcDbPolygonMesh", "AcDbPolygonMeshVertex"),
    64: ("AcDbPolyFaceMesh", "AcDbPolyFaceMeshVertex"),
}


def polyline(space, layer, flags, points, elevation=0.0, extrusion=None, vertex_flags=None,
             extra=()):
    subclass, vertex_subclass = POLYLINE_KINDS[flags]
    owner = entity("POLYLINE", layer, space, [subclass])
    codes((66, 1), (10, "0.0"), (20, "0.0"), (30, num(elevation)), (70, flags), *extra)
    if extrusion:
        code(210, num(extrusion[0])); code(220, num(extrusion[1])); code(230, num(extrusion[2]))
    for p in points:
        # A face record of a polyface mesh is a vertex without a position of its own.
        face = len(p) > 3 and p[3] == 128
        entity("VERTEX", layer, owner,
               ["AcDbFaceRecord"] if face else ["AcDbVertex", vertex_subclass])
        code(10, num(p[0])); code(20, num(p[1])); code(30, num(p[2]))
        if len(p) > 3:
            code(70, p[3])
            for c, v in p[4]:
                code(c, v)
        elif vertex_flags is not None:
            code(70, vertex_flags)
    entity("SEQEND", layer, owner, [])


def half_breadth(x, z, length=12000.0, beam=1900.0, depth=1600.0):
    """A plausible hull: fine at the bow, full amidships, a transom aft."""
    t = x / length
    fullness = math.sin(math.pi * (0.12 + 0.68 * t)) ** 0.6
    return beam * fullness * (z / depth) ** 0.45


def sections(space):
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
        polyline(space, "SEZIONI", 8, points, vertex_flags=32)


def meshes(space):
    # A polyface mesh (flags 64): a small deck box, four vertices and two faces.
    box = [(5000, -300, 1600, 192, ()), (5600, -300, 1600, 192, ()), (5600, 300, 1600, 192, ()),
           (5000, 300, 1600, 192, ()),
           (0, 0, 0, 128, ((71, 1), (72, 2), (73, 3))), (0, 0, 0, 128, ((71, 1), (72, 3), (73, 4)))]
    polyline(space, "MESH", 64, box, extra=((71, 4), (72, 2)))
    # A polygon mesh (flags 16), 2 x 3 vertices: a patch of the transom.
    patch = [(12000, y, z, 64, ()) for y in (0, 600) for z in (800, 1200, 1600)]
    polyline(space, "MESH", 16, patch, extra=((71, 2), (72, 3)))


def bulkhead(space):
    # A 2D polyline in the plane x = 6000, drawn in its own coordinates (y, z) with the
    # elevation as third value; the extrusion direction is the x axis.
    outline = [(0.0, 200.0), (900.0, 300.0), (1200.0, 900.0), (1300.0, 1500.0), (0.0, 1500.0)]
    points = [(y, z, 6000.0) for y, z in outline]
    polyline(space, "PARATIA", 1, points, elevation=6000.0, extrusion=(1.0, 0.0, 0.0))


def lwpolyline(space):
    # The waterline as an LWPOLYLINE: not a POLYLINE, so the converter leaves it out.
    entity("LWPOLYLINE", "SEZIONI", space, ["AcDbPolyline"])
    code(90, 4); code(70, 0)
    for x, y in ((0, 0), (4000, 1500), (8000, 1800), (12000, 1200)):
        code(10, num(x)); code(20, num(y))


def objects():
    """The root dictionary, with the dictionary of groups it must hold."""
    root, groups = new_handle(), new_handle()
    codes((0, "SECTION"), (2, "OBJECTS"))
    codes((0, "DICTIONARY"), (5, root), (330, 0), (100, "AcDbDictionary"), (281, 1),
          (3, "ACAD_GROUP"), (350, groups))
    codes((0, "DICTIONARY"), (5, groups), (330, root), (100, "AcDbDictionary"), (281, 1))
    code(0, "ENDSEC")


def main():
    global lines
    spaces = tables()
    blocks(spaces)
    code(0, "SECTION"); code(2, "ENTITIES")
    sections(spaces[0])
    meshes(spaces[0])
    bulkhead(spaces[0])
    lwpolyline(spaces[0])
    code(0, "ENDSEC")
    objects()
    code(0, "EOF")
    # The header comes first in the file but names the first handle not given out.
    body, lines = lines, []
    header(new_handle())
    lines += body
    out = sys.argv[1] if len(sys.argv) > 1 else "scafo.dxf"
    with open(out, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
