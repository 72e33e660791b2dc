// What a drawing holds, read by its tags: the header's version and units, the entities of the
// ENTITIES section by type, where each POLYLINE lies and on which layer, the LWPOLYLINEs and the
// SPLINEs. The load reads the polylines as it always has; this scan tells the converter what the
// load did not take, and gives it the entities and the layers it may read on request.
#pragma once

#include "Arc.h"
#include "File.h"
#include "Spline.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// Where an entity the converter may read starts, its layer, and whether it belongs to the
// paper space (group 67 = 1: title blocks, frames) rather than the model.
struct EntityPlace {
    ULONGLONG nOffset = 0;   // of its type name
    std::string layer = "0"; // the layer of an entity that names none
    bool bPaperSpace = false;
};

// An LWPOLYLINE: its vertices (10, 20) at its elevation (38), in the plane of its extrusion
// direction (210, 220, 230). Bulges (42) are not followed; bBulge says whether it had any.
struct LwPolyline : EntityPlace {
    std::vector<double> xy; // x and y of each vertex in turn
    double elevation = 0.0;
    double extrusion[3] = {0.0, 0.0, 1.0};
    bool bBulge = false;
    bool bClosed = false; // flag 1 (70)
};

// A POLYLINE entity: the value line of its type name, which the load's keyword search finds,
// runs from nOffset to nTo. bBulge: one of its vertices has a bulge (42).
struct PolylineEntity : EntityPlace {
    ULONGLONG nTo = 0;
    bool bBulge = false;
    double elevation = 0.0; // a 2D polyline's (30 of its header), which its vertices do not hold
};

// A SPLINE: its degree (71), knots (40), weights (41) and control points (10, 20, 30); of its
// fit points (11, 21, 31) only how many.
struct SplineEntity : EntityPlace {
    SplineCurve curve;
    int nFitPoints = 0;
    bool bClosed = false; // flag 1 (70)
};

// A LINE: its two ends (10, 20, 30 and 11, 21, 31).
struct LineEntity : EntityPlace {
    double from[3] = {}, to[3] = {};
};

// An ARC (10, 20, 30 its centre, 40, 50, 51) in the plane of its extrusion (210, 220, 230).
struct ArcEntity : EntityPlace {
    ArcCurve arc;
    double extrusion[3] = {0.0, 0.0, 1.0};
};

// A TEXT, MTEXT or ATTRIB: where it stands (10, 20) and its content (1, and 3 before it for an
// MTEXT, whose formatting codes are taken out). A text of a block stands in the block's own
// coordinates until a reference places it.
struct TextEntity : EntityPlace {
    double x = 0.0, y = 0.0;
    std::string text;
};

// An INSERT: the block (2) it puts at its place (10, 20), scaled (41, 42) and turned (50,
// degrees) about the block's base point.
struct BlockReference : EntityPlace {
    std::string block;
    double x = 0.0, y = 0.0;
    double scale[2] = {1.0, 1.0};
    double rotation = 0.0;
};

struct DrawingScan {
    std::string version; // $ACADVER, "" when the header has none
    int nUnits = 0;      // $INSUNITS, 0 when absent
    std::map<std::string, int> entityCounts;
    std::vector<PolylineEntity> polylines;
    std::vector<LwPolyline> lwpolylines; // their vertices only when asked for
    std::vector<SplineEntity> splines;   // only when asked for
    std::vector<LineEntity> lines;       // the LINEs, only when asked for
    std::vector<ArcEntity> arcs;         // the ARCs, only when asked for
    // Only when asked for: the texts on the sheet that may be numbers (they begin, after spaces,
    // with a digit, a sign or a decimal separator), in file order, those of the blocks where the
    // references in ENTITIES put them, each with its reference's offset and space.
    std::vector<TextEntity> texts;
    // The layers of the entities of ENTITIES as entityCounts counts them (a VERTEX, ATTRIB or
    // SEQEND with its owner), as written, each once.
    std::vector<std::string> layers;
    bool bCut = false;      // the tags ended before the end of the file
    bool bBinary = false;   // the file is a binary DXF, which no tag of it is read from
    bool bEntities = false; // an ENTITIES section was found
};

// What the scan keeps beyond its counts.
struct ScanDetail {
    bool bLwVertices = false; // the vertices of the LWPOLYLINEs
    bool bSplines = false;    // the SPLINEs
    bool bLines = false;      // the LINEs and ARCs
    bool bTexts = false;      // the texts
};

// Reads the drawing from its start.
void ScanDrawing(CFile& file, const ScanDetail& detail, DrawingScan& scan);

// Layer names compare as DXF compares them: without regard to case.
bool SameLayer(std::string_view a, std::string_view b);
