// The stations at a waterline: how each section is told half or whole once cut.
#include "CurvesOfForm.h"
#include "HullSupport.h"

#include <gtest/gtest.h>

TEST(Stations, DeckLineAcrossTheCentrelineAboveTheWaterLeavesAHalfSectionHalf) {
    // Broke: half or whole was decided on the whole drawn curve, so a half section whose deck
    // line crosses the centreline 5 cm above the water was taken as whole and refused as not
    // reaching the waterline, at one waterline and in every row of a table.
    std::vector<DrawnCurve> curves;
    for (INT32 i = 0; i < 3; ++i)
        curves.push_back(
            {i, {{10.0 * i, 0, 0}, {10.0 * i, 2, 0}, {10.0 * i, 2, 2.05}, {10.0 * i, -0.5, 2.05}}});
    const SectionSet sections = SectionsOf(curves);
    for (const Station& s : CutAt(sections, 2.0).stations)
        EXPECT_FALSE(s.bWhole);
    std::vector<Hydrostatics> rows;
    std::string notes, refusal;
    EXPECT_TRUE(ComputeCurvesOfForm(sections, {0.5, 2.0, 6}, true, rows, notes, refusal))
        << refusal;
}
