// The half sections as the meshes and the offsets take them: every one of the same number of
// segments, so that neighbouring stations loft point to point; every knuckle kept, so that a
// section of straight sides keeps its area exactly; and on neighbouring halves with as many
// knuckles each knuckle at the same point number, so that the panels run along a chine rather
// than across it.
#pragma once

#include "SectionCurve.h"

#include <vector>

// The segments every half takes: nMinSegments, or as many as the pieces between the knuckles
// of the half that has most.
int CommonSegments(const std::vector<SectionCurve>& halves, int nMinSegments);

// The halves, each from its keel end up, resampled to nSegments each (at least their
// CommonSegments): the pieces between knuckles share them by length, alike along each run of
// neighbouring halves with as many pieces, and each piece spreads its own evenly.
std::vector<SectionCurve> ResampleHalves(const std::vector<SectionCurve>& halves, int nSegments);
