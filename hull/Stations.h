// The stations of a hull at one waterline: its sections (Sections.h) cut there and checked, so
// that every output of the hull starts from sections that a seakeeping program accepts, or from
// a refusal that says which one is wrong. Cut afresh at each waterline, each section is told
// half or whole by what lies under the water.
#pragma once

#include "Sections.h"

#include <string>
#include <vector>

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
    std::vector<double> dry;       // the x (drawing's units) of the sections above the water
    int nMirrored = 0;             // half sections drawn on the starboard side, taken to port
};

// Below this half-breadth a station is a line rather than a section.
constexpr double kNoBreadth = 0.005;

// Cuts the sections at the waterline (a z in the drawing's units); false with a one-line
// Italian refusal when they make no hull the outputs can be written from.
bool CutAtWaterline(const SectionSet& sections, double waterline, StationSet& set,
                    std::string& refusal);

// The notes of one cut, for standard error: the sections left out above the water and, when
// bMirrored, those taken across to the port side.
std::string CutNotes(const StationSet& set, bool bMirrored);

// "sezione a x = 1.500000e+003", the station named as the drawing gives its x.
std::string StationName(const Station& station);
