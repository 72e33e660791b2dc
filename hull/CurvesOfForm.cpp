#include "CurvesOfForm.h"

#include "NumberText.h"
#include "Stations.h"

#include <cmath>

namespace {

// One note for the run: a section dry at one waterline is dry at every lower one, so the lowest
// row leaves out every section that any row leaves out.
std::string DryNote(const StationSet& lowest, int nDryRows, int nRows, double zHighestDry) {
    const size_t n = lowest.dry.size();
    if (n == 0) return "";
    std::string note = "Nota: ";
    AppendInteger(note, static_cast<long long>(n));
    note += n == 1 ? " sezione resta fuori dalle righe dei galleggiamenti che non la raggiungono: "
                   : " sezioni restano fuori dalle righe dei galleggiamenti che non le "
                     "raggiungono: ";
    AppendInteger(note, nDryRows);
    note += " su ";
    AppendInteger(note, nRows);
    note += ", fino a z = " + FormatExponent(zHighestDry) + ".\n";
    return note;
}

} // namespace

bool ComputeCurvesOfForm(const SectionSet& sections, const WaterlineRange& range, bool bMirrored,
                         std::vector<Hydrostatics>& rows, std::string& notes,
                         std::string& refusal) {
    rows.clear();
    double keel = INFINITY, top = -INFINITY;
    for (const Section& s : sections.sections)
        for (const SectionPoint& p : s.curve) {
            keel = std::fmin(keel, p.z);
            top = std::fmax(top, p.z);
        }
    // At the keel the hull holds no water, and every ratio of the row would be 0 / 0.
    if (range.from * sections.scale <= keel) {
        refusal = "Il primo galleggiamento, z = " + FormatExponent(range.from) +
                  ", non è sopra la chiglia, a z = " + FormatExponent(keel / sections.scale) +
                  ": le carene diritte partono da un'immersione maggiore di zero.";
        return false;
    }
    if (range.to * sections.scale > top) {
        refusal = "L'ultimo galleggiamento, z = " + FormatExponent(range.to) +
                  ", è sopra tutte le sezioni, che arrivano al più a z = " +
                  FormatExponent(top / sections.scale) + ".";
        return false;
    }
    StationSet set, lowest;
    int nDryRows = 0;
    double zHighestDry = 0.0;
    for (int i = 0; i <= range.nSteps; ++i) {
        // lerp gives the last z exactly, so that the last row is the one of that waterline.
        const double z = std::lerp(range.from, range.to, static_cast<double>(i) / range.nSteps);
        if (!CutAtWaterline(sections, z, set, refusal)) {
            refusal = "Al galleggiamento z = " + FormatExponent(z) + ": " + refusal;
            return false;
        }
        if (i == 0) lowest = set;
        if (!set.dry.empty()) {
            ++nDryRows;
            zHighestDry = z;
        }
        rows.push_back(ComputeHydrostatics(set));
    }
    notes += DryNote(lowest, nDryRows, range.nSteps + 1, zHighestDry);
    set.dry.clear();
    notes += CutNotes(set, bMirrored);
    return true;
}

std::string CurvesOfFormCsv(const std::vector<Hydrostatics>& rows) {
    std::string out =
        "z,T,V,Delta,LCB,KB,Awp,LCF,TPC,BMt,BMl,KMt,KMl,MCT1cm,Cb,Cp,Cm,Cwp,S,LWL,BWL\n";
    for (const Hydrostatics& h : rows) {
        const double columns[] = {h.waterline,
                                  h.draught,
                                  h.volume,
                                  h.displacement,
                                  h.xBuoyancy,
                                  h.keelToBuoyancy,
                                  h.waterplaneArea,
                                  h.xFlotation,
                                  h.tonnesPerCm,
                                  h.bmTransverse,
                                  h.bmLongitudinal,
                                  h.kmTransverse,
                                  h.kmLongitudinal,
                                  h.momentToTrimCm,
                                  h.blockCoefficient,
                                  h.prismaticCoefficient,
                                  h.midshipCoefficient,
                                  h.waterplaneCoefficient,
                                  h.wettedSurface,
                                  h.length,
                                  h.breadth};
        for (size_t c = 0; c < std::size(columns); ++c) {
            if (c > 0) out += ',';
            AppendExponent(out, columns[c]);
        }
        out += '\n';
    }
    return out;
}
