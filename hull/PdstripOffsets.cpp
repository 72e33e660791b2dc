#include "PdstripOffsets.h"

#include "NumberText.h"
#include "Resampling.h"

#include <algorithm>
#include <cmath>

namespace {

// The stem or the stern post: a section of about a square centimetre at the waterline.
constexpr double kSmallSection = 0.01;

// The test PDSTRIP makes of a section before its hydrodynamics, in the same frame: a source
// point a twentieth of a panel inside each panel must lie inside the contour closed high
// above the waterline, and outside the same contour moved a ninth of a panel inward. A section
// too narrow for the length of its panels fails it.
bool PdstripAccepts(const SectionCurve& section) {
    const size_t n = section.size();
    SectionCurve contour = section;
    contour.push_back({0.0, 1e5});
    for (const double turns : {6.283, 0.0}) {
        for (size_t k = 0; k + 1 < n; ++k) {
            const SectionPoint &p = section[k], &q = section[k + 1];
            const double yq = (p.y + q.y) / 2 - (q.z - p.z) / 20;
            const double zq = (p.z + q.z) / 2 + (q.y - p.y) / 20;
            double angle = 0.0;
            for (size_t i = 0; i < contour.size(); ++i) {
                const SectionPoint& a = contour[i == 0 ? contour.size() - 1 : i - 1];
                const double ay = yq - a.y, az = zq - a.z;
                const double by = yq - contour[i].y, bz = zq - contour[i].z;
                angle += std::atan2(ay * bz - az * by, ay * by + az * bz);
            }
            if (std::fabs(angle - turns) > 1.0) return false;
        }
        SectionPoint before = contour[0];
        for (size_t i = 0; i < n; ++i) {
            const SectionPoint& next = contour[i + 1 < n ? i + 1 : i];
            const SectionPoint& last = i == 0 ? contour[0] : before;
            const double half = i == 0 || i + 1 == n ? 1.0 : 0.5;
            const double dy = (next.y - last.y) * half, dz = (next.z - last.z) * half;
            before = contour[i];
            contour[i] = {contour[i].y - dz / 9, contour[i].z + dy / 9};
        }
    }
    return true;
}

// PDSTRIP's highest frequency has a wave number of 50 / T, T the file's reference draught, and
// it stops on a panel whose length times that passes 51 in beam seas (in single precision: a
// panel of 1.02 T already stops it). A knuckle kept on few segments can leave the others long.
bool ShortEnoughForPdstrip(const SectionCurve& section, double draught) {
    for (size_t k = 0; k + 1 < section.size(); ++k)
        if (Distance(section[k], section[k + 1]) > draught) return false;
    return true;
}

} // namespace

std::vector<SectionCurve> PdstripSections(const StationSet& set, int nSegments) {
    std::vector<SectionCurve> port, starboard;
    for (const Station& s : set.stations) {
        const SectionHalves halves =
            s.bWhole ? SplitAtCentreline(s.curve) : SectionHalves{s.curve, s.curve};
        starboard.push_back(halves.starboard);
        port.push_back(halves.port);
    }
    const int n = std::max(CommonSegments(port, nSegments), CommonSegments(starboard, nSegments));
    port = ResampleHalves(port, n);
    starboard = ResampleHalves(starboard, n);
    std::vector<SectionCurve> sections;
    for (size_t i = 0; i < set.stations.size(); ++i) {
        const double z = set.waterline;
        sections.push_back(
            set.stations[i].bNoBreadth
                ? SectionCurve{{-kSmallSection, z}, {0.0, z - kSmallSection}, {kSmallSection, z}}
                : WholeFromHalves(starboard[i], port[i]));
    }
    return sections;
}

bool BuildPdstripOffsets(const StationSet& set, int nSegments, std::string& text,
                         std::string& refusal) {
    const size_t nStations = set.stations.size();
    if (nStations > kPdstripMaxSections) {
        refusal =
            "Troppe sezioni sotto il galleggiamento per PDSTRIP: " + std::to_string(nStations) +
            ", al massimo " + std::to_string(kPdstripMaxSections) + ".";
        return false;
    }
    const std::vector<SectionCurve> sections = PdstripSections(set, nSegments);
    text.clear();
    AppendInteger(text, static_cast<long long>(nStations));
    text += " f ";
    AppendExponent(text, set.waterline - set.zLowest);
    text += '\n';
    for (size_t i = 0; i < nStations; ++i) {
        const Station& s = set.stations[i];
        const SectionCurve& section = sections[i];
        if (section.size() > kPdstripMaxPoints) {
            // Every section takes as many points as the one with the most knuckles asks for.
            const Station& most =
                *std::max_element(set.stations.begin(), set.stations.end(), [](auto& a, auto& b) {
                    return SplitAtKnuckles(a.curve).size() < SplitAtKnuckles(b.curve).size();
                });
            refusal = "La " + StationName(most) +
                      " ha troppi spigoli per PDSTRIP: per tenerli tutti ogni sezione avrebbe " +
                      std::to_string(section.size()) + " punti, al massimo " +
                      std::to_string(kPdstripMaxPoints) + ".";
            return false;
        }
        if (!PdstripAccepts(section)) {
            refusal = "La " + StationName(s) +
                      " è troppo stretta per PDSTRIP, che la rifiuterebbe (Unsuitable section "
                      "discretisation): i suoi due lati sono troppo vicini per i suoi tratti.";
            return false;
        }
        if (!ShortEnoughForPdstrip(section, set.waterline - set.zLowest)) {
            refusal =
                "La " + StationName(s) +
                " ha tratti troppo lunghi per PDSTRIP, che si fermerebbe alle frequenze più "
                "alte (Frequency too high): più dell'immersione; servono più --punti-sezione.";
            return false;
        }
        AppendExponent(text, s.x);
        text += ' ';
        AppendInteger(text, static_cast<long long>(section.size()));
        text += " 0\n";
        for (int axis = 0; axis < 2; ++axis) {
            for (size_t k = 0; k < section.size(); ++k) {
                if (k > 0) text += ' ';
                AppendExponent(text, axis == 0 ? section[k].y : section[k].z);
            }
            text += '\n';
        }
    }
    return true;
}
