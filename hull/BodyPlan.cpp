#include "BodyPlan.h"

#include "NumberText.h"
#include "SheetCurves.h"
#include "StationNumbers.h"

#include <algorithm>
#include <cmath>

namespace {

// A half section's keel end may stop short of the centreline, or cross it, by this share of its
// half-breadth and still be taken onto it.
constexpr double kKeelSlop = 0.02;

// The end at the curve's lowest height, within a twentieth of its height: a half section's keel
// end. None for a curve whose ends both stand high (a whole section drawn from deck to deck).
const SheetPoint* KeelEnd(const SheetCurve& c, double tolerance) {
    if (c.bClosed) return nullptr;
    const SheetPoint* pLower =
        c.points.front().y <= c.points.back().y ? &c.points.front() : &c.points.back();
    return pLower->y <= c.yMin + 0.05 * (c.yMax - c.yMin) + tolerance ? pLower : nullptr;
}

// Where the curve says the centreline is: its keel end, the side of a closed half section drawn
// down the centreline, or else its middle.
double AxisHint(const SheetCurve& c, double tolerance) {
    if (const SheetPoint* pKeel = KeelEnd(c, tolerance)) return pKeel->x;
    if (c.bClosed) {
        auto runAt = [&c, tolerance](double x) {
            double yLow = INFINITY, yHigh = -INFINITY;
            for (const SheetPoint& p : c.points)
                if (std::fabs(p.x - x) <= tolerance) {
                    yLow = std::fmin(yLow, p.y);
                    yHigh = std::fmax(yHigh, p.y);
                }
            return yHigh - yLow > tolerance;
        };
        const bool bLeft = runAt(c.xMin), bRight = runAt(c.xMax);
        if (bLeft != bRight) return bLeft ? c.xMin : c.xMax;
    }
    return (c.xMin + c.xMax) / 2.0;
}

// The x that more than half of the sections point to, within their slop, as their median; false
// when nothing stands out.
bool FindAxis(const std::vector<SheetCurve*>& sections, double tolerance, double& axis) {
    std::vector<double> hints;
    double width = 0.0;
    for (const SheetCurve* c : sections) {
        hints.push_back(AxisHint(*c, tolerance));
        width = std::fmax(width, c->xMax - c->xMin);
    }
    std::sort(hints.begin(), hints.end());
    const double reach = std::fmax(tolerance, 2.0 * kKeelSlop * width); // either side
    size_t nBest = 0, nFrom = 0;
    for (size_t i = 0, j = 0; i < hints.size(); ++i) {
        while (j < hints.size() && hints[j] - hints[i] <= reach)
            ++j;
        if (j - i > nBest) {
            nBest = j - i;
            nFrom = i;
        }
    }
    if (2 * nBest <= hints.size()) return false;
    axis = hints[nFrom + nBest / 2];
    return true;
}

// A half section whose keel end stops short of the centreline, or crosses it, by little is
// taken onto it: joined level to it, or its end moved level onto it.
void KeelOntoAxis(SheetCurve& c, double axis, double tolerance) {
    const SheetPoint* pKeel = KeelEnd(c, tolerance);
    if (!pKeel) return;
    const bool bFront = pKeel == &c.points.front();
    double far = 0.0;
    for (const SheetPoint& p : c.points)
        if (std::fabs(p.x - axis) > std::fabs(far)) far = p.x - axis;
    const double offset = pKeel->x - axis, slop = kKeelSlop * std::fabs(far);
    if (offset == 0.0 || std::fabs(offset) > slop) return;
    if (offset * far > 0.0) {
        const SheetPoint onAxis{axis, pKeel->y};
        c.points.insert(bFront ? c.points.begin() : c.points.end(), onAxis);
        return;
    }
    // Across it: every point of the keel's end that lies across, within the slop.
    const long nStep = bFront ? 1 : -1;
    for (long i = bFront ? 0 : static_cast<long>(c.points.size()) - 1;
         i >= 0 && i < static_cast<long>(c.points.size()); i += nStep) {
        SheetPoint& p = c.points[static_cast<size_t>(i)];
        if ((p.x - axis) * far >= 0.0 || std::fabs(p.x - axis) > slop) break;
        p.x = axis;
    }
}

// Left of the centreline, right of it, across it, or on it.
CurveSide SideOf(const SheetCurve& c, double axis) {
    double far = 0.0;
    for (const SheetPoint& p : c.points)
        far = std::fmax(far, std::fabs(p.x - axis));
    const double slop = kKeelSlop * far;
    const bool bLeft = c.xMin - axis<-slop, bRight = c.xMax - axis> slop;
    return bLeft && bRight ? CurveSide::Across
           : bLeft         ? CurveSide::Left
           : bRight        ? CurveSide::Right
                           : CurveSide::OnAxis;
}

std::string GuideNote(int n) {
    return "Nota: " + std::to_string(n) +
           (n == 1 ? " linea guida (una retta orizzontale o verticale: asse, linea base, linea "
                     "d'acqua...) lasciata fuori dal piano di costruzione.\n"
                   : " linee guida (rette orizzontali o verticali: asse, linea base, linee "
                     "d'acqua...) lasciate fuori dal piano di costruzione.\n");
}

} // namespace

