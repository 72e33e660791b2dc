// The sections of a hull as drawn, built once from the curves of a drawing: grouped by their
// x, joined end to end, in metres, and not yet cut at any waterline (Stations.h cuts them).
//
// How far the curves are trusted: not at all. A coordinate that is no finite number, a curve
// that lies at no one x, parts that do not meet: each is a refusal that names the curve by its
// number in the drawing's sorted list, or a note where the choices say to leave it out.
#pragma once

#include "Polyline.h"
#include "PolylineOrigin.h"
#include "SectionCurve.h"

#include <string>
#include <vector>

struct HullPoint {
    double x, y, z;
};

// One curve of the drawing, in its units, as the hull reads it.
struct DrawnCurve {
    INT32 nNumber = 0; // its position in the drawing's sorted list, as the refusals name it
    std::vector<HullPoint> points;
    bool bClosed = false; // a loop: its last point joins its first
    std::string layer;
    ULONGLONG nOffset = 0;  // the drawing's order
    bool bPiece = false;    // a LINE or an ARC: a piece of a curve rather than a curve
    double elevation = 0.0; // added to its points' z for the elevation it stands at
};

// The curves of the sorted list: each polyline's points, with what its origin says (origins
// may be fewer than the polylines: those beyond are open, on no layer, in list order).
std::vector<DrawnCurve> CurvesOf(CPolylineList& polylines,
                                 const std::vector<PolylineOrigin>& origins);

struct SectionChoices {
    double scale = 1.0;         // metres per unit of the drawing
    bool bSectionsOnly = false; // leave out the curves at no one x, with a note, or refuse them
};

// A station as drawn: its parts joined into one curve in its own plane, y positive to port
// (a y within kJoinTolerance of the centreline taken onto it), not yet cut at the waterline.
struct Section {
    double x = 0.0;      // metres
    double xDrawn = 0.0; // in the drawing's units, as the messages name it
    SectionCurve curve;
    bool bClosed = false; // a loop round the section (a whole one, or a frame's two lines)
};

struct SectionSet {
    std::vector<Section> sections; // from the stern to the bow
    double scale = 1.0;            // metres per unit of the drawing
    std::string notes;             // what was left out, for standard error
};

// The refusal of the first curve with a coordinate that is no finite number; "" when there is
// none.
std::string NotFiniteRefusal(const std::vector<DrawnCurve>& curves);

// Builds the sections from the curves; false with a one-line Italian refusal.
bool BuildSections(const std::vector<DrawnCurve>& curves, const SectionChoices& choices,
                   SectionSet& set, std::string& refusal);

// "sezione a x = 1.500000e+003", the station named as the drawing gives its x.
std::string SectionName(double xDrawn);
