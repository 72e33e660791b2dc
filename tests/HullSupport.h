// Hulls whose hydrostatics have closed forms, drawn as the curves the hull reads, for the tests
// of hull/.
#pragma once

#include "Sections.h"
#include "Stations.h"

#include <vector>

// The same section at nStations stations from x = 0 to length: its half from the keel up in
// metres, drawn as it is or (bWhole) with its starboard side before it, in drawing units of
// 1/unitsPerMetre m.
std::vector<DrawnCurve> Prism(double length, const std::vector<SectionPoint>& half, int nStations,
                              bool bWhole = false, double unitsPerMetre = 1.0);

// A box barge, its keel at z = 0 and its sides up to depth.
std::vector<DrawnCurve> BoxBarge(double length, double breadth, double depth, int nStations,
                                 bool bWhole = false, double unitsPerMetre = 1.0);

// A hard-chine hull with deadrise: the bottom rises straight from the keel to a chine at 0.4 B and
// a quarter of the depth, and the side flares out to the deck edge at B / 2.
std::vector<DrawnCurve> HardChineHull(double length, double breadth, double depth, int nStations,
                                      bool bWhole = false, double unitsPerMetre = 1.0);

// Both, 100 x 10 x 4 m, five stations, cut at 2 m: in metres and in millimetres, of half and
// of whole sections.
std::vector<StationSet> StraightSidedHulls();

// A Wigley hull from x = -L/2 to L/2 with its waterline at z = 0: half-breadth
// B/2 (1 - (2x/L)^2)(1 - (z/T)^2) below the waterline, upright above it up to z = freeboard;
// nPoints points a section from the keel up.
std::vector<DrawnCurve> WigleyHull(double length, double breadth, double draught, int nStations,
                                   int nPoints, double freeboard, bool bWhole = false);

// One curve of the drawing, as the polyline numbered nNumber.
DrawnCurve CurveOf(INT32 nNumber, std::vector<HullPoint> points, bool bClosed = false);

// The curves built into sections, in metres; fails the test on a refusal.
SectionSet SectionsOf(const std::vector<DrawnCurve>& curves, double scale = 1.0);

// The sections cut at the waterline z (drawing units); fails the test on a refusal.
StationSet CutAt(const SectionSet& sections, double waterline);
