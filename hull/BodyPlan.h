// A body plan drawn flat on the sheet, turned into curves at their stations: the centreline
// found or given, each curve's sheet x measured from it as the hull's y and its sheet y kept as
// the hull's z, the guide lines left out, and each curve's station taken from the source that
// numbers every one of them. Never a guessed position: a drawing that numbers its sections
// nowhere is refused, naming the options that give the numbers.
#pragma once

#include "PolylineOrigin.h"
#include "Sections.h"

#include <string>
#include <vector>

// Where the stations' numbers come from; kStationsFirst takes the first source that numbers
// every section, in this order.
enum StationSource {
    kStationsFirst,
    kStationsFromTexts,      // the number labels written beside the sections
    kStationsFromLayers,     // layer names that are numbers
    kStationsFromElevations, // the elevation of each flat curve
};

struct BodyPlanChoices {
    bool bAxis = false;
    double axis = 0.0;            // the centreline's sheet x, when given
    std::vector<double> stations; // one number per curve read, in the drawing's order
    StationSource source = kStationsFirst;
    double step = 1.0; // a station's x is its number times this, in the drawing's units
};

// The curves of the sheet (x and y on the sheet, z their elevation, in the drawing's units) and
// its texts, turned into curves at their stations (x the station, y from the centreline, z the
// sheet's y). scale is metres per unit: the tolerances are lengths on the real sheet. False with
// a one-line Italian refusal.
bool PlaceBodyPlan(const std::vector<DrawnCurve>& sheet, const std::vector<TextLabel>& labels,
                   const BodyPlanChoices& choices, double scale, std::vector<DrawnCurve>& placed,
                   std::string& notes, std::string& refusal);
