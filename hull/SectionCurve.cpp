#include "SectionCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// Not std::hypot, whose care for overflow cost a table of curves of form a third of its time:
// a section is metres across.
double Distance(const SectionPoint& a, const SectionPoint& b) {
    const double dy = b.y - a.y, dz = b.z - a.z;
    return std::sqrt(dy * dy + dz * dz);
}

double CurveLength(const SectionCurve& curve) {
    double length = 0.0;
    for (size_t i = 1; i < curve.size(); ++i)
        length += Distance(curve[i - 1], curve[i]);
    return length;
}

SectionCurve Reversed(SectionCurve curve) {
    std::reverse(curve.begin(), curve.end());
    return curve;
}

SectionCurve WithoutClosePoints(const SectionCurve& curve) {
    SectionCurve kept;
    for (size_t i = 0; i < curve.size(); ++i) {
        const bool bClose = !kept.empty() && Distance(kept.back(), curve[i]) < kJoinTolerance;
        const bool bLast = i + 1 == curve.size();
        if (bClose && !bLast) continue;
        // The last end takes the place of the point before it, unless that is the first end.
        if (bClose && kept.size() > 1)
            kept.back() = curve[i];
        else
            kept.push_back(curve[i]);
    }
    return kept;
}

SectionCurve Resample(const SectionCurve& curve, int nSegments) {
    std::vector<double> along(curve.size(), 0.0);
    for (size_t i = 1; i < curve.size(); ++i)
        along[i] = along[i - 1] + Distance(curve[i - 1], curve[i]);
    SectionCurve even{curve.front()};
    size_t i = 1;
    for (int k = 1; k < nSegments; ++k) {
        const double s = along.back() * k / nSegments;
        while (i + 1 < curve.size() && along[i] < s)
            ++i;
        const double span = along[i] - along[i - 1];
        const double t = span > 0.0 ? (s - along[i - 1]) / span : 0.0;
        even.push_back({curve[i - 1].y + t * (curve[i].y - curve[i - 1].y),
                        curve[i - 1].z + t * (curve[i].z - curve[i - 1].z)});
    }
    even.push_back(curve.back());
    return even;
}

namespace {

bool IsKnuckle(const SectionPoint& before, const SectionPoint& at, const SectionPoint& after) {
    const double ay = at.y - before.y, az = at.z - before.z;
    const double by = after.y - at.y, bz = after.z - at.z;
    const double turn = std::atan2(std::fabs(ay * bz - az * by), ay * by + az * bz);
    return turn > kKnuckleTurn * std::numbers::pi / 180.0;
}

} // namespace

std::vector<SectionCurve> SplitAtKnuckles(const SectionCurve& curve) {
    std::vector<SectionCurve> pieces{{curve.front()}};
    for (size_t i = 1; i < curve.size(); ++i) {
        pieces.back().push_back(curve[i]);
        if (i + 1 < curve.size() && IsKnuckle(curve[i - 1], curve[i], curve[i + 1]))
            pieces.push_back({curve[i]});
    }
    return pieces;
}

SectionCurve WholeFromHalves(const SectionCurve& starboard, const SectionCurve& port) {
    SectionCurve whole;
    for (size_t i = starboard.size(); i-- > 1;)
        whole.push_back({-starboard[i].y, starboard[i].z});
    whole.insert(whole.end(), port.begin(), port.end());
    return whole;
}

SectionHalves SplitAtCentreline(const SectionCurve& whole) {
    size_t i = whole.size() - 1;
    while (i > 0 && whole[i].y > 0.0)
        --i;
    SectionCurve starboard(whole.begin(), whole.begin() + static_cast<long>(i) + 1);
    SectionHalves halves;
    if (whole[i].y < 0.0 && i + 1 < whole.size()) {
        const SectionPoint &a = whole[i], &b = whole[i + 1];
        const SectionPoint keel{0.0, a.z + (b.z - a.z) * (0.0 - a.y) / (b.y - a.y)};
        halves.port.push_back(keel);
        starboard.push_back(keel);
        ++i;
    }
    halves.port.insert(halves.port.end(), whole.begin() + static_cast<long>(i), whole.end());
    for (size_t k = starboard.size(); k-- > 0;)
        halves.starboard.push_back({-starboard[k].y, starboard[k].z});
    return halves;
}

PlaneArea ClosedArea(const SectionCurve& curve) {
    PlaneArea a;
    for (size_t i = 0; i < curve.size(); ++i) {
        const SectionPoint& p = curve[i];
        const SectionPoint& q = curve[(i + 1) % curve.size()];
        const double cross = p.y * q.z - q.y * p.z;
        a.area += cross / 2.0;
        a.momentZ += cross * (p.z + q.z) / 6.0;
    }
    return a;
}

namespace {

double DistanceToSegment(const SectionPoint& p, const SectionPoint& a, const SectionPoint& b) {
    const double dy = b.y - a.y, dz = b.z - a.z, span = dy * dy + dz * dz;
    double t = span > 0.0 ? ((p.y - a.y) * dy + (p.z - a.z) * dz) / span : 0.0;
    t = std::fmin(1.0, std::fmax(0.0, t));
    return std::hypot(p.y - (a.y + t * dy), p.z - (a.z + t * dz));
}

} // namespace

bool IsSymmetric(const SectionCurve& curve, double tolerance) {
    if (curve.size() < 2) return true;
    std::vector<double> along(curve.size(), 0.0);
    for (size_t i = 1; i < curve.size(); ++i)
        along[i] = along[i - 1] + Distance(curve[i - 1], curve[i]);
    const long nSegments = static_cast<long>(curve.size()) - 1;
    for (size_t i = 0; i < curve.size(); ++i) {
        const SectionPoint mirrored{-curve[i].y, curve[i].z};
        // On a symmetric curve the mirror image lies as far from the other end: the search
        // starts there and widens.
        const long guess = std::upper_bound(along.begin(), along.end(), along.back() - along[i]) -
                           along.begin() - 1;
        bool bFound = false;
        for (long d = 0; !bFound && d <= nSegments; ++d)
            for (long j : {guess - d, guess + d})
                if (j >= 0 && j < nSegments &&
                    DistanceToSegment(mirrored, curve[j], curve[j + 1]) <= tolerance)
                    bFound = true;
        if (!bFound) return false;
    }
    return true;
}
