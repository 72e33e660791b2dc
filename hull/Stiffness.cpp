#include "Stiffness.h"

#include "NumberText.h"

#include <utility>

namespace {

void AppendNumber(std::string& out, double value) {
    out += ' ';
    // A product with a zero lever is -0 as often as 0, and the files would show both.
    AppendExponent(out, value + 0.0);
}

} // namespace

Stiffness HydrostaticStiffness(const Hydrostatics& h, const HullPoint& g) {
    const double rg = kWaterDensity * kGravity, area = h.waterplaneArea, volume = h.volume;
    const double xF = h.xFlotation - g.x, zBG = h.zBuoyancy - g.z;
    Stiffness s;
    auto& k = s.k;
    k[2][2] = rg * area;
    k[2][3] = k[3][2] = -rg * area * g.y;
    k[2][4] = k[4][2] = -rg * area * xF;
    k[3][3] = rg * (h.inertiaTransverse + area * g.y * g.y + volume * zBG);
    k[3][4] = k[4][3] = rg * area * xF * g.y;
    k[4][4] = rg * (h.inertiaLongitudinal + area * xF * xF + volume * zBG);
    k[3][5] = -rg * volume * (h.xBuoyancy - g.x);
    k[4][5] = rg * volume * g.y;
    return s;
}

std::string StiffnessText(const Stiffness& stiffness) {
    std::string text;
    for (const auto& row : stiffness.k) {
        for (double value : row)
            AppendNumber(text, value);
        text += '\n';
    }
    return text;
}

std::string NemohHydrostaticsText(const Hydrostatics& h, const HullPoint& g) {
    const double buoyancy[3] = {h.xBuoyancy, 0.0, h.zBuoyancy - h.waterline};
    const double gravity[3] = {g.x, g.y, g.z - h.waterline};
    std::string text;
    for (int axis = 0; axis < 3; ++axis) {
        const char name = "XYZ"[axis];
        text += std::string(" ") + name + "F =";
        AppendNumber(text, buoyancy[axis]);
        text += std::string(" - ") + name + "G =";
        AppendNumber(text, gravity[axis]);
        text += '\n';
    }
    const std::pair<const char*, double> totals[] = {{" Displacement =", h.volume},
                                                     {" Waterplane area =", h.waterplaneArea}};
    for (const auto& [pszLabel, value] : totals) {
        text += pszLabel;
        AppendNumber(text, value);
        text += '\n';
    }
    return text;
}

HullPoint AssumedCentreOfGravity(const Hydrostatics& h, double scale, std::string& note) {
    const HullPoint g{h.xBuoyancy, 0.0, h.waterline};
    note += "Nota: senza --baricentro il baricentro è preso alla x del centro di carena, "
            "sull'asse e al galleggiamento: x ";
    AppendExponent(note, g.x / scale);
    note += ", y 0, z ";
    AppendExponent(note, g.z / scale);
    note += " nelle unità del disegno.\n";
    return g;
}
