// The offset file of PDSTRIP (strip theory): whole sections from the starboard waterline round
// the keel to the port one, from the stern to the bow, read by Fortran list-directed input.
#pragma once

#include "Stations.h"

#include <string>

// The program's own limits.
constexpr int kPdstripMaxSections = 100;

// The file's text for sections of 2 nSegments + 1 points; false with a refusal when PDSTRIP
// could not read them.
bool BuildPdstripOffsets(const StationSet& set, int nSegments, std::string& text,
                         std::string& refusal);

// A station as PDSTRIP gets it: resampled and whole, or, for a station of no breadth, the
// small section that its manual asks for at the ends.
SectionCurve PdstripSection(const Station& station, double waterline, int nSegments);
