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

// The labels in a tree of boxes, each split across its longer side at its median label, so that
// a search skips every box farther than the nearest label found so far, however the labels lie
// on the sheet (in a row, in clusters, everywhere).
class LabelTree {
public:
    explicit LabelTree(const std::vector<NumberLabel>& labels) : m_labels(labels) {
        m_order.resize(labels.size());
        for (size_t i = 0; i < m_order.size(); ++i)
            m_order[i] = i;
        m_nodes.reserve(2 * labels.size() / kLeaf + 2);
        Build(0, labels.size());
    }

    // The label nearest to the segment, if nearer than best (squared).
    void Nearest(const SheetPoint& a, const SheetPoint& b, double& best, long& nBest) const {
        const Box segment{std::fmin(a.x, b.x), std::fmin(a.y, b.y), std::fmax(a.x, b.x),
                          std::fmax(a.y, b.y)};
        Visit(0, a, b, segment, best, nBest);
    }

    // A first bound for a search: the squared distance from the point to the labels of the leaf
    // that one descent towards it reaches, and the nearest of them.
    void Bound(const SheetPoint& p, double& best, long& nBest) const {
        const Box point{p.x, p.y, p.x, p.y};
        size_t n = 0;
        while (m_nodes[n].nLeft != 0) {
            const Node& node = m_nodes[n];
            n = Gap(m_nodes[node.nLeft].box, point) <= Gap(m_nodes[node.nRight].box, point)
                    ? node.nLeft
                    : node.nRight;
        }
        Visit(n, p, p, point, best, nBest);
    }

private:
    static constexpr size_t kLeaf = 8;

    struct Box {
        double x0, y0, x1, y1;
    };
    struct Node {
        Box box;
        size_t nFrom, nTo; // its labels in m_order
        size_t nLeft = 0;  // its first child, the second right after its subtree; 0: a leaf
        size_t nRight = 0;
    };

    // The squared gap between two boxes: no point of one lies nearer to the other. (Plain
    // comparisons: the values are finite, and fmax's care for NaN costs a call each.)
    static double Gap(const Box& p, const Box& q) {
        const double dx = p.x0 > q.x1 ? p.x0 - q.x1 : q.x0 > p.x1 ? q.x0 - p.x1 : 0.0;
        const double dy = p.y0 > q.y1 ? p.y0 - q.y1 : q.y0 > p.y1 ? q.y0 - p.y1 : 0.0;
        return dx * dx + dy * dy;
    }

    size_t Build(size_t nFrom, size_t nTo) {
        Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
        for (size_t k = nFrom; k < nTo; ++k) {
            const NumberLabel& l = m_labels[m_order[k]];
            box = {l.x < box.x0 ? l.x : box.x0, l.y < box.y0 ? l.y : box.y0,
                   l.x > box.x1 ? l.x : box.x1, l.y > box.y1 ? l.y : box.y1};
        }
        const size_t n = m_nodes.size();
        m_nodes.push_back({box, nFrom, nTo});
        if (nTo - nFrom <= kLeaf) return n;
        const size_t nMiddle = nFrom + (nTo - nFrom) / 2;
        const bool bAlongX = box.x1 - box.x0 >= box.y1 - box.y0;
        std::nth_element(m_order.begin() + static_cast<long>(nFrom),
                         m_order.begin() + static_cast<long>(nMiddle),
                         m_order.begin() + static_cast<long>(nTo), [&](size_t i, size_t j) {
                             return bAlongX ? m_labels[i].x < m_labels[j].x
                                            : m_labels[i].y < m_labels[j].y;
                         });
        const size_t nLeft = Build(nFrom, nMiddle);
        const size_t nRight = Build(nMiddle, nTo);
        m_nodes[n].nLeft = nLeft;
        m_nodes[n].nRight = nRight;
        return n;
    }

    void Visit(size_t n, const SheetPoint& a, const SheetPoint& b, const Box& segment, double& best,
               long& nBest) const {
        const Node& node = m_nodes[n];
        // A box no nearer than the best label so far can hold none nearer.
        if (Gap(node.box, segment) >= best) return;
        if (node.nLeft == 0) {
            for (size_t k = node.nFrom; k < node.nTo; ++k) {
                const size_t i = m_order[k];
                const double d = SquaredDistanceToSegment(m_labels[i], a, b);
                if (d < best) {
                    best = d;
                    nBest = static_cast<long>(i);
                }
            }
            return;
        }
        const bool bLeftFirst =
            Gap(m_nodes[node.nLeft].box, segment) <= Gap(m_nodes[node.nRight].box, segment);
        Visit(bLeftFirst ? node.nLeft : node.nRight, a, b, segment, best, nBest);
        Visit(bLeftFirst ? node.nRight : node.nLeft, a, b, segment, best, nBest);
    }

    const std::vector<NumberLabel>& m_labels;
    std::vector<size_t> m_order; // the labels' indices, each node's together
    std::vector<Node> m_nodes;   // the root first
};

} // namespace

std::vector<long> NearestLabels(const std::vector<std::span<const SheetPoint>>& curves,
                                const std::vector<NumberLabel>& labels) {
    std::vector<long> nearest(curves.size(), -1);
    if (labels.empty()) return nearest;
    const LabelTree tree(labels);
    for (size_t c = 0; c < curves.size(); ++c) {
        const std::span<const SheetPoint> points = curves[c];
        double best = INFINITY;
        // A near label found cheaply first, by the ends where labels stand, lets the exact
        // search skip nearly every box.
        if (!points.empty()) {
            tree.Bound(points.front(), best, nearest[c]);
            tree.Bound(points.back(), best, nearest[c]);
        }
        for (size_t k = 0; k < points.size(); ++k)
            tree.Nearest(points[k], points[k + 1 < points.size() ? k + 1 : k], best, nearest[c]);
    }
    return nearest;
}
