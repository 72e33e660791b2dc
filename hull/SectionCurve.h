// A station's curve in its own plane: y across (positive to port), z up, in metres; and the
// plane geometry the stations, the hydrostatics and the meshes share.
#pragma once

#include <vector>

struct SectionPoint {
    double y;
    double z;
    bool operator==(const SectionPoint&) const = default;
};

typedef std::vector<SectionPoint> SectionCurve;

// Points closer than this are one point, and a y this close to 0 lies on the centreline.
constexpr double kJoinTolerance = 0.001;

double Distance(const SectionPoint& a, const SectionPoint& b);
double CurveLength(const SectionCurve& curve);

// The curve run backwards.
SectionCurve Reversed(SectionCurve curve);

// Consecutive points closer than kJoinTolerance become one; the curve's ends stay where they
// are.
SectionCurve WithoutClosePoints(const SectionCurve& curve);

// nSegments + 1 points evenly spaced along the curve's length, its two ends kept exactly.
SectionCurve Resample(const SectionCurve& curve, int nSegments);

// A drawn vertex where the curve turns by more than this (degrees) is a knuckle: a chine, the
// corner of a flat keel. Resampled across, it would be rounded off and the section would lose
// area; a smooth section drawn with a dozen points turns far less at each.
constexpr double kKnuckleTurn = 20.0;

// The curve cut at its knuckles: pieces from one end or knuckle to the next, each sharing its
// ends with its neighbours.
std::vector<SectionCurve> SplitAtKnuckles(const SectionCurve& curve);

// The starboard half mirrored to port and run backwards, then the port half: two halves from
// the keel up become the whole section from the starboard end round to the port end.
SectionCurve WholeFromHalves(const SectionCurve& starboard, const SectionCurve& port);

// A whole section's two sides, each from where it last crosses the centreline up, the
// starboard one mirrored to port.
struct SectionHalves {
    SectionCurve starboard, port;
};
SectionHalves SplitAtCentreline(const SectionCurve& whole);

// Area and first moment about z = 0 of the region between the curve and the straight line
// that closes it: positive when the curve runs counter-clockwise seen with y to the right and
// z up, as a section does from starboard round the keel to port.
struct PlaneArea {
    double area = 0.0;
    double momentZ = 0.0; // the integral of z over the area
};
PlaneArea ClosedArea(const SectionCurve& curve);

// True when every point of the curve, mirrored across the centreline, lies within tolerance of
// the curve.
bool IsSymmetric(const SectionCurve& curve, double tolerance);
