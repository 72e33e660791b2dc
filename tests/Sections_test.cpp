// The sections as drawn: which curves make one station, how closed ones are read, and what is
// refused before anything is built.
#include "HullSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::string Refusal(const std::vector<DrawnCurve>& curves, bool bSectionsOnly = false) {
    SectionSet set;
    std::string refusal;
    EXPECT_FALSE(BuildSections(curves, {1.0, bSectionsOnly}, set, refusal));
    return refusal;
}

} // namespace

TEST(Sections, StationsCentimetresApartStayApart) {
    // Broke: on a 100 m hull the parts of one station were those within 1 mm + 0.1% of the
    // length (10 cm) of each other, so stations 5 cm apart became one, refused as parts that
    // do not meet.
    std::vector<DrawnCurve> curves = BoxBarge(100.0, 10.0, 4.0, 3);
    curves.push_back(CurveOf(4, {{50.05, 0.0, 0.0}, {50.05, 5.0, 0.0}, {50.05, 5.0, 4.0}}));
    const SectionSet set = SectionsOf(curves);
    ASSERT_EQ(set.sections.size(), 4u);
    EXPECT_EQ(set.sections[1].x, 50.0);
    EXPECT_DOUBLE_EQ(set.sections[2].x, 50.05);
}

TEST(Sections, PartsOfOneStationAreJoinedWhereTheyMeet) {
    // A slanted station in two parts, the upper one drawn first and backwards: within the
    // tolerance of one x, and its parts meeting at (10.02, 2, 1).
    const SectionSet set = SectionsOf({CurveOf(1, {{10.04, 2.0, 2.0}, {10.02, 2.0, 1.0}}),
                                       CurveOf(2, {{10.0, 0.0, 0.0}, {10.02, 2.0, 1.0}}),
                                       CurveOf(3, {{100.0, 0.0, 0.0}, {100.0, 2.0, 2.0}})});
    ASSERT_EQ(set.sections.size(), 2u);
    const SectionCurve& c = set.sections[0].curve;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c.front().z, 2.0);
    EXPECT_EQ(c.back().z, 0.0);
    EXPECT_NEAR(set.sections[0].x, 10.02, 1e-12);
}

TEST(Sections, ClosedHalfSectionIsOpenedAlongTheCentreline) {
    // A half section drawn closed down the centreline: its keel point is where it touches the
    // centreline, wherever the loop starts.
    const std::vector<HullPoint> loop = {{0, 3, 4}, {0, 0, 4}, {0, 0, 2},
                                         {0, 0, 1}, {0, 2, 0}, {0, 3, 1}};
    for (size_t start = 0; start < loop.size(); ++start) {
        SCOPED_TRACE(start);
        std::vector<HullPoint> rotated(loop.begin() + static_cast<long>(start), loop.end());
        rotated.insert(rotated.end(), loop.begin(), loop.begin() + static_cast<long>(start));
        const SectionSet set = SectionsOf({CurveOf(1, rotated, true)});
        ASSERT_EQ(set.sections.size(), 1u);
        const SectionCurve& c = set.sections[0].curve;
        EXPECT_FALSE(set.sections[0].bClosed);
        ASSERT_EQ(c.size(), 0u + 5u);
        EXPECT_TRUE((c.front().y == 0 && c.front().z == 1 && c.back().y == 0 && c.back().z == 4) ||
                    (c.back().z == 1 && c.front().z == 4));
    }
}

TEST(Sections, RefusalsNameTheCurve) {
    const double inf = INFINITY;
    const std::vector<HullPoint> station = {{1, 0, 0}, {1, 1, 1}};
    const std::pair<std::vector<DrawnCurve>, std::string> cases[] = {
        // Broke: an infinite x grouped every polyline into one station and blamed another; an
        // infinite or NaN y gave NaN hydrostatics and a mesh of collapsed nodes, exit 0.
        {{CurveOf(1, station), CurveOf(2, {{inf, 0, 0}, {inf, 1, 1}})},
         "La polilinea 2 ha una coordinata che non è un numero finito"},
        {{CurveOf(1, station), CurveOf(2, {{2, 0, 0}, {2, NAN, 1}})},
         "La polilinea 2 ha una coordinata che non è un numero finito"},
        {{CurveOf(1, {{1, 0, 0}, {1, 1, 0}}), CurveOf(2, {{0, 0, 1}, {5, 0, 1}})},
         "La polilinea 2 non è una sezione: la sua x va da 0.000000e+000 a 5.000000e+000. "
         "Le polilinee stanno tutte in piano"},
        {{CurveOf(1, station), CurveOf(2, {{0, 0, 1}, {5, 0, 2}})},
         "La polilinea 2 non è una sezione: la sua x va da 0.000000e+000 a 5.000000e+000. Con "
         "--solo-sezioni restano fuori"},
        {{CurveOf(1, station), CurveOf(2, {{1, 1, 1}, {1, 2, 1}, {1, 1, 2}}, true)},
         "La sezione a x = 1.000000e+000 ha una curva chiusa, la polilinea 2, e altre parti"},
    };
    for (const auto& [curves, expected] : cases) {
        SCOPED_TRACE(expected);
        const std::string refusal = Refusal(curves);
        EXPECT_EQ(refusal.substr(0, expected.size()), expected);
    }
}

TEST(Sections, OnlySectionsLeavesOutTheCurvesAtNoOneX) {
    std::vector<DrawnCurve> curves = BoxBarge(20.0, 4.0, 2.0, 3);
    curves.push_back(CurveOf(4, {{0, 1, 0}, {20, 1, 0}})); // a buttock
    curves.push_back(CurveOf(5, {{0, 2, 1}, {20, 2, 1}})); // a waterline
    SectionSet set;
    std::string refusal;
    ASSERT_TRUE(BuildSections(curves, {1.0, true}, set, refusal)) << refusal;
    EXPECT_EQ(set.sections.size(), 3u);
    EXPECT_EQ(set.notes, "Nota: 2 polilinee che non stanno a una sola x lasciate fuori dallo "
                         "scafo (longitudinali, linee d'acqua o di coperta).\n");
    EXPECT_EQ(Refusal({curves[3], curves[4]}, true),
              "Nessuna polilinea sta a una sola x: non ci sono sezioni.");
}
