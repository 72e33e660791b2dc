// A B-spline or NURBS curve as a drawing stores it, and the points along it that stand for it
// within a tolerance.
#pragma once

#include <vector>

struct SplineCurve {
    int nDegree = 0;
    std::vector<double> knots;   // empty: clamped and uniform
    std::vector<double> weights; // empty: every weight 1
    std::vector<double> control; // x, y and z of each control point in turn
};

// The curve from the parameter knots[degree] to knots[number of control points], as points
// (x, y and z in turn) such that no point of the curve lies farther than the tolerance from the
// polyline through them; each point lies on the curve, the first and last at its two ends.
// False, with no point, when the data make no curve: a degree below 1 or above 25, fewer
// control points than the degree needs, knots or weights that do not match their number,
// knots that decrease or span nothing, weights that are not positive, values that are not
// finite. Each piece of the curve between two knots is cut into 65,536 chords at most, which
// only a tolerance some ten billion times smaller than the piece would need.
bool FlattenSpline(const SplineCurve& curve, double tolerance, std::vector<double>& points);

// One thousandth of the diagonal of the box around the control points.
double DefaultSplineTolerance(const SplineCurve& curve);
