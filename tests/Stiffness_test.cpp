// The files that panel programs read beside the mesh, on a box barge whose closed forms give
// every term.
#include "HullSupport.h"
#include "Stiffness.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(Stiffness, BoxBargeFollowsItsClosedFormsAboutEachCentreOfGravity) {
    // 100 x 10 m, 2 m draught: V = 2000 m^3, B at (50, 0, 1), F at x = 50.
    const Hydrostatics h = ComputeHydrostatics(StraightSidedHulls()[1]);
    const double rg = 1025.0 * 9.81, area = 1000.0, volume = 2000.0, it = 1e5 / 12, il = 1e7 / 12;
    for (const HullPoint g : {HullPoint{50, 0, 1}, HullPoint{30, 0, 3}, HullPoint{60, 0.5, -1}}) {
        SCOPED_TRACE(testing::Message() << g.x << ", " << g.y << ", " << g.z);
        const double xF = 50 - g.x, zBG = 1 - g.z;
        double k[6][6] = {};
        k[2][2] = rg * area;
        k[2][3] = k[3][2] = -rg * area * g.y;
        k[2][4] = k[4][2] = -rg * area * xF;
        k[3][3] = rg * (it + area * g.y * g.y + volume * zBG);
        k[3][4] = k[4][3] = rg * area * g.y * xF;
        k[4][4] = rg * (il + area * xF * xF + volume * zBG);
        k[3][5] = -rg * volume * (50 - g.x);
        k[4][5] = rg * volume * g.y;
        const Stiffness s = HydrostaticStiffness(h, g);
        for (int i = 0; i < 36; ++i)
            EXPECT_NEAR(s.k[i / 6][i % 6], k[i / 6][i % 6], 1e-9 * rg * il) << i / 6 << i % 6;
    }
}

TEST(Stiffness, FilesInNemohsLayoutAboutTheAssumedCentreOfGravity) {
    // In millimetres, whose note gives the centre in the drawing's units.
    const Hydrostatics h = ComputeHydrostatics(StraightSidedHulls()[1]);
    std::string note;
    const HullPoint g = AssumedCentreOfGravity(h, 0.001, note);
    EXPECT_EQ(note, "Nota: senza --baricentro il baricentro è preso alla x del centro di carena, "
                    "sull'asse e al galleggiamento: x 5.000000e+004, y 0, z 2.000000e+003 "
                    "nelle unità del disegno.\n");
    EXPECT_EQ(NemohHydrostaticsText(h, g), " XF = 5.000000e+001 - XG = 5.000000e+001\n"
                                           " YF = 0.000000e+000 - YG = 0.000000e+000\n"
                                           " ZF = -1.000000e+000 - ZG = 0.000000e+000\n"
                                           " Displacement = 2.000000e+003\n"
                                           " Waterplane area = 1.000000e+003\n");
    // Six lines of six, the zero levers' -0 written as 0.
    const std::string text = StiffnessText(HydrostaticStiffness(h, g));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(std::count(text.begin(), text.end(), 'e'), 36);
    EXPECT_EQ(text.find('-'), std::string::npos);
}
