// A circular arc as a drawing stores it, in the plane of its extrusion, and the points along it
// that stand for it within a tolerance.
#pragma once

#include <vector>

struct ArcCurve {
    double centre[3] = {}; // in the arc's plane, the third its elevation
    double radius = 0.0;
    double startDegrees = 0.0, endDegrees = 360.0; // counter-clockwise from the start
};

// The points from the start to the end (x, y and z in turn, in the arc's plane) such that no
// point of the arc lies farther than the tolerance (0: a thousandth of the radius) from the
// chords through them; the first and last exactly at the arc's ends. False, with no point, for
// a radius that is not positive or values that are not finite. 4,096 chords at most.
bool FlattenArc(const ArcCurve& arc, double tolerance, std::vector<double>& points);
