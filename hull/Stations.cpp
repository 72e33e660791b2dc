#include "Stations.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// A check that failed, on its way out of CutAtWaterline.
struct Refusal {
    std::string text;
};

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

// A loop is read round from a point above the water, back to that point.
std::vector<SectionCurve> WetPiecesOfLoop(const SectionCurve& loop, double waterline,
                                          const std::string& name) {
    const auto above =
        std::find_if(loop.begin(), loop.end(), [waterline](auto& p) { return p.z > waterline; });
    if (above == loop.end())
        throw Refusal{"La " + name + " è chiusa e tutta sotto il galleggiamento: non vi arriva."};
    SectionCurve round(above, loop.end());
    round.insert(round.end(), loop.begin(), above + 1);
    return WetPieces(round, waterline);
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

// One station from its section; false when it lies wholly above the waterline.
bool CutSection(const Section& section, double waterline, Station& station, int& nMirrored) {
    station.x = section.x;
    station.xDrawn = section.xDrawn;
    const std::string name = StationName(station);
    SectionCurve curve = section.curve;
    if (!section.bClosed)
        for (SectionPoint* pEnd : {&curve.front(), &curve.back()})
            if (std::fabs(pEnd->z - waterline) < kJoinTolerance) pEnd->z = waterline;
    const std::vector<SectionCurve> pieces = section.bClosed
                                                 ? WetPiecesOfLoop(curve, waterline, name)
                                                 : WetPieces(WithoutClosePoints(curve), waterline);
    if (pieces.empty()) {
        if (std::any_of(curve.begin(), curve.end(), [&](auto& p) { return p.z < waterline; }))
            throw Refusal{"La " + name + " ha un solo punto."};
        return false;
    }
    if (pieces.size() > 1)
        throw Refusal{
            "La " + name +
            (section.bClosed
                 ? " è chiusa e ha più di un tratto sotto il galleggiamento: un'ordinata "
                   "disegnata con il suo spessore (linea esterna e interna in un solo giro)? "
                   "Trevano non sceglie fra le due: disegna la sola linea della carena."
                 : " esce dall'acqua e vi rientra: ha più di un tratto sotto il "
                   "galleggiamento.")};
    station.curve = pieces.front();
    // Half or whole by what lies under the water: a deck line that crosses the centreline
    // above it leaves a half section half.
    const bool bPort =
        std::any_of(station.curve.begin(), station.curve.end(), [](auto& p) { return p.y > 0.0; });
    const bool bStarboard =
        std::any_of(station.curve.begin(), station.curve.end(), [](auto& p) { return p.y < 0.0; });
    if (bStarboard && !bPort) {
        for (SectionPoint& p : station.curve)
            p.y = 0.0 - p.y; // not -p.y: a point on the centreline stays at +0, not -0
        ++nMirrored;
    }
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
    return SectionName(station.xDrawn);
}

bool CutAtWaterline(const SectionSet& sections, double waterline, StationSet& set,
                    std::string& refusal) {
    set = StationSet();
    set.waterline = waterline * sections.scale;
    try {
        for (const Section& section : sections.sections) {
            Station station;
            if (CutSection(section, set.waterline, station, set.nMirrored))
                set.stations.push_back(std::move(station));
            else
                set.dry.push_back(section.xDrawn);
        }
        if (set.stations.empty())
            throw Refusal{
                "Nessuna sezione sotto il galleggiamento (z = " + FormatExponent(waterline) + ")."};
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

std::string CutNotes(const StationSet& set, bool bMirrored) {
    std::string notes;
    for (double x : set.dry)
        notes +=
            "Nota: la " + SectionName(x) + " è tutta sopra il galleggiamento: lasciata fuori.\n";
    const int n = set.nMirrored;
    if (bMirrored && n > 0)
        notes += "Nota: " + std::to_string(n) +
                 (n == 1 ? " sezione disegnata sul lato di dritta (y < 0), presa specchiata a "
                           "sinistra.\n"
                         : " sezioni disegnate sul lato di dritta (y < 0), prese specchiate a "
                           "sinistra.\n");
    return notes;
}
