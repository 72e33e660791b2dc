#include "Arc.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxChords = 4096;
constexpr double kPi = 3.14159265358979323846;

} // namespace

bool FlattenArc(const ArcCurve& arc, double tolerance, std::vector<double>& points) {
    points.clear();
    const double r = arc.radius;
    if (!(r > 0.0) || !std::isfinite(r) || !std::isfinite(arc.startDegrees) ||
        !std::isfinite(arc.endDegrees) || !std::isfinite(arc.centre[0]) ||
        !std::isfinite(arc.centre[1]) || !std::isfinite(arc.centre[2]))
        return false;
    // DXF angles run counter-clockwise from the start to the end, round once at most.
    const double start = std::fmod(arc.startDegrees, 360.0);
    double sweep = std::fmod(arc.endDegrees, 360.0) - start;
    if (sweep <= 0.0) sweep += 360.0;
    if (tolerance <= 0.0) tolerance = r / 1000.0;
    // A chord of angle a lies at most r (1 - cos(a / 2)) from its arc.
    const double maxAngle = tolerance >= r ? kPi / 2.0 : 2.0 * std::acos(1.0 - tolerance / r);
    const double sweepRadians = sweep * kPi / 180.0;
    const int nChords =
        static_cast<int>(std::clamp(std::ceil(sweepRadians / maxAngle), 1.0, double(kMaxChords)));
    for (int k = 0; k <= nChords; ++k) {
        const double degrees = k == nChords ? start + sweep : start + sweep * k / nChords;
        const double a = degrees * kPi / 180.0;
        points.push_back(arc.centre[0] + r * std::cos(a));
        points.push_back(arc.centre[1] + r * std::sin(a));
        points.push_back(arc.centre[2]);
    }
    return true;
}
