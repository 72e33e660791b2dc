#include "Spline.h"

#include <algorithm>
#include <cmath>

// How the points are found: each piece of the curve between two knots is written as a Bézier
// curve (its control points are values of the spline's blossom), then halved until its control
// points lie within the tolerance of the chord between its ends. A Bézier curve, rational ones
// with positive weights too, lies in the convex hull of its control points, so the whole piece
// then lies within the tolerance of the chord: a bound, not a sample.

namespace {

constexpr int kMaxDegree = 25;
// 65,536 chords per piece at most: a drawing of small size cannot ask for billions of points.
constexpr int kMaxHalvings = 16;

// A point of the curve's construction with its weight; x, y, z are the point itself, not
// multiplied by the weight.
struct WeightedPoint {
    double x, y, z, w;
};

// The point at t from a to b. At 0 and 1 exactly the ends, so that a clamped curve starts and
// ends on its control points to the last bit.
WeightedPoint Between(const WeightedPoint& a, const WeightedPoint& b, double t) {
    if (t == 0.0) return a;
    if (t == 1.0) return b;
    const double wa = (1.0 - t) * a.w, wb = t * b.w, w = wa + wb;
    return {(wa * a.x + wb * b.x) / w, (wa * a.y + wb * b.y) / w, (wa * a.z + wb * b.z) / w, w};
}

double SquaredDistanceToSegment(const WeightedPoint& q, const WeightedPoint& s,
                                const WeightedPoint& e) {
    const double vx = e.x - s.x, vy = e.y - s.y, vz = e.z - s.z;
    const double qx = q.x - s.x, qy = q.y - s.y, qz = q.z - s.z;
    const double length2 = vx * vx + vy * vy + vz * vz;
    double t = length2 > 0.0 ? (qx * vx + qy * vy + qz * vz) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = qx - t * vx, dy = qy - t * vy, dz = qz - t * vz;
    return dx * dx + dy * dy + dz * dz;
}

class Flattener {
public:
    Flattener(const SplineCurve& curve, double tolerance, std::vector<double>& points)
        : m_p(curve.nDegree), m_knots(curve.knots), m_tolerance2(tolerance * tolerance),
          m_points(points) {
        const size_t n = curve.control.size() / 3;
        for (size_t i = 0; i < n; ++i)
            m_control.push_back({curve.control[3 * i], curve.control[3 * i + 1],
                                 curve.control[3 * i + 2],
                                 curve.weights.empty() ? 1.0 : curve.weights[i]});
        if (m_knots.empty()) { // clamped and uniform, as ezdxf and AutoCAD make it
            for (size_t i = 0; i < n + static_cast<size_t>(m_p) + 1; ++i)
                m_knots.push_back(static_cast<double>(
                    std::clamp<size_t>(i, static_cast<size_t>(m_p), n) - static_cast<size_t>(m_p)));
        }
        m_piece.resize(static_cast<size_t>(m_p) + 1);
        m_scratch.resize((kMaxHalvings + 1) * 2 * m_piece.size());
    }

    void Run() {
        const size_t p = static_cast<size_t>(m_p), n = m_control.size();
        bool bFirst = true;
        for (size_t k = p; k < n; ++k) {
            const double a = m_knots[k], b = m_knots[k + 1];
            if (!(a < b)) continue;
            for (size_t j = 0; j <= p; ++j)
                m_piece[j] = Blossom(k, p - j, a, b);
            // A knot repeated more than the degree breaks the curve: the next piece starts
            // elsewhere than the last one ended.
            const auto repeats = std::equal_range(m_knots.begin(), m_knots.end(), a);
            if (bFirst || repeats.second - repeats.first > m_p) Add(m_piece[0]);
            bFirst = false;
            Halve(m_piece.data(), 0);
        }
    }

private:
    // The spline's blossom over the span k at (a repeated nA times, then b): with all arguments
    // alike it is the point of the curve; mixed, a control point of the span's Bézier form.
    WeightedPoint Blossom(size_t k, size_t nA, double a, double b) {
        const size_t p = static_cast<size_t>(m_p);
        m_row.assign(m_control.begin() + static_cast<std::ptrdiff_t>(k - p),
                     m_control.begin() + static_cast<std::ptrdiff_t>(k + 1));
        for (size_t r = 1; r <= p; ++r) {
            const double t = r <= nA ? a : b;
            for (size_t i = p; i >= r; --i) {
                const size_t g = k - p + i;
                const double alpha = (t - m_knots[g]) / (m_knots[g + p + 1 - r] - m_knots[g]);
                m_row[i] = Between(m_row[i - 1], m_row[i], alpha);
            }
        }
        return m_row[p];
    }

