// The converter's reading of a drawing: the load as the dialog does it, told apart by the scan
// of the drawing's tags, and on request with the LWPOLYLINEs and only the layers chosen.
#pragma once

#include "DrawingScan.h"
#include "DxfLoad.h"

#include <map>
#include <string>
#include <vector>

struct ReadChoices {
    bool bLwPolylines = false;       // read every LWPOLYLINE of ENTITIES as a polyline too
    std::vector<std::string> layers; // read only these layers; every layer when empty
};

// What the load left out, by reason, and what it read, by layer.
struct LoadReport {
    int nByFlags = 0;         // meshes and other polylines with flags of 16 or more
    int nLwPolylines = 0;     // LWPOLYLINEs, when they are not read
    int nOtherLayers = 0;     // polylines and LWPOLYLINEs on a layer not chosen
    int nWithoutVertices = 0; // POLYLINEs whose vertices the load found none of, empty LWPOLYLINEs
    int nBulged = 0;          // LWPOLYLINEs read whose bulges were read as chords
    std::map<std::string, int> layersRead; // the polylines read, by layer as written
    std::vector<std::string> absentLayers; // the layers chosen that no entity carries
};

// Scans the drawing, then loads it with the choices into the list, emptied first, which ends
// sorted as LoadPolylines leaves it. Without choices the list is the dialog's, byte for byte.
void ReadDrawing(CDxfFile& file, const ReadChoices& choices, CPolylineList& polylines,
                 INT32& nPolylineCount, INT32& nPointCount, DrawingScan& scan, LoadReport& report);
