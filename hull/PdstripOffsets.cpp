#include "PdstripOffsets.h"

#include "NumberText.h"

#include <cmath>

namespace {

// The stem or the stern post: a section of about a square centimetre at the waterline.
constexpr double kSmallSection = 0.01;

} // namespace

SectionCurve PdstripSection(const Station& station, double waterline, int nSegments) {
    if (station.bNoBreadth)
        return {{-kSmallSection, waterline},
                {0.0, waterline - kSmallSection},
                {kSmallSection, waterline}};
    if (station.bWhole) return Resample(station.curve, 2 * nSegments);
    return WholeFromHalf(Resample(station.curve, nSegments));
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
    text.clear();
    AppendInteger(text, static_cast<long long>(nStations));
    text += " f ";
    AppendExponent(text, set.waterline - set.zLowest);
    text += '\n';
    for (const Station& s : set.stations) {
        const SectionCurve section = PdstripSection(s, set.waterline, nSegments);
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
