#include "ExportBlocks.h"
#include "ExportFrame.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

void AddPoints(CPolyline& polyline, std::initializer_list<std::array<double, 3>> points) {
    for (const auto& p : points) {
        CVector3 v;
        v.Set(p[0], p[1], p[2]);
        polyline.AddPoint(v);
    }
}

// The two-polyline model the panelling programs' files are checked against.
std::string BothBlocks(BlockBuilder build) {
    CPolyline a, b;
    AddPoints(a, {{1250, 0, 0}, {1250, -37.5, 0.125}});
    AddPoints(b, {{2500, 0, 10}, {2500, 42, 0}});
    CString block;
    build(a, block);
    std::string s = block.Str();
    build(b, block);
    return s + block.Str();
}

std::string Block(BlockBuilder build, std::initializer_list<std::array<double, 3>> points) {
    CPolyline polyline;
    AddPoints(polyline, points);
    CString block;
    build(polyline, block);
    return block.Str();
}

} // namespace

TEST(PointListBlock, TwoPolylineModel) {
    EXPECT_EQ(BothBlocks(BuildPointListBlock), "Spezzata di  2 punti\n"
                                               "1.250000e+003,0.000000e+000,0.000000e+000\n"
                                               "1.250000e+003,-3.750000e+001,1.250000e-001\n"
                                               "Spezzata di  2 punti\n"
                                               "2.500000e+003,0.000000e+000,1.000000e+001\n"
                                               "2.500000e+003,4.200000e+001,0.000000e+000\n");
}

TEST(PointListBlock, OneVertexAtTheOrigin) {
    EXPECT_EQ(Block(BuildPointListBlock, {{0, 0, 0}}),
              "Spezzata di  1 punti\n0.000000e+000,0.000000e+000,0.000000e+000\n");
}

TEST(PointListBlock, PolylineWithoutVerticesGivesItsHeaderAlone) {
    EXPECT_EQ(Block(BuildPointListBlock, {}), "Spezzata di  0 punti\n");
}

TEST(PointListBlock, FarMagnitudesKeepThreeExponentDigits) {
    EXPECT_EQ(Block(BuildPointListBlock, {{0.0000001, 1e120, -0.0}}),
              "Spezzata di  1 punti\n1.000000e-007,1.000000e+120,-0.000000e+000\n");
}

TEST(PointListBlock, NonFiniteCoordinatesTakeTheWindowsRuntimeForms) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Block(BuildPointListBlock, {{inf, -inf, std::numeric_limits<double>::quiet_NaN()}}),
              "Spezzata di  1 punti\n1.#INF00e+000,-1.#INF00e+000,1.#QNAN0e+000\n");
}

TEST(PointListBlock, ItalianLocaleChangesNothing) {
    ItalianNumbers italian;
    EXPECT_EQ(Block(BuildPointListBlock, {{1.5, -37.5, 0.125}}),
              "Spezzata di  1 punti\n1.500000e+000,-3.750000e+001,1.250000e-001\n");
}

TEST(SectionDatBlock, TwoPolylineModel) {
    EXPECT_EQ(BothBlocks(BuildSectionDatBlock), "1.250000e+003    2\n"
                                                "    0.000000e+000    0.000000e+000\n"
                                                "    -3.750000e+001    1.250000e-001\n"
                                                "2.500000e+003    2\n"
                                                "    0.000000e+000    1.000000e+001\n"
                                                "    4.200000e+001    0.000000e+000\n");
}

TEST(SectionDatBlock, OneVertex) {
    EXPECT_EQ(Block(BuildSectionDatBlock, {{3, -1, 2}}),
              "3.000000e+000    1\n    -1.000000e+000    2.000000e+000\n");
}

TEST(SectionDatBlock, OnlyTheFirstVertexGivesTheStation) {
    EXPECT_EQ(Block(BuildSectionDatBlock, {{1, 2, 3}, {5, 6, 7}}),
              "1.000000e+000    2\n    2.000000e+000    3.000000e+000\n"
              "    6.000000e+000    7.000000e+000\n");
}

TEST(SectionDatBlock, PolylineWithoutVerticesGivesNothing) {
    EXPECT_EQ(Block(BuildSectionDatBlock, {}), "");
}

TEST(SectionCsvBlock, TwoPolylineModel) {
    EXPECT_EQ(BothBlocks(BuildSectionCsvBlock), "1.250000e+003,2\n"
                                                ",0.000000e+000,0.000000e+000\n"
                                                ",-3.750000e+001,1.250000e-001\n"
                                                "2.500000e+003,2\n"
                                                ",0.000000e+000,1.000000e+001\n"
                                                ",4.200000e+001,0.000000e+000\n");
}

TEST(SectionCsvBlock, OneVertex) {
    EXPECT_EQ(Block(BuildSectionCsvBlock, {{3, -1, 2}}),
              "3.000000e+000,1\n,-1.000000e+000,2.000000e+000\n");
}

TEST(SectionCsvBlock, PolylineWithoutVerticesGivesNothing) {
    EXPECT_EQ(Block(BuildSectionCsvBlock, {}), "");
}

TEST(SectionCsvBlock, ItalianLocaleKeepsPointsAndCommasApart) {
    ItalianNumbers italian;
    EXPECT_EQ(Block(BuildSectionCsvBlock, {{0.5, 0.25, -0.125}}),
              "5.000000e-001,1\n,2.500000e-001,-1.250000e-001\n");
}
