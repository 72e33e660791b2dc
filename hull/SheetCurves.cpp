#include "SheetCurves.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

void Measure(SheetCurve& curve, double tolerance) {
    curve.xMin = curve.yMin = INFINITY;
    curve.xMax = curve.yMax = -INFINITY;
    for (const SheetPoint& p : curve.points) { // the points are finite: no fmin's care for NaN
        curve.xMin = p.x < curve.xMin ? p.x : curve.xMin;
        curve.xMax = p.x > curve.xMax ? p.x : curve.xMax;
        curve.yMin = p.y < curve.yMin ? p.y : curve.yMin;
        curve.yMax = p.y > curve.yMax ? p.y : curve.yMax;
    }
    curve.bHorizontal = curve.yMax - curve.yMin <= tolerance;
    curve.bVertical = curve.xMax - curve.xMin <= tolerance;
}

SheetCurve FromDrawn(const DrawnCurve& drawn, double tolerance) {
    SheetCurve curve;
    curve.nNumber = drawn.nNumber;
    curve.layer = drawn.layer;
    curve.nOffset = drawn.nOffset;
    curve.bClosed = drawn.bClosed;
    const double z = drawn.points.front().z;
    curve.elevation = z + drawn.elevation;
    for (const HullPoint& p : drawn.points) {
        if (std::fabs(p.z - z) > tolerance)
            throw BodyPlanRefusal{"La polilinea " + std::to_string(drawn.nNumber) +
                                  " non sta nel piano del foglio: la sua z va da " +
                                  FormatExponent(z) + " a " + FormatExponent(p.z) +
                                  ". --piano-di-costruzione legge curve disegnate in piano (z "
                                  "costante)."};
        curve.points.push_back({p.x, p.y});
    }
    return curve;
}

// Joins pieces whose ends meet two at a node; where three or more ends meet (sections that
// share a keel point, say) the pieces stay apart.
class PieceChains {
public:
    PieceChains(std::vector<SheetCurve> pieces, double tolerance)
        : m_pieces(std::move(pieces)), m_node(2 * m_pieces.size()) {
        // Ends closer than the tolerance are one node; sorted by x, only neighbours in x can be.
        std::vector<size_t> byX(m_node.size());
        std::iota(byX.begin(), byX.end(), size_t{0});
        std::sort(byX.begin(), byX.end(),
                  [this](size_t a, size_t b) { return End(a).x < End(b).x; });
        std::iota(m_node.begin(), m_node.end(), size_t{0});
        for (size_t i = 0; i < byX.size(); ++i)
            for (size_t j = i + 1; j < byX.size() && End(byX[j]).x - End(byX[i]).x <= tolerance;
                 ++j)
                if (std::hypot(End(byX[j]).x - End(byX[i]).x, End(byX[j]).y - End(byX[i]).y) <=
                    tolerance)
                    m_node[Root(byX[j])] = Root(byX[i]);
        m_ends.resize(m_node.size());
        for (size_t e = 0; e < m_node.size(); ++e)
            m_ends[Root(e)].push_back(e);
    }

    std::vector<SheetCurve> Chains() {
        std::vector<SheetCurve> chains;
        std::vector<bool> bUsed(m_pieces.size(), false);
        // Chains from an end that meets no other, or several; then what is left runs in loops.
        for (const bool bLoops : {false, true})
            for (size_t e = 0; e < m_node.size(); ++e)
                if (!bUsed[e / 2] && (bLoops || m_ends[Root(e)].size() != 2))
                    chains.push_back(Walk(e, bUsed, bLoops));
        return chains;
    }

private:
    const SheetPoint& End(size_t e) const {
        const std::vector<SheetPoint>& p = m_pieces[e / 2].points;
        return e % 2 ? p.back() : p.front();
    }

    size_t Root(size_t e) {
        while (m_node[e] != e)
            e = m_node[e] = m_node[m_node[e]];
        return e;
    }

    // The chain that leaves its first piece by the end e.
    SheetCurve Walk(size_t e, std::vector<bool>& bUsed, bool bLoop) {
        SheetCurve chain = m_pieces[e / 2];
        chain.points.clear();
        chain.bClosed = bLoop;
        for (;;) {
            const SheetCurve& piece = m_pieces[e / 2];
            bUsed[e / 2] = true;
            chain.nOffset = std::min(chain.nOffset, piece.nOffset);
            const size_t nSkip = chain.points.empty() ? 0 : 1;
            if (e % 2 == 0)
                chain.points.insert(chain.points.end(), piece.points.begin() + nSkip,
                                    piece.points.end());
            else
                chain.points.insert(chain.points.end(), piece.points.rbegin() + nSkip,
                                    piece.points.rend());
            const size_t other = e ^ 1;
            const std::vector<size_t>& meeting = m_ends[Root(other)];
            if (meeting.size() != 2) break;
            const size_t next = meeting[0] == other ? meeting[1] : meeting[0];
            if (bUsed[next / 2]) break;
            e = next;
        }
        if (bLoop && chain.points.size() > 1) chain.points.pop_back();
        return chain;
    }

    std::vector<SheetCurve> m_pieces;
    std::vector<size_t> m_node;              // each end's parent in the union of close ends
    std::vector<std::vector<size_t>> m_ends; // the ends at each node, by its root
};

} // namespace

std::vector<SheetCurve> ReadSheetCurves(const std::vector<DrawnCurve>& drawn, double tolerance) {
    std::vector<SheetCurve> curves, pieces;
    for (const DrawnCurve& d : drawn) {
        if (d.points.empty()) continue;
        (d.bPiece && !d.bClosed ? pieces : curves).push_back(FromDrawn(d, tolerance));
    }
    if (!pieces.empty()) {
        for (SheetCurve& chain : PieceChains(std::move(pieces), tolerance).Chains())
            curves.push_back(std::move(chain));
    }
    for (SheetCurve& curve : curves)
        Measure(curve, tolerance);
    std::stable_sort(curves.begin(), curves.end(), [](const SheetCurve& a, const SheetCurve& b) {
        return a.nOffset < b.nOffset;
    });
    return curves;
}

std::string SheetCurveName(const SheetCurve& curve) {
    return "la curva della polilinea " + std::to_string(curve.nNumber) + " (x del foglio da " +
           FormatExponent(curve.xMin) + " a " + FormatExponent(curve.xMax) + ")";
}
