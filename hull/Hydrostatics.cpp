#include "Hydrostatics.h"

#include "NumberText.h"

#include <cmath>
#include <numbers>

namespace {

// Sea water, tonnes per cubic metre.
constexpr double kSeaWater = 1.025;

// What one station gives to the integrals along x, both sides of the hull.
struct StationMeasure {
    double area = 0.0, momentZ = 0.0, breadth = 0.0, girth = 0.0;
    double yPort = 0.0, yStarboard = 0.0; // the waterline's ends
};

StationMeasure Measure(const Station& station, double waterline) {
    StationMeasure m;
    const SectionCurve& c = station.curve;
    if (station.bWhole) {
        const PlaneArea a = ClosedArea(c);
        m = {a.area, a.momentZ, c.back().y - c.front().y, CurveLength(c), c.back().y, c.front().y};
    } else {
        // The half section closed along the waterline and down the centreline.
        SectionCurve closed = c;
        closed.push_back({0.0, waterline});
        const PlaneArea a = ClosedArea(closed);
        m = {2.0 * a.area,         2.0 * a.momentZ, 2.0 * c.back().y,
             2.0 * CurveLength(c), c.back().y,      -c.back().y};
    }
    return m;
}

// Simpson's rule over one interval: exact for a cubic, and so for x^2 times a breadth linear in
// x, and for the cube of such a breadth.
double Simpson(double h, double f0, double fMiddle, double f1) {
    return h * (f0 + 4.0 * fMiddle + f1) / 6.0;
}

void AppendLine(std::string& out, const char* pszLabel, double value, const char* pszUnit = "") {
    out += pszLabel;
    AppendExponent(out, value);
    out += pszUnit;
    out += '\n';
}

// "Label: first A, second B" with the line's end.
void AppendPair(std::string& out, const char* pszLabel, double first, const char* pszSecond,
                double second) {
    out += pszLabel;
    AppendExponent(out, first);
    AppendLine(out, pszSecond, second);
}

} // namespace

Hydrostatics ComputeHydrostatics(const StationSet& set) {
    Hydrostatics h;
    h.waterline = set.waterline;
    double momentX = 0.0, momentZ = 0.0, momentXF = 0.0, inertiaX = 0.0;
    StationMeasure before;
    for (size_t i = 0; i < set.stations.size(); ++i) {
        const Station& s = set.stations[i];
        const StationMeasure m = Measure(s, set.waterline);
        h.breadth = std::fmax(h.breadth, m.breadth);
        h.midshipArea = std::fmax(h.midshipArea, m.area);
        if (i == 0) {
            before = m;
            continue;
        }
        const double x0 = set.stations[i - 1].x, x1 = s.x, half = (x1 - x0) / 2.0;
        h.volume += (before.area + m.area) * half;
        momentX += (before.area * x0 + m.area * x1) * half;
        momentZ += (before.momentZ + m.momentZ) * half;
        h.waterplaneArea += (before.breadth + m.breadth) * half;
        const double xm = (x0 + x1) / 2.0, bm = (before.breadth + m.breadth) / 2.0;
        const double pm = (before.yPort + m.yPort) / 2.0;
        const double sm = (before.yStarboard + m.yStarboard) / 2.0;
        momentXF += Simpson(x1 - x0, before.breadth * x0, bm * xm, m.breadth * x1);
        inertiaX += Simpson(x1 - x0, before.breadth * x0 * x0, bm * xm * xm, m.breadth * x1 * x1);
        auto cubes = [](double port, double starboard) {
            return (port * port * port - starboard * starboard * starboard) / 3.0;
        };
        h.inertiaTransverse += Simpson(x1 - x0, cubes(before.yPort, before.yStarboard),
                                       cubes(pm, sm), cubes(m.yPort, m.yStarboard));
        h.wettedSurface += (before.girth + m.girth) * half;
        before = m;
    }
    h.draught = set.waterline - set.zLowest;
    h.xBuoyancy = momentX / h.volume;
    h.zBuoyancy = momentZ / h.volume;
    h.xFlotation = momentXF / h.waterplaneArea;
    h.inertiaLongitudinal = inertiaX - h.waterplaneArea * h.xFlotation * h.xFlotation;
    h.length = set.stations.back().x - set.stations.front().x;
    h.blockCoefficient = h.volume / (h.length * h.breadth * h.draught);
    h.displacement = h.volume * kSeaWater;
    h.keelToBuoyancy = h.zBuoyancy - set.zLowest;
    h.bmTransverse = h.inertiaTransverse / h.volume;
    h.bmLongitudinal = h.inertiaLongitudinal / h.volume;
    h.kmTransverse = h.keelToBuoyancy + h.bmTransverse;
    h.kmLongitudinal = h.keelToBuoyancy + h.bmLongitudinal;
    h.tonnesPerCm = kSeaWater * h.waterplaneArea / 100.0;
    h.momentToTrimCm = h.displacement * h.bmLongitudinal / (100.0 * h.length);
    h.prismaticCoefficient = h.volume / (h.midshipArea * h.length);
    h.midshipCoefficient = h.midshipArea / (h.breadth * h.draught);
    h.waterplaneCoefficient = h.waterplaneArea / (h.length * h.breadth);
    const double kappa = std::numbers::pi * std::hypot(1.0 / h.length, 1.0 / h.breadth);
    h.irregularFrequency = std::sqrt(kGravity * kappa / std::tanh(kappa * h.draught));
    return h;
}

