// What a panel program reads beside the mesh, as Nemoh's mesh program writes it: the
// hydrostatic stiffness (KH.dat) and the hydrostatics (Hydrostatics.dat), for the hull
// floating freely in sea water, its mass the mass of the water it displaces.
#pragma once

#include "Hydrostatics.h"

#include <string>

constexpr double kWaterDensity = 1025.0; // kg/m^3

// The 6 x 6 matrix about the centre of gravity g (metres, the drawing's frame), in N/m, N and
// N m, with the waterplane's moments taken about g; for a hull symmetric about y = 0.
struct Stiffness {
    double k[6][6] = {};
};
Stiffness HydrostaticStiffness(const Hydrostatics& h, const HullPoint& g);

// KH.dat: six lines of six numbers.
std::string StiffnessText(const Stiffness& stiffness);

// Hydrostatics.dat in the meshes' frame (z from the waterline): the centre of buoyancy beside
// the centre of gravity, one line per axis, then the volume (m^3) and the waterplane's area.
std::string NemohHydrostaticsText(const Hydrostatics& h, const HullPoint& g);

// The centre of gravity when the drawing gives none: above the centre of buoyancy, on the
// centreline, on the waterline; with the note that says so, in the drawing's units (scale:
// metres per unit).
HullPoint AssumedCentreOfGravity(const Hydrostatics& h, double scale, std::string& note);
