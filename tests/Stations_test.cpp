// The sections cut at the waterline.
#include "HullSupport.h"

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
