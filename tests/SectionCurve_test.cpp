// The plane geometry of one section.
#include "SectionCurve.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

TEST(SectionCurve, KnucklesAreTheVerticesThatTurnMoreThanTwentyDegrees) {
    const struct {
        double turn; // degrees, at the middle vertex
        size_t nPieces;
    } cases[] = {{0.0, 1}, {19.9, 1}, {-19.9, 1}, {20.1, 2}, {-20.1, 2}, {90.0, 2}, {179.0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turn);
        const double a = c.turn * std::numbers::pi / 180.0;
        const SectionCurve curve = {{0, 0}, {1, 0}, {1 + std::cos(a), std::sin(a)}};
        const std::vector<SectionCurve> pieces = SplitAtKnuckles(curve);
        ASSERT_EQ(pieces.size(), c.nPieces);
        EXPECT_EQ(pieces.back().front(), curve[c.nPieces - 1]);
    }
}
