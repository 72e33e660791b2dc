// What a drawing holds, read by its tags: the header's version and units, the entities of the
// ENTITIES section by type, where each POLYLINE lies and on which layer, and the LWPOLYLINEs.
// The load reads the polylines as it always has; this scan tells the converter what the load
// did not take, and gives it the LWPOLYLINEs and the layers it may read on request.
#pragma once

#include "File.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// An LWPOLYLINE: its vertices (10, 20) at its elevation (38), in the plane of its extrusion
// direction (210, 220, 230). Bulges (42) are not followed; bBulge says whether it had any.
struct LwPolyline {
    ULONGLONG nOffset = 0;   // of its type name
    std::string layer = "0"; // the layer of an entity that names none
    std::vector<double> xy;  // x and y of each vertex in turn
    double elevation = 0.0;
    double extrusion[3] = {0.0, 0.0, 1.0};
    bool bBulge = false;
};

// A POLYLINE entity: the value line of its type name, which the load's keyword search finds.
struct PolylineEntity {
    ULONGLONG nFrom = 0, nTo = 0; // the line's first byte and the byte after it
    std::string layer = "0";
};

struct DrawingScan {
    std::string version; // $ACADVER, "" when the header has none
    int nUnits = 0;      // $INSUNITS, 0 when absent
    std::map<std::string, int> entityCounts;
    std::vector<PolylineEntity> polylines;
    std::vector<LwPolyline> lwpolylines; // their vertices only when asked for
    std::vector<std::string> layers;     // of every entity of ENTITIES, as written, each once
    bool bCut = false;                   // the tags ended before the end of the file
};

// Reads the drawing from its start. With bKeepLwVertices false the LWPOLYLINEs are listed
// without their vertices.
void ScanDrawing(CFile& file, bool bKeepLwVertices, DrawingScan& scan);

// Layer names compare as DXF compares them: without regard to case.
bool SameLayer(std::string_view a, std::string_view b);
