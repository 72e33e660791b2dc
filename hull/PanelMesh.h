// The panel mesh of the wetted half hull (y >= 0) for the panel programs: lofted between
// neighbouring stations (resampled as Resampling.h says), closed at an end station that has
// an area, z measured from the waterline, every panel turned so that its normal points out of
// the body, into the water.
#pragma once

#include "Stations.h"

#include <array>
#include <string>
#include <vector>

struct MeshNode {
    double x, y, z;
};

struct PanelMesh {
    std::vector<MeshNode> nodes;
    // Four node numbers from 0, counter-clockwise seen from the water; a triangle repeats its
    // first node as the fourth.
    std::vector<std::array<int, 4>> panels;
};

// false with a refusal when a whole station is not symmetric within 1 mm: the mesh holds one
// side only.
bool BuildPanelMesh(const StationSet& set, int nSegments, PanelMesh& mesh, std::string& refusal);

// The lid that panel programs lay on the waterplane against irregular frequencies: the half
// waterplane (y >= 0) at z = 0, a strip between each pair of stations cut across into as many
// panels as the hull's half sections have segments, its outer nodes the hull's own on the
// waterline, and every panel facing down (-z), out of the body. The same refusal as the hull's.
bool BuildLid(const StationSet& set, int nSegments, PanelMesh& lid, std::string& refusal);

// Nemoh's mesh (.dat): "2 1", the nodes numbered from 1, then the panels, each list ended by
// its line of zeros.
std::string NemohMeshText(const PanelMesh& mesh);
// WAMIT's low-order geometry (.gdf): title, ULEN GRAV, ISX ISY, the number of panels, then
// the four vertices of each.
std::string WamitGdfText(const PanelMesh& mesh);
