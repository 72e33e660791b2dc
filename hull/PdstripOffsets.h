// The offset file of PDSTRIP (strip theory): whole sections from the starboard waterline round
// the keel to the port one, from the stern to the bow, read by Fortran list-directed input.
#pragma once

#include "Stations.h"

#include <string>
#include <vector>

// The program's own limits.
constexpr size_t kPdstripMaxSections = 100, kPdstripMaxPoints = 100;

// The file's text for sections of 2 nSegments + 1 points (more where a section has more
// knuckles, as Resampling.h says); false with a refusal when PDSTRIP could not read them.
bool BuildPdstripOffsets(const StationSet& set, int nSegments, std::string& text,
                         std::string& refusal);

// The stations as PDSTRIP gets them: whole, each side resampled from the keel up, or, for a
// station of no breadth, the small section that its manual asks for at the ends.
std::vector<SectionCurve> PdstripSections(const StationSet& set, int nSegments);
