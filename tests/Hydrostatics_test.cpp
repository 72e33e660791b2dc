// The hydrostatics against the closed forms of a Wigley hull, within 1% at its design draught
// and below it; a box barge's, exact, are the table's (CurvesOfForm_test.cpp).
#include "HullSupport.h"
#include "Hydrostatics.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Hydrostatics, WigleyHullWithinOnePercentOfItsClosedForms) {
    // Half-breadth B/2 (1 - xi^2)(1 - zeta^2), xi = 2x/L, zeta = z/T, the keel at z = -T: cut
    // at zeta, its waterline's breadth is B f, f = 1 - zeta^2, and its sections' areas and
    // moments are polynomials in zeta. At the design draught, zeta = 0, BMt = 3 B^2 / (35 T)
    // and BMl = 3 L^2 / (40 T).
    const double L = 6, B = 0.6, T = 0.375;
    const SectionSet sections = SectionsOf(WigleyHull(L, B, T, 41, 41, 0.2));
    for (double zeta : {0.0, -0.33, -0.61, -0.87}) {
        const Hydrostatics h = ComputeHydrostatics(CutAt(sections, zeta * T));
        const double f = 1 - zeta * zeta;
        const double V = 2.0 / 3 * L * B * T * ((zeta + 1) - (zeta * zeta * zeta + 1) / 3);
        const double momentZ =
            2.0 / 3 * L * B * T * T * ((zeta * zeta - 1) / 2 - (std::pow(zeta, 4) - 1) / 4);
        const std::tuple<const char*, double, double> quantities[] = {
            {"V", h.volume, V},
            {"Awp", h.waterplaneArea, 2.0 / 3 * L * B * f},
            {"KB", h.keelToBuoyancy, momentZ / V + T},
            {"BMt", h.bmTransverse, 4.0 / 105 * L * std::pow(B * f, 3) / V},
            {"BMl", h.bmLongitudinal, L * L * L * B * f / 30 / V},
        };
        for (const auto& [pszName, got, want] : quantities)
            EXPECT_NEAR(got, want, 0.01 * want) << pszName << " at zeta " << zeta;
    }
}
