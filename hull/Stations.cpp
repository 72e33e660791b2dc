#include "Stations.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// A check that failed, on its way out of MakeStations.
struct Refusal {
    std::string text;
};

struct Part {
    INT32 nNumber = 0;     // its position in the list
    std::vector<double> x; // metres
    SectionCurve curve;    // metres
    double xMin = 0.0, xMax = 0.0;
};

std::vector<Part> ReadParts(CPolylineList& polylines, double scale) {
    std::vector<Part> parts;
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        CPolyline& polyline = *polylines.GetAt(i);
        if (polyline.GetCount() == 0) continue;
        Part part;
        part.nNumber = i;
        for (CVertex* v = polyline.m_pFirst; v; v = v->m_pNext) {
            part.x.push_back(v->m_Point.X() * scale);
            part.curve.push_back({v->m_Point.Y() * scale, v->m_Point.Z() * scale});
        }
        part.xMin = *std::min_element(part.x.begin(), part.x.end());
        part.xMax = *std::max_element(part.x.begin(), part.x.end());
        parts.push_back(std::move(part));
    }
    if (parts.empty()) throw Refusal{"Il disegno non ha polilinee: non ci sono sezioni."};
    return parts;
}

// Polylines at one x are the parts of one station; the list comes sorted by the first x.
std::vector<std::vector<const Part*>> GroupByX(const std::vector<Part>& parts, double scale) {
    double xLow = INFINITY, xHigh = -INFINITY;
    for (const Part& part : parts) {
        xLow = std::fmin(xLow, part.xMin);
        xHigh = std::fmax(xHigh, part.xMax);
    }
    const double tolerance = kJoinTolerance + 0.001 * (xHigh - xLow);
    std::vector<std::vector<const Part*>> groups;
    for (const Part& part : parts) {
        if (part.xMax - part.xMin > tolerance)
            throw Refusal{"La polilinea " + std::to_string(part.nNumber) +
                          " non è una sezione: la sua x va da " +
                          FormatExponent(part.xMin / scale) + " a " +
                          FormatExponent(part.xMax / scale) +
                          ". Con --layer si leggono solo i layer delle sezioni."};
        if (groups.empty() || part.x.front() - groups.back().front()->x.front() > tolerance)
            groups.emplace_back();
        groups.back().push_back(&part);
    }
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

SectionCurve Reversed(SectionCurve curve) {
    std::reverse(curve.begin(), curve.end());
    return curve;
}

// The parts joined end to end into one curve, each turned as its ends ask.
SectionCurve JoinParts(const std::vector<const Part*>& group, const std::string& name) {
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

// The runs of the curve at or below the waterline, each crossing interpolated onto it.
std::vector<SectionCurve> WetPieces(const SectionCurve& curve, double waterline) {
    std::vector<SectionCurve> pieces;
    SectionCurve piece;
    auto close = [&] {
        piece = WithoutClosePoints(piece);
        if (piece.size() > 1) pieces.push_back(piece);
        piece.clear();
    };
    for (size_t i = 0; i < curve.size(); ++i) {
        const SectionPoint& p = curve[i];
        if (i > 0) {
            const SectionPoint& q = curve[i - 1];
            if ((q.z < waterline && p.z > waterline) || (q.z > waterline && p.z < waterline)) {
                const double t = (waterline - q.z) / (p.z - q.z);
                piece.push_back({q.y + t * (p.y - q.y), waterline});
            }
        }
        if (p.z <= waterline)
            piece.push_back(p);
        else if (!piece.empty())
            close();
    }
    if (!piece.empty()) close();
    return pieces;
}

double HalfBreadth(const SectionCurve& curve) {
    double b = 0.0;
    for (const SectionPoint& p : curve)
        b = std::fmax(b, std::fabs(p.y));
    return b;
}

// Turns the wet part of a station as its outputs read it, and checks its ends.
void TurnAndCheck(Station& station, double waterline, const std::string& name) {
    SectionCurve& c = station.curve;
    if (station.bWhole || (c.front().z == waterline && c.back().z == waterline)) {
        if (c.front().y > c.back().y) c = Reversed(c);
    }
    if (station.bNoBreadth && c.front().z == waterline && c.back().z == waterline) {
        // A line drawn down to the keel and up again, as whole sections end at a stem: its
        // second side, from the lowest point.
        c.erase(c.begin(),
                std::min_element(c.begin(), c.end(), [](auto& a, auto& b) { return a.z < b.z; }));
        station.bWhole = false;
    }
    if (!station.bWhole) {
        const bool bFrontOnAxis = c.front().y == 0.0, bBackOnAxis = c.back().y == 0.0;
        if (bFrontOnAxis != bBackOnAxis ? bBackOnAxis : c.back().z < c.front().z) c = Reversed(c);
        if (!station.bNoBreadth && c.front().y != 0.0)
            throw Refusal{"La " + name + " non parte dall'asse (y = 0) al suo estremo più basso."};
    }
    if (c.back().z != waterline || (station.bWhole && c.front().z != waterline))
        throw Refusal{"La " + name + " non arriva al galleggiamento."};
}

// One station from its parts; false when it lies wholly above the waterline.
bool MakeStation(const std::vector<const Part*>& group, const HullFrame& frame, double waterline,
                 Station& station, int& nMirrored) {
    station.x = MeanX(group);
    station.xDrawn = station.x / frame.scale;
    const std::string name = StationName(station);
    SectionCurve curve = JoinParts(group, name);
    bool bPort = false, bStarboard = false;
    for (SectionPoint& p : curve) {
        if (std::fabs(p.y) < kJoinTolerance) p.y = 0.0;
        bPort = bPort || p.y > 0.0;
        bStarboard = bStarboard || p.y < 0.0;
    }
    for (SectionPoint* pEnd : {&curve.front(), &curve.back()})
        if (std::fabs(pEnd->z - waterline) < kJoinTolerance) pEnd->z = waterline;
    if (bStarboard && !bPort) {
        for (SectionPoint& p : curve)
            p.y = -p.y;
        ++nMirrored;
    }
    const std::vector<SectionCurve> pieces = WetPieces(WithoutClosePoints(curve), waterline);
    if (pieces.empty()) {
        bool bBelow = false;
        for (const SectionPoint& p : curve)
            bBelow = bBelow || p.z < waterline;
        if (bBelow) throw Refusal{"La " + name + " ha un solo punto."};
        return false;
    }
    if (pieces.size() > 1)
        throw Refusal{"La " + name +
                      " esce dall'acqua e vi rientra: ha più di un tratto sotto il "
                      "galleggiamento."};
    station.curve = pieces.front();
    station.bWhole = bPort && bStarboard;
    station.bNoBreadth = HalfBreadth(station.curve) < kNoBreadth;
    TurnAndCheck(station, waterline, name);
    return true;
}

// The drawing's stations are either all half or all whole, those of no breadth aside.
void CheckOneKind(const std::vector<Station>& stations) {
    const Station* pFirst = nullptr;
    for (const Station& s : stations) {
        if (s.bNoBreadth) continue;
        if (!pFirst) pFirst = &s;
        if (s.bWhole == pFirst->bWhole) continue;
        const Station& whole = s.bWhole ? s : *pFirst;
        const Station& half = s.bWhole ? *pFirst : s;
        throw Refusal{"Sezioni mezze e intere nello stesso disegno: la " + StationName(whole) +
                      " è intera, la " + StationName(half) + " è mezza."};
    }
    if (!pFirst)
        throw Refusal{"Nessuna sezione ha larghezza sotto il galleggiamento: sono tutte linee."};
}

} // namespace

std::string StationName(const Station& station) {
    return "sezione a x = " + FormatExponent(station.xDrawn);
}

bool MakeStations(CPolylineList& polylines, const HullFrame& frame, StationSet& set,
                  std::string& refusal) {
    set = StationSet();
    set.waterline = frame.waterline * frame.scale;
    try {
        const std::vector<Part> parts = ReadParts(polylines, frame.scale);
        int nMirrored = 0;
        for (const std::vector<const Part*>& group : GroupByX(parts, frame.scale)) {
            Station station;
            if (MakeStation(group, frame, set.waterline, station, nMirrored))
                set.stations.push_back(std::move(station));
            else
                set.notes += "Nota: la " + StationName(station) +
                             " è tutta sopra il galleggiamento: lasciata fuori.\n";
        }
        if (nMirrored > 0)
            set.notes += "Nota: " + std::to_string(nMirrored) +
                         (nMirrored == 1 ? " sezione disegnata sul lato di dritta (y < 0), presa "
                                           "specchiata a sinistra.\n"
                                         : " sezioni disegnate sul lato di dritta (y < 0), prese "
                                           "specchiate a sinistra.\n");
        if (set.stations.empty())
            throw Refusal{"Nessuna sezione sotto il galleggiamento (z = " +
                          FormatExponent(frame.waterline) + ")."};
        if (set.stations.size() == 1)
            throw Refusal{"Una sola sezione sotto il galleggiamento, la " +
                          StationName(set.stations.front()) + ": ne servono almeno due."};
        CheckOneKind(set.stations);
        set.zLowest = set.waterline;
        for (const Station& s : set.stations)
            for (const SectionPoint& p : s.curve)
                set.zLowest = std::fmin(set.zLowest, p.z);
    } catch (const Refusal& r) {
        refusal = r.text;
        return false;
    }
    return true;
}