bool CheckFloating(const Hydrostatics& h, std::string& refusal) {
    // A cubic millimetre and a square millimetre: what is left of nothing after the sums.
    if (h.volume < 1e-9)
        refusal = "La carena non ha volume sotto il galleggiamento: lo tocca soltanto.";
    else if (h.waterplaneArea < 1e-6)
        refusal = "Il galleggiamento non ha area: la carena vi arriva solo in un punto o lungo "
                  "una linea.";
    else
        return true;
    return false;
}

std::string HydrostaticsText(const Hydrostatics& h) {
    std::string out = "Galleggiamento: z ";
    AppendExponent(out, h.waterline);
    AppendLine(out, ", immersione ", h.draught);
    AppendLine(out, "Volume di carena: ", h.volume, " m³");
    AppendLine(out, "Dislocamento: ", h.displacement, " t (acqua di mare, 1.025 t/m³)");
    out += "Centro di carena: x ";
    AppendExponent(out, h.xBuoyancy);
    AppendLine(out, ", z ", h.zBuoyancy);
    AppendLine(out, "Area del galleggiamento: ", h.waterplaneArea, " m²");
    AppendLine(out, "Centro del galleggiamento: x ", h.xFlotation);
    AppendLine(out, "Superficie bagnata: ", h.wettedSurface, " m²");
    AppendLine(out, "Lunghezza al galleggiamento: ", h.length);
    AppendLine(out, "Larghezza al galleggiamento: ", h.breadth);
    AppendLine(out, "Coefficiente di blocco: ", h.blockCoefficient);
    AppendPair(out, "Raggio metacentrico: trasversale ", h.bmTransverse, ", longitudinale ",
               h.bmLongitudinal);
    AppendPair(out, "Metacentro sulla chiglia: trasversale ", h.kmTransverse, ", longitudinale ",
               h.kmLongitudinal);
    AppendLine(out, "Tonnellate per centimetro: ", h.tonnesPerCm, " t/cm");
    AppendLine(out, "Momento per variare l'assetto di 1 cm: ", h.momentToTrimCm, " t·m/cm");
    AppendLine(out, "Area della sezione maestra: ", h.midshipArea, " m²");
    out += "Coefficienti: prismatico ";
    AppendExponent(out, h.prismaticCoefficient);
    AppendPair(out, ", della sezione maestra ", h.midshipCoefficient, ", del galleggiamento ",
               h.waterplaneCoefficient);
    AppendLine(out, "Prima frequenza irregolare: ", h.irregularFrequency, " rad/s");
    return out;
}
