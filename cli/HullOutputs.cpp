#include "HullOutputs.h"

#include "Arguments.h"
#include "Hydrostatics.h"
#include "PanelMesh.h"
#include "PdstripOffsets.h"
#include "Stations.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// The units --unita names, in ASCII so that any console types them alike.
const struct {
    const char* pszName;
    double scale;
    int nCode; // as $INSUNITS would give it
} kUnitNames[] = {{"mm", 0.001, 4}, {"cm", 0.01, 5},   {"dm", 0.1, 14},
                  {"m", 1.0, 6},    {"in", 0.0254, 1}, {"ft", 0.3048, 2}};

// Metres per unit of $INSUNITS, by its code; 0 for none.
// clang-format off
const double kDrawingUnits[] = {
    0.0, 0.0254, 0.3048, 1609.344, 1e-3, 1e-2, 1.0, 1e3, // none, in, ft, mi, mm, cm, m, km
    2.54e-8, 2.54e-5, 0.9144, 1e-10, 1e-9, 1e-6,         // microinch, mil, yd, angstrom, nm, um
    1e-1, 1e1, 1e2, 1e9,                                 // dm, dam, hm, Gm
    1.495978707e11, 9.4607304725808e15, 3.0856775814913673e16, // AU, light year, parsec
    1200.0 / 3937.0, 100.0 / 3937.0, 3600.0 / 3937.0, 6336000.0 / 3937.0, // US survey ft, in, yd, mi
};
// clang-format on

// The whole text as one finite number, whatever the locale; false for anything else.
bool ParseNumber(const std::string& text, double& value) {
    const char* pBegin = text.data() + (!text.empty() && text[0] == '+');
    const char* pEnd = text.data() + text.size();
    const auto [p, ec] = std::from_chars(pBegin, pEnd, value);
    return ec == std::errc() && p == pEnd && pBegin != pEnd && std::isfinite(value);
}

bool ParseCount(const std::string& text, int& value) {
    const char* pEnd = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), pEnd, value);
    return ec == std::errc() && p == pEnd && !text.empty();
}

} // namespace

int TakeHullOption(int argc, char** argv, int& i, HullChoices& choices) {
    if (std::strcmp(argv[i], "--idrostatica") == 0) {
        choices.bHydrostatics = true;
        return 1;
    }
    std::string value;
    bool bMissing = false;
    const char* pszName = nullptr;
    for (const char* psz : {"--galleggiamento", "--unita", "--punti-sezione"})
        if (!pszName && TakeValue(psz, argc, argv, i, value, bMissing)) pszName = psz;
    if (!pszName) return 0;
    if (bMissing) return UsageError("manca il valore dopo", pszName);
    if (pszName[2] == 'g') {
        if (!ParseNumber(value, choices.waterline))
            return UsageError("--galleggiamento vuole un numero (col punto decimale)",
                              value.c_str());
        choices.bWaterline = true;
    } else if (pszName[2] == 'u') {
        choices.unitScale = 0.0;
        for (const auto& unit : kUnitNames)
            if (value == unit.pszName) {
                choices.unitScale = unit.scale;
                choices.nUnits = unit.nCode;
            }
        if (choices.unitScale == 0.0)
            return UsageError("--unita vuole mm, cm, dm, m, in o ft", value.c_str());
    } else if (!ParseCount(value, choices.nSegments) || choices.nSegments < 3 ||
               choices.nSegments > 49) {
        return UsageError("--punti-sezione vuole un intero da 3 a 49", value.c_str());
    }
    return 1;
}

bool PrepareHull(CPolylineList& polylines, int nDrawingUnits, const HullChoices& choices,
                 const bool bAsked[kHullFormCount], HullTexts& texts, std::string& refusal) {
    HullFrame frame{choices.waterline, choices.unitScale};
    if (frame.scale == 0.0 && nDrawingUnits > 0 &&
        nDrawingUnits < static_cast<int>(std::size(kDrawingUnits)))
        frame.scale = kDrawingUnits[nDrawingUnits];
    if (frame.scale == 0.0) {
        frame.scale = 1.0;
        texts.notes += "Nota: il disegno non dice in che unit\xC3\xA0 \xC3\xA8 ($INSUNITS): le "
                       "misure sono prese in metri; --unita la indica.\n";
    }
    StationSet set;
    const bool bMade = MakeStations(polylines, frame, set, refusal);
    texts.notes += set.notes;
    if (!bMade) return false;
    if (bAsked[kHullPdstrip] &&
        !BuildPdstripOffsets(set, choices.nSegments, texts.forms[kHullPdstrip], refusal))
        return false;
    if (bAsked[kHullNemoh] || bAsked[kHullGdf]) {
        PanelMesh mesh;
        if (!BuildPanelMesh(set, choices.nSegments, mesh, refusal)) return false;
        if (bAsked[kHullNemoh]) texts.forms[kHullNemoh] = NemohMeshText(mesh);
        if (bAsked[kHullGdf]) texts.forms[kHullGdf] = WamitGdfText(mesh);
    }
    if (choices.bHydrostatics) texts.hydrostatics = HydrostaticsText(ComputeHydrostatics(set));
    return true;
}
