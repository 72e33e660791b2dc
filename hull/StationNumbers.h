// Which number each curve of a body plan stands at, from the first source that numbers them
// all: the numbers given, the labels beside the sections, the layers' names, the elevations.
#pragma once

#include "BodyPlan.h"
#include "SheetCurves.h"

#include <string>
#include <vector>

enum class CurveSide { Left, Right, Across, OnAxis };

struct StationCurve {
    SheetCurve* pCurve = nullptr; // the body plan's own, which places it afterwards
    CurveSide side = CurveSide::Left;
    bool bLine = false; // a vertical line on the centreline: a station with a label of its own
};

struct StationNumbering {
    std::vector<StationCurve> curves; // those read as stations, in the drawing's order
    std::vector<double> numbers;      // each one's number
    int nLinesLeftOut = 0;            // lines on the centreline with no label of their own
    std::string note;                 // where the numbers come from
    std::string refusal;              // why no source numbers every curve, if none does
};

// Numbers the candidates. The labels decide which lines on the centreline are stations: those
// each nearest to a label that is no section's.
StationNumbering NumberStations(const std::vector<StationCurve>& candidates,
                                const std::vector<TextLabel>& labels,
                                const BodyPlanChoices& choices, double tolerance);
