// The hydrostatics at one waterline, against the closed forms of a box barge and a Wigley hull,
// and what is refused before a division by nothing.
#include "HullSupport.h"
#include "Hydrostatics.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Hydrostatics, NoVolumeOrNoWaterplaneIsRefused) {
    // Broke: a waterline at the keel, or one that a hull met only on its centreline, divided
    // by a zero volume or waterplane, and the centres and the stiffness were NaN, exit 0.
    const std::pair<StationSet, std::string> cases[] = {
        {CutAt(SectionsOf(BoxBarge(100.0, 10.0, 4.0, 5)), 0.0),
         "La carena non ha volume sotto il galleggiamento: lo tocca soltanto."},
        {CutAt(SectionsOf(Prism(10.0, {{0, -1}, {1, -0.5}, {0, 0}}, 2)), 0.0),
         "Il galleggiamento non ha area: la carena vi arriva "
         "solo in un punto o lungo una linea."},
    };
    for (const auto& [set, expected] : cases) {
        std::string refusal;
        EXPECT_FALSE(CheckFloating(ComputeHydrostatics(set), refusal));
        EXPECT_EQ(refusal, expected);
    }
}

TEST(Hydrostatics, FirstIrregularFrequencyOfABoxBarge) {
    // 100 x 10 m, 2 m draught: kappa = pi sqrt(1/100^2 + 1/10^2), sqrt(g kappa / tanh(2 kappa)).
    const Hydrostatics h = ComputeHydrostatics(StraightSidedHulls()[0]);
    EXPECT_NEAR(h.irregularFrequency, 2.3537693, 1e-7);
}

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
