#include "Sections.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// A check that failed, on its way out of BuildSections.
struct Refusal {
    std::string text;
};

struct Part {
    INT32 nNumber = 0;     // its position in the list
    std::vector<double> x; // metres
    SectionCurve curve;    // metres
    double xMin = 0.0, xMax = 0.0;
    bool bClosed = false;
};

std::string PolylineName(INT32 nNumber) {
    return "La polilinea " + std::to_string(nNumber);
}

bool IsFinite(const HullPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool IsFlat(const DrawnCurve& curve) {
    for (const HullPoint& p : curve.points)
        if (p.z != curve.points.front().z) return false;
    return true;
}

// A loop that runs along the centreline for a while is a half section drawn closed: it is
// opened there, so that it runs from one end of that stretch round to the other, and its lower
// end is where it touches the centreline at the keel. Any other loop stays closed.
void OpenAtCentreline(Part& part) {
    SectionCurve& c = part.curve;
    if (c.size() > 2 && Distance(c.front(), c.back()) < kJoinTolerance) {
        c.pop_back();
        part.x.pop_back();
    }
    const size_t n = c.size();
    auto onAxis = [&c, n](size_t i) { return std::fabs(c[i % n].y) < kJoinTolerance; };
    size_t nStart = n; // the first point of a stretch along the centreline
    for (size_t i = 0; i < n && nStart == n; ++i)
        if (onAxis(i) && onAxis(i + 1) && !onAxis(i + n - 1)) nStart = i;
    if (nStart == n) return;
    size_t nEnd = nStart + 1;
    while (onAxis(nEnd + 1) && nEnd + 1 < nStart + n)
        ++nEnd;
    SectionCurve opened;
    std::vector<double> x;
    for (size_t k = nEnd; k <= nStart + n; ++k) {
        opened.push_back(c[k % n]);
        x.push_back(part.x[k % n]);
    }
    c = opened;
    part.x = x;
    part.bClosed = false;
}

std::vector<Part> ReadParts(const std::vector<DrawnCurve>& curves, const SectionChoices& choices,
                            std::string& notes) {
    if (std::string refusal = NotFiniteRefusal(curves); !refusal.empty()) throw Refusal{refusal};
    double xLow = INFINITY, xHigh = -INFINITY;
    for (const DrawnCurve& curve : curves) {
        for (const HullPoint& p : curve.points) {
            xLow = std::fmin(xLow, p.x);
            xHigh = std::fmax(xHigh, p.x);
        }
    }
    // Whether one curve lies at one x allows for a station drawn a little slanted.
    const double tolerance = kJoinTolerance / choices.scale + 0.001 * (xHigh - xLow);
    std::vector<Part> parts;
    int nLeftOut = 0;
    for (const DrawnCurve& curve : curves) {
        if (curve.points.empty()) continue;
        Part part;
        part.nNumber = curve.nNumber;
        part.bClosed = curve.bClosed;
        for (const HullPoint& p : curve.points) {
            part.x.push_back(p.x * choices.scale);
            part.curve.push_back({p.y * choices.scale, p.z * choices.scale});
        }
        const auto [xMin, xMax] = std::minmax_element(curve.points.begin(), curve.points.end(),
                                                      [](auto& a, auto& b) { return a.x < b.x; });
        if (xMax->x - xMin->x > tolerance) {
            if (choices.bSectionsOnly) {
                ++nLeftOut;
                continue;
            }
            const bool bAllFlat = std::all_of(curves.begin(), curves.end(), IsFlat);
            throw Refusal{
                PolylineName(curve.nNumber) + " non è una sezione: la sua x va da " +
                FormatExponent(xMin->x) + " a " + FormatExponent(xMax->x) +
                (bAllFlat ? ". Le polilinee stanno tutte in piano (z costante): se sono un piano "
                            "di costruzione disegnato sul foglio, leggilo con "
                            "--piano-di-costruzione."
                          : ". Con --solo-sezioni restano fuori le polilinee che non stanno a "
                            "una sola x.")};
        }
        part.xMin = xMin->x * choices.scale;
        part.xMax = xMax->x * choices.scale;
        if (part.bClosed) OpenAtCentreline(part);
        parts.push_back(std::move(part));
    }
    if (nLeftOut > 0)
        notes += "Nota: " + std::to_string(nLeftOut) +
                 (nLeftOut == 1 ? " polilinea che non sta a una sola x lasciata fuori dallo scafo "
                                  "(una longitudinale, una linea d'acqua o di coperta?).\n"
                                : " polilinee che non stanno a una sola x lasciate fuori dallo "
                                  "scafo (longitudinali, linee d'acqua o di coperta).\n");
    if (parts.empty())
        throw Refusal{nLeftOut ? "Nessuna polilinea sta a una sola x: non ci sono sezioni."
                               : "Il disegno non ha polilinee: non ci sono sezioni."};
    return parts;
}

// The parts of one station are those whose x agree within the join tolerance; stations a few
// centimetres apart stay apart however long the hull.
std::vector<std::vector<const Part*>> GroupByX(const std::vector<Part>& parts) {
    std::vector<const Part*> byX;
    for (const Part& part : parts)
        byX.push_back(&part);
    std::stable_sort(byX.begin(), byX.end(),
                     [](const Part* a, const Part* b) { return a->xMin < b->xMin; });
    std::vector<std::vector<const Part*>> groups;
    double xReach = -INFINITY;
    for (const Part* part : byX) {
        if (groups.empty() || part->xMin > xReach + kJoinTolerance) groups.emplace_back();
        groups.back().push_back(part);
        xReach = groups.back().size() == 1 ? part->xMax : std::fmax(xReach, part->xMax);
    }
    // Within a station the parts keep the drawing's order, which the joining starts from.
    for (std::vector<const Part*>& group : groups)
        std::stable_sort(group.begin(), group.end(),
                         [](const Part* a, const Part* b) { return a->nNumber < b->nNumber; });
    return groups;
}

double MeanX(const std::vector<const Part*>& group) {
    double sum = 0.0;
    size_t n = 0;
    for (const Part* part : group) {
        for (double x : part->x)
            sum += x;
        n += part->x.size();
    }
    return sum / static_cast<double>(n);
}

bool Meet(const SectionPoint& a, const SectionPoint& b) {
    return Distance(a, b) < kJoinTolerance;
}

// The parts joined end to end into one curve, each turned as its ends ask.
SectionCurve JoinParts(const std::vector<const Part*>& group, double xDrawn) {
    if (group.size() == 1) return group.front()->curve;
    const std::string name = SectionName(xDrawn);
    for (const Part* part : group)
        if (part->bClosed && group.size() > 1)
            throw Refusal{"La " + name + " ha una curva chiusa, la polilinea " +
                          std::to_string(part->nNumber) +
                          ", e altre parti: una sezione chiusa va disegnata da sola."};
    SectionCurve chain = group.front()->curve;
    std::vector<bool> bUsed(group.size(), false);
    for (size_t nLeft = group.size() - 1; nLeft > 0; --nLeft) {
        size_t j = 1;
        for (; j < group.size(); ++j) {
            if (bUsed[j]) continue;
            const SectionCurve& c = group[j]->curve;
            if (Meet(chain.back(), c.front()) || Meet(chain.back(), c.back())) {
                const SectionCurve next = Meet(chain.back(), c.front()) ? c : Reversed(c);
                chain.insert(chain.end(), next.begin(), next.end());
            } else if (Meet(chain.front(), c.back()) || Meet(chain.front(), c.front())) {
                const SectionCurve before = Meet(chain.front(), c.back()) ? c : Reversed(c);
                chain.insert(chain.begin(), before.begin(), before.end());
            } else {
                continue;
            }
            bUsed[j] = true;
            break;
        }
        if (j == group.size()) {
            for (j = 1; bUsed[j]; ++j) {
            }
            throw Refusal{"Le parti della " + name + " non si toccano: la polilinea " +
                          std::to_string(group[j]->nNumber) + " è a più di 1 mm dalle altre."};
        }
    }
    return chain;
}

} // namespace

