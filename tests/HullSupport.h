// Hulls whose hydrostatics have closed forms, drawn as the curves the hull reads, for the tests
// of hull/.
#pragma once

#include "Sections.h"
#include "Stations.h"

#include <vector>

// A box barge from x = 0 to length, keel at z = 0, sides up to depth: each station's section
// from the keel on the centreline out and up the port side (bWhole: from the starboard deck
// edge round to the port one), in drawing units of 1/unitsPerMetre m.
std::vector<DrawnCurve> BoxBarge(double length, double breadth, double depth, int nStations,
                                 bool bWhole = false, double unitsPerMetre = 1.0);

// A Wigley hull from x = -L/2 to L/2 with its waterline at z = 0: half-breadth
// B/2 (1 - (2x/L)^2)(1 - (z/T)^2) below the waterline, upright above it up to z = freeboard;
// nPoints points a section from the keel up.
std::vector<DrawnCurve> WigleyHull(double length, double breadth, double draught, int nStations,
                                   int nPoints, double freeboard, bool bWhole = false);

// The curves built into sections, in metres; fails the test on a refusal.
SectionSet SectionsOf(const std::vector<DrawnCurve>& curves, double scale = 1.0);

// The sections cut at the waterline z (drawing units); fails the test on a refusal.
StationSet CutAt(const SectionSet& sections, double waterline);
