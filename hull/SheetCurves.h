// The curves of a body plan as they lie on the sheet: checked flat, LINE and ARC pieces joined
// into curves where two of them meet, and straight horizontal or vertical lines told apart.
#pragma once

#include "Sections.h"
#include "StationLabels.h"

#include <string>
#include <vector>

struct SheetCurve {
    INT32 nNumber = 0; // of its first polyline in the drawing's sorted list
    std::string layer;
    ULONGLONG nOffset = 0; // the drawing's order
    bool bClosed = false;
    double elevation = 0.0;
    std::vector<SheetPoint> points;
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
    bool bHorizontal = false, bVertical = false; // a straight line along a side of the sheet
};

// A body plan's refusal, on its way out of the functions that read it.
struct BodyPlanRefusal {
    std::string text;
};

// The sheet's curves in the drawing's order: a POLYLINE, LWPOLYLINE or SPLINE each, and the
// LINEs and ARCs joined end to end where exactly two ends meet (within tolerance, in the
// drawing's units). Throws the refusal of a curve whose points do not share one elevation.
std::vector<SheetCurve> ReadSheetCurves(const std::vector<DrawnCurve>& drawn, double tolerance);

// "la curva 5 (x del foglio da 1.000000e+000 a 2.000000e+000)", as refusals name a curve.
std::string SheetCurveName(const SheetCurve& curve);
