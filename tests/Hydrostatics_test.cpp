// The hydrostatics at one waterline, where the closed forms of simple hulls check them.
#include "HullSupport.h"
#include "Hydrostatics.h"

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