    // The piece's end points, after as many halvings as it needs; its start is already there.
    void Halve(const WeightedPoint* piece, int nDepth) {
        const size_t p = static_cast<size_t>(m_p);
        bool bFlat = true;
        for (size_t j = 1; j < p && bFlat; ++j) {
            // A distance beyond what doubles hold ends the halving: it would not shrink.
            const double d2 = SquaredDistanceToSegment(piece[j], piece[0], piece[p]);
            bFlat = !(d2 > m_tolerance2 && d2 < INFINITY);
        }
        if (bFlat || nDepth == kMaxHalvings) {
            Add(piece[p]);
            return;
        }
        // de Casteljau at the middle: the left half's control points are the first of each
        // row, the right half's the last.
        WeightedPoint* pLeft = &m_scratch[static_cast<size_t>(nDepth) * 2 * (p + 1)];
        WeightedPoint* pRight = pLeft + p + 1;
        std::copy(piece, piece + p + 1, pRight);
        pLeft[0] = pRight[0];
        for (size_t r = 1; r <= p; ++r) {
            for (size_t i = 0; i + r <= p; ++i)
                pRight[i] = Between(pRight[i], pRight[i + 1], 0.5);
            pLeft[r] = pRight[0];
        }
        Halve(pLeft, nDepth + 1);
        Halve(pRight, nDepth + 1);
    }

    void Add(const WeightedPoint& q) { m_points.insert(m_points.end(), {q.x, q.y, q.z}); }

    const int m_p;
    std::vector<double> m_knots;
    const double m_tolerance2;
    std::vector<double>& m_points;
    std::vector<WeightedPoint> m_control, m_row, m_piece, m_scratch;
};

bool Finite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool MakesACurve(const SplineCurve& c) {
    if (c.nDegree < 1 || c.nDegree > kMaxDegree || c.control.size() % 3 != 0) return false;
    const size_t p = static_cast<size_t>(c.nDegree), n = c.control.size() / 3;
    if (n < p + 1 || !Finite(c.control) || !Finite(c.knots) || !Finite(c.weights)) return false;
    if (!c.weights.empty() &&
        (c.weights.size() != n ||
         std::any_of(c.weights.begin(), c.weights.end(), [](double w) { return w <= 0.0; })))
        return false;
    if (c.knots.empty()) return true;
    return c.knots.size() == n + p + 1 && std::is_sorted(c.knots.begin(), c.knots.end()) &&
           c.knots[p] < c.knots[n];
}

} // namespace

bool FlattenSpline(const SplineCurve& curve, double tolerance, std::vector<double>& points) {
    points.clear();
    if (!MakesACurve(curve)) return false;
    Flattener(curve, tolerance, points).Run();
    return true;
}

double DefaultSplineTolerance(const SplineCurve& curve) {
    double lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (size_t i = 0; i + 2 < curve.control.size(); i += 3)
        for (size_t c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], curve.control[i + c]);
            hi[c] = std::max(hi[c], curve.control[i + c]);
        }
    if (curve.control.size() < 3) return 0.0;
    return std::hypot(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]) / 1000.0;
}
