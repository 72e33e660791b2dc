// The halves at a common number of points, their knuckles kept and lined up along the hull.
#include "Resampling.h"

#include <gtest/gtest.h>

TEST(Resampling, KnucklesKeepTheirPointNumberAlongARunOfHalves) {
    // A chine at a fifth, a half and four fifths of the girth, then a half without one.
    const std::vector<SectionCurve> halves = {{{0, 0}, {1, 0}, {1, 4}},
                                              {{0, 0}, {3, 0}, {3, 3}},
                                              {{0, 0}, {4, 0}, {4, 1}},
                                              {{0, 0}, {1, 1}, {2, 2}}};
    const std::vector<SectionCurve> even = ResampleHalves(halves, 10);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(even[i].size(), 11u);
        EXPECT_EQ(even[i].back(), halves[i].back());
        // The run's pieces are 8 m and 8 m long together: five segments each.
        EXPECT_TRUE(i == 3 || even[i][5] == halves[i][1]);
    }
    EXPECT_EQ(even[0][4], (SectionPoint{0.8, 0.0}));
    EXPECT_EQ(even[0][6], (SectionPoint{1.0, 0.8}));
}
