// The sections as PDSTRIP gets them, and what it could not read.
#include "HullSupport.h"
#include "Hydrostatics.h"
#include "PdstripOffsets.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(PdstripOffsets, StraightSidedSectionsKeepTheirAreaOnTwiceTheSegmentsOfAHalf) {
    // Broke: a chine between two samples was rounded off, and every section lost what the
    // meshes lost; a whole section once came out with half its points.
    const std::vector<StationSet> hulls = StraightSidedHulls();
    for (size_t i = 0; i < hulls.size(); ++i) {
        const double area = ComputeHydrostatics(hulls[i]).volume / 100.0;
        for (int n = 3; n <= 49; ++n) {
            SCOPED_TRACE(testing::Message() << "hull " << i << ", " << n << " segments");
            for (const SectionCurve& section : PdstripSections(hulls[i], n)) {
                EXPECT_EQ(section.size(), 2u * n + 1);
                EXPECT_NEAR(ClosedArea(section).area, area, 1e-9 * area);
            }
        }
    }
}

TEST(PdstripOffsets, SectionsThatPdstripWouldStopOnAreRefused) {
    // A bottom of fifty teeth at the middle station, which 101 segments a side would keep.
    StationSet teeth = StraightSidedHulls()[0];
    teeth.stations[2].curve.clear();
    for (int k = 0; k <= 100; ++k)
        teeth.stations[2].curve.push_back({0.05 * k, k % 2 ? 0.05 : 0.0});
    teeth.stations[2].curve.push_back({5.0, 2.0});
    const std::tuple<StationSet, int, std::string> cases[] = {
        {teeth, 20,
         "La sezione a x = 5.000000e+001 ha troppi spigoli per PDSTRIP: per tenerli "
         "tutti ogni sezione avrebbe 203 punti, al massimo 100."},
        // The bottom's 5 m on two segments, longer than the draught of 2 m.
        {StraightSidedHulls()[0], 3,
         "La sezione a x = 0.000000e+000 ha tratti troppo lunghi per PDSTRIP, che si fermerebbe "
         "alle frequenze più alte (Frequency too high): più dell'immersione; servono più "
         "--punti-sezione."},
    };
    for (const auto& [set, n, expected] : cases) {
        std::string text, refusal;
        EXPECT_FALSE(BuildPdstripOffsets(set, n, text, refusal));
        EXPECT_EQ(refusal, expected);
    }
}
