#include "StationLabels.h"

#include <algorithm>
#include <charconv>
#include <cmath>

bool LabelNumber(const std::string& text, double& value) {
    const size_t nFirst = text.find_first_not_of(" \t");
    if (nFirst == std::string::npos) return false;
    std::string number = text.substr(nFirst, text.find_last_not_of(" \t") - nFirst + 1);
    size_t nDigits = 0, nSeparators = 0;
    for (size_t i = 0; i < number.size(); ++i) {
        char& c = number[i];
        if (c >= '0' && c <= '9') {
            ++nDigits;
        } else if (c == '.' || c == ',') {
            c = '.';
            ++nSeparators;
        } else if (!(i == 0 && (c == '+' || c == '-'))) {
            return false;
        }
    }
    if (nDigits == 0 || nSeparators > 1) return false;
    const char* pBegin = number.data() + (number[0] == '+');
    const char* pEnd = number.data() + number.size();
    const auto [p, ec] = std::from_chars(pBegin, pEnd, value);
    return ec == std::errc() && p == pEnd && std::isfinite(value);
}

namespace {

double SquaredDistanceToSegment(const NumberLabel& q, const SheetPoint& a, const SheetPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, span = dx * dx + dy * dy;
    double t = span > 0.0 ? ((q.x - a.x) * dx + (q.y - a.y) * dy) / span : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = q.x - (a.x + t * dx), ey = q.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

// The labels sorted into square cells, about two labels a cell.
class LabelGrid {
public:
    explicit LabelGrid(const std::vector<NumberLabel>& labels) : m_labels(labels) {
        m_x0 = m_y0 = INFINITY;
        double x1 = -INFINITY, y1 = -INFINITY;
        for (const NumberLabel& l : labels) {
            m_x0 = std::fmin(m_x0, l.x);
            m_y0 = std::fmin(m_y0, l.y);
            x1 = std::fmax(x1, l.x);
            y1 = std::fmax(y1, l.y);
        }
        const double area = std::fmax((x1 - m_x0) * (y1 - m_y0), 0.0);
        m_cell = std::sqrt(2.0 * area / static_cast<double>(labels.size()));
        if (!(m_cell > 0.0)) m_cell = std::fmax(std::fmax(x1 - m_x0, y1 - m_y0), 1.0);
        m_nx = Cells(x1 - m_x0);
        m_ny = Cells(y1 - m_y0);
        m_first.assign(m_nx * m_ny + 1, 0);
        for (const NumberLabel& l : labels)
            ++m_first[CellOf(l) + 1];
        for (size_t c = 0; c < m_nx * m_ny; ++c)
            m_first[c + 1] += m_first[c];
        m_order.resize(labels.size());
        std::vector<size_t> next(m_first.begin(), m_first.end() - 1);
        for (size_t i = 0; i < labels.size(); ++i)
            m_order[next[CellOf(labels[i])]++] = i;
    }

    // The label nearest to the segment, if nearer than best (squared); ties to the lower index.
    void Nearest(const SheetPoint& a, const SheetPoint& b, double& best, long& nBest) const {
        const long cx0 = Clamped((std::fmin(a.x, b.x) - m_x0) / m_cell, m_nx);
        const long cx1 = Clamped((std::fmax(a.x, b.x) - m_x0) / m_cell, m_nx);
        const long cy0 = Clamped((std::fmin(a.y, b.y) - m_y0) / m_cell, m_ny);
        const long cy1 = Clamped((std::fmax(a.y, b.y) - m_y0) / m_cell, m_ny);
        const long nMaxRing = static_cast<long>(std::max(m_nx, m_ny));
        for (long r = 0; r <= nMaxRing; ++r) {
            // Every label of ring r lies at least (r - 1) cells from the segment.
            const double reach = (static_cast<double>(r) - 1.0) * m_cell;
            if (r > 1 && reach * reach > best) return;
            for (long cy = cy0 - r; cy <= cy1 + r; ++cy) {
                const bool bEdgeRow = cy == cy0 - r || cy == cy1 + r;
                for (long cx = cx0 - r; cx <= cx1 + r;
                     cx += bEdgeRow || r == 0 ? 1 : cx1 - cx0 + 2 * r)
                    Visit(cx, cy, a, b, best, nBest);
            }
        }
    }

private:
    size_t Cells(double span) const {
        return static_cast<size_t>(std::clamp(std::floor(span / m_cell) + 1.0, 1.0, 4096.0));
    }
    static long Clamped(double cell, size_t n) {
        return static_cast<long>(std::clamp(std::floor(cell), 0.0, static_cast<double>(n - 1)));
    }
    size_t CellOf(const NumberLabel& l) const {
        return static_cast<size_t>(Clamped((l.y - m_y0) / m_cell, m_ny)) * m_nx +
               static_cast<size_t>(Clamped((l.x - m_x0) / m_cell, m_nx));
    }
    void Visit(long cx, long cy, const SheetPoint& a, const SheetPoint& b, double& best,
               long& nBest) const {
        if (cx < 0 || cy < 0 || cx >= static_cast<long>(m_nx) || cy >= static_cast<long>(m_ny))
            return;
        const size_t c = static_cast<size_t>(cy) * m_nx + static_cast<size_t>(cx);
        for (size_t k = m_first[c]; k < m_first[c + 1]; ++k) {
            const size_t i = m_order[k];
            const double d = SquaredDistanceToSegment(m_labels[i], a, b);
            if (d < best || (d == best && static_cast<long>(i) < nBest)) {
                best = d;
                nBest = static_cast<long>(i);
            }
        }
    }

    const std::vector<NumberLabel>& m_labels;
    double m_x0, m_y0, m_cell;
    size_t m_nx, m_ny;
    std::vector<size_t> m_first; // of each cell in m_order, and one past the last
    std::vector<size_t> m_order; // the labels' indices, cell by cell
};

} // namespace

std::vector<long> NearestLabels(const std::vector<std::vector<SheetPoint>>& curves,
                                const std::vector<NumberLabel>& labels) {
    std::vector<long> nearest(curves.size(), -1);
    if (labels.empty()) return nearest;
    const LabelGrid grid(labels);
    for (size_t c = 0; c < curves.size(); ++c) {
        const std::vector<SheetPoint>& points = curves[c];
        double best = INFINITY;
        for (size_t k = 0; k < points.size(); ++k)
            grid.Nearest(points[k], points[k + 1 < points.size() ? k + 1 : k], best, nearest[c]);
    }
    return nearest;
}
