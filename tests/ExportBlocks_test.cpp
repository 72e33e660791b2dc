#include "ExportBlocks.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(ExportBlocks, EachFormGivesItsBytes) {
    ItalianNumbers italian; // a decimal comma must change nothing
    const std::vector<std::vector<double>> model = {{1250, 0, 0}, {2500, -37.5, 0.125}};
    const struct {
        void (*build)(CPolyline&, CString&);
        std::vector<std::vector<double>> points;
        const char* expected;
    } cases[] = {
        {BuildPointListBlock, model,
         "Spezzata di  2 punti\n1.250000e+003,0.000000e+000,0.000000e+000\n"
         "2.500000e+003,-3.750000e+001,1.250000e-001\n"},
        {BuildPointListBlock, {}, "Spezzata di  0 punti\n"},
        {BuildPointListBlock,
         {{1e-7, 1e120, -0.0}},
         "Spezzata di  1 punti\n1.000000e-007,1.000000e+120,-0.000000e+000\n"},
        // As the Windows runtime of the first program wrote them.
        {BuildPointListBlock,
         {{HUGE_VAL, -HUGE_VAL, NAN}},
         "Spezzata di  1 punti\n1.#INF00e+000,-1.#INF00e+000,1.#QNAN0e+000\n"},
        // The station is the first vertex's x; the others' x is not written.
        {BuildSectionDatBlock, model,
         "1.250000e+003    2\n    0.000000e+000    0.000000e+000\n"
         "    -3.750000e+001    1.250000e-001\n"},
        {BuildSectionDatBlock, {}, ""},
        {BuildSectionCsvBlock, model,
         "1.250000e+003,2\n,0.000000e+000,0.000000e+000\n,-3.750000e+001,1.250000e-001\n"},
        {BuildSectionCsvBlock, {}, ""},
    };
    for (const auto& c : cases) {
        CPolyline polyline;
        for (const auto& p : c.points) {
            CVector3 v;
            v.Set(p[0], p[1], p[2]);
            polyline.AddPoint(v);
        }
        CString block = "left over";
        c.build(polyline, block);
        EXPECT_EQ(block.Str(), c.expected);
    }
}
