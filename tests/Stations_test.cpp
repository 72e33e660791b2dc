// The sections cut at the waterline: the crossings, and how each section is told half or whole
// by what lies under the water.
#include "CurvesOfForm.h"
#include "HullSupport.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Stations, CrossingsAreInterpolatedOntoTheWaterline) {
    const struct {
        std::vector<SectionPoint> drawn;
        bool bWhole;
        double waterline;
        SectionCurve cut;
    } cases[] = {
        // Crossing a quarter of the way up its segment, drawn from the keel or from the deck.
        {{{0, 0}, {2, 0}, {4, 4}}, false, 1.0, {{0, 0}, {2, 0}, {2.5, 1}}},
        {{{4, 4}, {2, 0}, {0, 0}}, false, 1.0, {{0, 0}, {2, 0}, {2.5, 1}}},
        {{{0, 0}, {2, 0}, {4, 4}}, true, 3.0, {{-3.5, 3}, {-2, 0}, {0, 0}, {2, 0}, {3.5, 3}}},
        // A vertex on the waterline is the end as drawn.
        {{{0, 0}, {2, 0}, {2, 1}, {3, 2}}, false, 1.0, {{0, 0}, {2, 0}, {2, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.waterline + c.drawn.front().y);
        const StationSet set = CutAt(SectionsOf(Prism(10.0, c.drawn, 2, c.bWhole)), c.waterline);
        ASSERT_EQ(set.stations.size(), 2u);
        EXPECT_EQ(set.stations[1].curve, c.cut);
    }
}

TEST(Stations, DeckLineAcrossTheCentrelineAboveTheWaterLeavesAHalfSectionHalf) {
    // Broke: half or whole was decided on the whole drawn curve, so a half section whose deck
    // line crosses the centreline 5 cm above the water was taken as whole and refused as not
    // reaching the waterline, at one waterline and in every row of a table.
    std::vector<DrawnCurve> curves;
    for (INT32 i = 0; i < 3; ++i)
        curves.push_back(CurveOf(
            i, {{10.0 * i, 0, 0}, {10.0 * i, 2, 0}, {10.0 * i, 2, 2.05}, {10.0 * i, -0.5, 2.05}}));
    const SectionSet sections = SectionsOf(curves);
    for (const Station& s : CutAt(sections, 2.0).stations)
        EXPECT_FALSE(s.bWhole);
    std::vector<Hydrostatics> rows;
    std::string notes, refusal;
    EXPECT_TRUE(ComputeCurvesOfForm(sections, {0.5, 2.0, 6}, true, rows, notes, refusal))
        << refusal;
}

TEST(Stations, HalfSectionsOnTheStarboardSideComeToPortWithTheirKeelAtPlusZero) {
    // Broke: taken across as -y, a keel point on the centreline became -0, and the meshes of
    // every half section drawn on the starboard side (the aft ones of a body plan among them)
    // wrote "-0.000000e+000".
    std::vector<DrawnCurve> curves;
    for (INT32 i = 0; i < 2; ++i)
        curves.push_back(CurveOf(i + 1, {{5.0 * i, 0, 0}, {5.0 * i, -2, 1}, {5.0 * i, -2, 3}}));
    const StationSet set = CutAt(SectionsOf(curves), 2.0);
    EXPECT_EQ(set.nMirrored, 2);
    for (const Station& s : set.stations) {
        EXPECT_FALSE(std::signbit(s.curve.front().y));
        EXPECT_EQ(s.curve.back().y, 2.0);
    }
}