bool PlaceBodyPlan(const std::vector<DrawnCurve>& sheet, const std::vector<TextLabel>& labels,
                   const BodyPlanChoices& choices, double scale, std::vector<DrawnCurve>& placed,
                   std::string& notes, std::string& refusal) {
    placed.clear();
    refusal = NotFiniteRefusal(sheet);
    if (!refusal.empty()) return false;
    const double tolerance = kJoinTolerance / scale;
    try {
        std::vector<SheetCurve> curves = ReadSheetCurves(sheet, tolerance);
        std::vector<SheetCurve*> sections, verticals;
        int nGuides = 0;
        for (SheetCurve& c : curves) {
            if (c.bVertical && !c.bHorizontal)
                verticals.push_back(&c);
            else if (c.bHorizontal || c.bVertical)
                ++nGuides;
            else
                sections.push_back(&c);
        }
        double axis = choices.axis;
        const bool bAxis = choices.bAxis || FindAxis(sections, tolerance, axis);
        // A vertical line on the centreline may be a stem or a post, if a label is its own.
        std::vector<StationCurve> candidates;
        for (SheetCurve* c : sections)
            candidates.push_back({c, bAxis ? SideOf(*c, axis) : CurveSide::Left, false});
        for (SheetCurve* c : verticals) {
            if (bAxis && std::fabs((c->xMin + c->xMax) / 2.0 - axis) <= tolerance)
                candidates.push_back({c, CurveSide::OnAxis, true});
            else
                ++nGuides;
        }
        StationNumbering numbering = NumberStations(candidates, labels, choices, tolerance);
        nGuides += numbering.nLinesLeftOut;
        if (nGuides > 0) notes += GuideNote(nGuides);
        if (!numbering.refusal.empty()) throw BodyPlanRefusal{numbering.refusal};
        if (!bAxis)
            throw BodyPlanRefusal{
                "Non trovo l'asse del piano di costruzione: le mezze sezioni non finiscono a una "
                "stessa x, né quelle intere sono centrate su una stessa x. Indicalo con --asse X "
                "(la x del foglio dell'asse)."};
        notes += numbering.note;
        for (size_t i = 0; i < numbering.curves.size(); ++i) {
            SheetCurve& c = *numbering.curves[i].pCurve;
            if (!numbering.curves[i].bLine) KeelOntoAxis(c, axis, tolerance);
            DrawnCurve curve;
            curve.nNumber = c.nNumber;
            curve.layer = c.layer;
            curve.nOffset = c.nOffset;
            curve.bClosed = c.bClosed;
            const double x = numbering.numbers[i] * choices.step;
            for (const SheetPoint& p : c.points)
                curve.points.push_back({x, p.x - axis, p.y});
            placed.push_back(std::move(curve));
        }
    } catch (const BodyPlanRefusal& r) {
        refusal = r.text;
        return false;
    }
    return true;
}
