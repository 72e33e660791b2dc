// The hydrostatics of the stations as cut: what a naval architect reads first to see whether
// the sections are the ones meant. Both sides of the hull, metres, in the drawing's frame,
// integrated along x by the trapezoidal rule; the waterplane's moments exactly for a breadth
// that varies linearly between stations, as the meshes have it.
#pragma once

#include "Stations.h"

#include <string>

struct Hydrostatics {
    double waterline = 0.0, draught = 0.0;
    double volume = 0.0, xBuoyancy = 0.0, zBuoyancy = 0.0;
    double waterplaneArea = 0.0, xFlotation = 0.0;
    // The waterplane's second moments, m^4: about the centreline (y = 0) and about the
    // transverse axis through the centre of flotation.
    double inertiaTransverse = 0.0, inertiaLongitudinal = 0.0;
    double wettedSurface = 0.0;
    double length = 0.0, breadth = 0.0, blockCoefficient = 0.0;
    // rad/s: where a panel method without a lid first goes wrong, estimated from the
    // waterplane as a rectangle of length by breadth.
    double irregularFrequency = 0.0;
};

constexpr double kGravity = 9.81; // m/s^2, as the solvers take it

Hydrostatics ComputeHydrostatics(const StationSet& set);

// false with a refusal when the waterline leaves the hull no volume or no waterplane: the
// centres are divided by them.
bool CheckFloating(const Hydrostatics& h, std::string& refusal);

// One line per quantity, "%e" numbers, each line ended by LF.
std::string HydrostaticsText(const Hydrostatics& h);