std::vector<DrawnCurve> CurvesOf(CPolylineList& polylines,
                                 const std::vector<PolylineOrigin>& origins) {
    std::vector<DrawnCurve> curves;
    curves.reserve(static_cast<size_t>(polylines.GetCount()));
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        DrawnCurve curve;
        curve.nNumber = i;
        if (static_cast<size_t>(i) <= origins.size()) {
            const PolylineOrigin& origin = origins[static_cast<size_t>(i - 1)];
            curve.bClosed = origin.bClosed;
            curve.layer = origin.layer;
            curve.nOffset = origin.nOffset;
            curve.bPiece = origin.kind == EntityKind::Line || origin.kind == EntityKind::Arc;
            curve.elevation = origin.elevation;
        } else {
            curve.nOffset = static_cast<ULONGLONG>(i);
        }
        for (CVertex* v = polylines.GetAt(i)->m_pFirst; v; v = v->m_pNext)
            curve.points.push_back({v->m_Point.X(), v->m_Point.Y(), v->m_Point.Z()});
        curves.push_back(std::move(curve));
    }
    return curves;
}

std::string NotFiniteRefusal(const std::vector<DrawnCurve>& curves) {
    for (const DrawnCurve& curve : curves)
        if (!std::all_of(curve.points.begin(), curve.points.end(), IsFinite))
            return PolylineName(curve.nNumber) +
                   " ha una coordinata che non è un numero finito (1e999 nel DXF, o simili): "
                   "correggi il disegno o lasciala fuori.";
    return "";
}

std::string SectionName(double xDrawn) {
    return "sezione a x = " + FormatExponent(xDrawn);
}

bool BuildSections(const std::vector<DrawnCurve>& curves, const SectionChoices& choices,
                   SectionSet& set, std::string& refusal) {
    set = SectionSet();
    set.scale = choices.scale;
    try {
        const std::vector<Part> parts = ReadParts(curves, choices, set.notes);
        for (const std::vector<const Part*>& group : GroupByX(parts)) {
            Section section;
            section.x = MeanX(group);
            section.xDrawn = section.x / choices.scale;
            section.curve = JoinParts(group, section.xDrawn);
            section.bClosed = group.size() == 1 && group.front()->bClosed;
            for (SectionPoint& p : section.curve)
                if (std::fabs(p.y) < kJoinTolerance) p.y = 0.0;
            set.sections.push_back(std::move(section));
        }
    } catch (const Refusal& r) {
        refusal = r.text;
        return false;
    }
    return true;
}
