#include "HullSupport.h"

#include <gtest/gtest.h>

namespace {

// The section's half from the keel up, with its starboard side before it when whole.
DrawnCurve DrawnSection(INT32 nNumber, double x, const std::vector<SectionPoint>& half,
                        bool bWhole) {
    DrawnCurve curve;
    curve.nNumber = nNumber;
    if (bWhole)
        for (size_t i = half.size(); i-- > 1;)
            curve.points.push_back({x, -half[i].y, half[i].z});
    for (const SectionPoint& p : half)
        curve.points.push_back({x, p.y, p.z});
    return curve;
}

} // namespace

std::vector<DrawnCurve> Prism(double length, const std::vector<SectionPoint>& half, int nStations,
                              bool bWhole, double unitsPerMetre) {
    std::vector<DrawnCurve> curves;
    const double u = unitsPerMetre;
    std::vector<SectionPoint> drawn;
    for (const SectionPoint& p : half)
        drawn.push_back({p.y * u, p.z * u});
    for (int i = 0; i < nStations; ++i)
        curves.push_back(DrawnSection(i + 1, length * u * i / (nStations - 1), drawn, bWhole));
    return curves;
}

std::vector<DrawnCurve> BoxBarge(double length, double breadth, double depth, int nStations,
                                 bool bWhole, double unitsPerMetre) {
    const double b = breadth / 2.0;
    return Prism(length, {{0.0, 0.0}, {b, 0.0}, {b, depth}}, nStations, bWhole, unitsPerMetre);
}

std::vector<DrawnCurve> HardChineHull(double length, double breadth, double depth, int nStations,
                                      bool bWhole, double unitsPerMetre) {
    const std::vector<SectionPoint> half = {
        {0.0, 0.0}, {0.4 * breadth, 0.25 * depth}, {0.5 * breadth, depth}};
    return Prism(length, half, nStations, bWhole, unitsPerMetre);
}

std::vector<StationSet> StraightSidedHulls() {
    std::vector<StationSet> hulls;
    for (auto* pBuild : {BoxBarge, HardChineHull})
        for (bool bWhole : {false, true})
            for (double u : {1.0, 1000.0})
                hulls.push_back(
                    CutAt(SectionsOf(pBuild(100.0, 10.0, 4.0, 5, bWhole, u), 1.0 / u), 2.0 * u));
    return hulls;
}

std::vector<DrawnCurve> WigleyHull(double length, double breadth, double draught, int nStations,
                                   int nPoints, double freeboard, bool bWhole) {
    std::vector<DrawnCurve> curves;
    for (int i = 0; i < nStations; ++i) {
        const double x = -length / 2.0 + length * i / (nStations - 1);
        const double xi = 2.0 * x / length;
        std::vector<SectionPoint> half;
        for (int k = 0; k < nPoints; ++k) {
            const double z = -draught + draught * k / (nPoints - 1);
            const double zeta = z / draught;
            half.push_back({breadth / 2.0 * (1.0 - xi * xi) * (1.0 - zeta * zeta), z});
        }
        half.push_back({half.back().y, freeboard});
        curves.push_back(DrawnSection(i + 1, x, half, bWhole));
    }
    return curves;
}

DrawnCurve CurveOf(INT32 nNumber, std::vector<HullPoint> points, bool bClosed) {
    DrawnCurve curve;
    curve.nNumber = nNumber;
    curve.points = std::move(points);
    curve.bClosed = bClosed;
    return curve;
}

SectionSet SectionsOf(const std::vector<DrawnCurve>& curves, double scale) {
    SectionSet set;
    std::string refusal;
    EXPECT_TRUE(BuildSections(curves, {scale, false}, set, refusal)) << refusal;
    return set;
}

StationSet CutAt(const SectionSet& sections, double waterline) {
    StationSet set;
    std::string refusal;
    EXPECT_TRUE(CutAtWaterline(sections, waterline, set, refusal)) << refusal;
    return set;
}
