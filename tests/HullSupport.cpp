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

std::vector<DrawnCurve> BoxBarge(double length, double breadth, double depth, int nStations,
                                 bool bWhole, double unitsPerMetre) {
    std::vector<DrawnCurve> curves;
    const double u = unitsPerMetre, b = breadth / 2.0 * u;
    for (int i = 0; i < nStations; ++i) {
        const double x = length * u * i / (nStations - 1);
        curves.push_back(DrawnSection(i + 1, x, {{0.0, 0.0}, {b, 0.0}, {b, depth * u}}, bWhole));
    }
    return curves;
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
