// The stations of a hull, made from the polylines of a drawing: grouped by their x, joined,
// turned, cut at the waterline and checked, so that every output of the hull starts from
// sections that a seakeeping program accepts, or from a refusal that says which one is wrong.
#pragma once

#include "Polyline.h"
#include "SectionCurve.h"

#include <string>
#include <vector>

// Where the drawing puts the hull: its waterline and its unit.
struct HullFrame {
    double waterline = 0.0; // the z of the still waterline, in the drawing's units
    double scale = 1.0;     // metres per unit of the drawing
};

struct Station {
    double x = 0.0;      // metres
    double xDrawn = 0.0; // in the drawing's units, as the messages name it
    // Cut at the waterline, metres: a half section runs from the keel on the centreline up to
    // the waterline on the port side, a whole one from the starboard waterline round the keel
    // to the port waterline.
    SectionCurve curve;
    bool bWhole = false;
    bool bNoBreadth = false; // half-breadth under 5 mm: a stem or a post drawn as a line
};

struct StationSet {
    std::vector<Station> stations; // from the stern to the bow
    double waterline = 0.0;        // metres
    double zLowest = 0.0;          // the lowest point of all stations, metres
    std::string notes;             // lines for standard error, each ended by LF
};

// Below this half-breadth a station is a line rather than a section.
constexpr double kNoBreadth = 0.005;

// Makes the stations from the sorted list; false with a one-line Italian refusal when the
// polylines do not make a hull that the outputs can be written from. Moves the list's cursor.
bool MakeStations(CPolylineList& polylines, const HullFrame& frame, StationSet& set,
                  std::string& refusal);

// "la sezione a x = 1.500000e+003", the station named as the drawing gives its x.
std::string StationName(const Station& station);
