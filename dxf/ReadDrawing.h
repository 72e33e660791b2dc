// The reading of a drawing, the one door of the dialog and the converter. The dialog asks for the
// polylines alone: the load through the windowed reader, sorted. The converter asks for the
// drawing's scan and a report as well: the load and the scan of the drawing's tags then run at
// once on two threads, each with a reader of its own (LoadAndScan.h), and are matched when both
// are done, so
// that on request the LWPOLYLINEs, the SPLINEs, every polyline that is no mesh, only the model
// space and only the layers chosen are read.
#pragma once

#include "DrawingScan.h"
#include "DxfLoad.h"
#include "PolylineOrigin.h"

#include <array>
#include <map>
#include <string>
#include <vector>

struct ReadChoices {
    bool bLwPolylines = false;       // read every LWPOLYLINE of ENTITIES as a polyline too
    bool bSplines = false;           // and every SPLINE, as points along its curve
    bool bAllPolylines = false;      // every POLYLINE that is no mesh, whatever its flags
    bool bModelOnly = false;         // leave out what lies in the paper space
    double tolerance = 0.0;          // of the SPLINEs' points; 0: a thousandth of each one's size
    std::vector<std::string> layers; // read only these layers; every layer when empty
    std::vector<std::string> excludedLayers; // and never these
    bool bLines = false;                     // every LINE and ARC too, arcs as chords
    bool bTexts = false;                     // the texts, for the labels of a body plan
    bool bWindow = false;                    // read only what lies wholly inside the window:
    std::array<double, 4> window{};          // x and y least, then greatest, on the sheet
};

// What the load left out, by reason, and what it read.
struct LoadReport {
    int nMeshes = 0;          // polygon and polyface meshes (flag bits 16 and 64)
    int nOtherFlags = 0;      // other polylines with flags of 16 or more, when they are not read
    int nLwPolylines = 0;     // LWPOLYLINEs, when they are not read
    int nSplines = 0;         // SPLINEs, when they are not read
    int nPaperSpace = 0;      // what lies in the paper space, when only the model is read
    int nOtherLayers = 0;     // entities that would be read, on a layer not chosen
    int nExcludedLayers = 0;  // entities that would be read, on a layer left out
    int nOutsideWindow = 0;   // entities that would be read, not wholly inside the window
    int nBadArcs = 0;         // ARCs whose data make no arc
    int nWithoutVertices = 0; // POLYLINEs with no vertex read, empty LWPOLYLINEs and SPLINEs
    int nFitPointsOnly = 0;   // SPLINEs given by their fit points alone
    int nBadSplines = 0;      // SPLINEs whose data make no curve
    int nBulged = 0;          // LWPOLYLINEs read whose bulges were read as chords
    int nPolylinesBulged = 0; // POLYLINEs read likewise
    int nFromPaperSpace = 0;  // polylines read from the paper space
    bool bAllAtOneX = false;  // two polylines or more were read, every point at the same x
    std::map<std::string, int> layersRead; // the polylines read, by layer as written
    std::vector<std::string> absentLayers; // the layers chosen that no entity carries
};

// The dialog's reading: the drawing into the list, emptied first, which ends sorted; the list
// and the counts are those of the original program, byte for byte, also when an exception
// leaves half-way. The polyline count is set once all is read.
void ReadDrawing(CDxfFile& file, CPolylineList& polylines, INT32& nPolylineCount,
                 INT32& nPointCount);

// The converter's reading: the same with the choices applied, the scan and the report filled
// in, where each polyline of the sorted list comes from, and the texts the choices take (those
// asked for, in file order). A binary DXF is not read: the list stays empty.
void ReadDrawing(CDxfFile& file, const ReadChoices& choices, CPolylineList& polylines,
                 INT32& nPolylineCount, INT32& nPointCount, DrawingScan& scan, LoadReport& report,
                 std::vector<PolylineOrigin>& origins, std::vector<TextLabel>& labels);
