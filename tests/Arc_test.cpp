// An arc as chords: within the tolerance everywhere, its ends exact, bad data refused.
#include "Arc.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Arc, ChordsStayWithinTheToleranceAndEndOnTheArc) {
    const struct {
        ArcCurve arc;
        double tolerance;
        size_t nPoints; // how many the tolerance asks for
    } cases[] = {
        {{{0, 0, 5}, 10.0, 0.0, 90.0}, 0.0, 19},     // a thousandth of the radius
        {{{0, 0, 5}, 10.0, 0.0, 90.0}, 100.0, 2},    // one chord at least
        {{{1, 2, 0}, 2.0, 350.0, 10.0}, 0.01, 3},    // across 0 degrees
        {{{0, 0, 0}, 1.0, 30.0, 30.0}, 0.001, 72},   // a whole circle
        {{{0, 0, 0}, 1.0, -90.0, 450.0}, 0.001, 37}, // -90 is 270: half a circle to 90
        {{{0, 0, 0}, 1e6, 0.0, 180.0}, 1e-9, 4097},  // no more than 4,096 chords
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPoints);
        std::vector<double> p;
        ASSERT_TRUE(FlattenArc(c.arc, c.tolerance, p));
        ASSERT_EQ(p.size(), 3 * c.nPoints);
        const double r = c.arc.radius, pi = std::acos(-1.0);
        const double a0 = c.arc.startDegrees * pi / 180, a1 = c.arc.endDegrees * pi / 180;
        EXPECT_NEAR(p[0], c.arc.centre[0] + r * std::cos(a0), 1e-9 * r);
        EXPECT_NEAR(p[1], c.arc.centre[1] + r * std::sin(a0), 1e-9 * r);
        EXPECT_NEAR(p[p.size() - 3], c.arc.centre[0] + r * std::cos(a1), 1e-9 * r);
        EXPECT_NEAR(p[p.size() - 2], c.arc.centre[1] + r * std::sin(a1), 1e-9 * r);
        for (size_t k = 0; k + 5 < p.size() && c.nPoints < 4097; k += 3) {
            EXPECT_EQ(p[k + 2], c.arc.centre[2]);
            // The chord's middle lies inside the arc by its sagitta.
            const double mx = (p[k] + p[k + 3]) / 2 - c.arc.centre[0];
            const double my = (p[k + 1] + p[k + 4]) / 2 - c.arc.centre[1];
            const double tolerance = c.tolerance > 0 ? c.tolerance : r / 1000;
            EXPECT_LE(r - std::hypot(mx, my), std::fmin(tolerance, r) * (1 + 1e-9));
        }
    }
    std::vector<double> p{1.0};
    for (const ArcCurve& bad :
         {ArcCurve{{0, 0, 0}, 0.0, 0, 90}, ArcCurve{{0, 0, 0}, -1.0, 0, 90},
          ArcCurve{{NAN, 0, 0}, 1.0, 0, 90}, ArcCurve{{0, 0, 0}, 1.0, INFINITY, 90}}) {
        EXPECT_FALSE(FlattenArc(bad, 0.0, p));
        EXPECT_TRUE(p.empty());
    }
}
