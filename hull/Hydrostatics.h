// The hydrostatics of the stations as cut: what a naval architect reads first to see whether
// the sections are the ones meant. Both sides of the hull, metres and tonnes, x and z in the
// drawing's frame, heights (KB, KM) above the keel; integrated along x by the trapezoidal rule,
// the waterplane's moments exactly for a breadth that varies linearly between stations, as the
// meshes have it.
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
    double displacement = 0.0;   // tonnes of sea water
    double keelToBuoyancy = 0.0; // KB
    // The metacentric radii IT / V and IL / V, and the metacentres above the keel, KB + BM.
    double bmTransverse = 0.0, bmLongitudinal = 0.0, kmTransverse = 0.0, kmLongitudinal = 0.0;
    // Tonnes to sink the hull 1 cm, and the moment to trim it 1 cm, t·m/cm: from BMl alone, as
    // tables give it without a centre of gravity.
    double tonnesPerCm = 0.0, momentToTrimCm = 0.0;
    double midshipArea = 0.0; // the largest section's area
    double prismaticCoefficient = 0.0, midshipCoefficient = 0.0, waterplaneCoefficient = 0.0;
};

constexpr double kGravity = 9.81; // m/s^2, as the solvers take it

Hydrostatics ComputeHydrostatics(const StationSet& set);

// false with a refusal when the waterline leaves the hull no volume or no waterplane: the
// centres are divided by them.
bool CheckFloating(const Hydrostatics& h, std::string& refusal);

// One line per quantity, "%e" numbers, each line ended by LF.
std::string HydrostaticsText(const Hydrostatics& h);
