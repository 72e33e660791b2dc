#include "CurvesOfFormSvg.h"

#include "NumberText.h"
#include "SvgText.h"

#include <cmath>

namespace {

constexpr double kWidth = 960, kMargin = 24, kTitleHeight = 40;
constexpr double kPlotLeft = 220, kPlotRight = kWidth - 40, kPlotHeight = 520;
constexpr double kScaleHeight = 32; // a scale's line, its ticks and their numbers

typedef double Hydrostatics::*Quantity;

struct Curve {
    const char* pszName = nullptr; // on the curve
    Quantity quantity = nullptr;
};

// One scale along the top or the bottom, and the curves read on it.
struct Scale {
    const char* pszName; // with the unit, left of the scale
    // A position along the hull, on a scale of a tenth of the length at least; every other
    // scale starts at zero.
    bool bPosition;
    Curve curves[4];
};

// The volume is left to the displacement, whose curve it would repeat, and each metacentric
// radius to its metacentre above the keel, which the stability of the ship is read from.
const Scale kScales[] = {
    {"Δ dislocamento (t)", false, {{"Δ", &Hydrostatics::displacement}}},
    {"S superficie bagnata (m²)", false, {{"S", &Hydrostatics::wettedSurface}}},
    {"Awp area galleggiamento (m²)", false, {{"Awp", &Hydrostatics::waterplaneArea}}},
    {"TPC (t/cm)", false, {{"TPC", &Hydrostatics::tonnesPerCm}}},
    {"MCT 1 cm (t·m/cm)", false, {{"MCT", &Hydrostatics::momentToTrimCm}}},
    {"Cb, Cp, Cm, Cwp",
     false,
     {{"Cb", &Hydrostatics::blockCoefficient},
      {"Cp", &Hydrostatics::prismaticCoefficient},
      {"Cm", &Hydrostatics::midshipCoefficient},
      {"Cwp", &Hydrostatics::waterplaneCoefficient}}},
    {"LCB, LCF: x (m)",
     true,
     {{"LCB", &Hydrostatics::xBuoyancy}, {"LCF", &Hydrostatics::xFlotation}}},
    {"KB, KMt (m)",
     false,
     {{"KB", &Hydrostatics::keelToBuoyancy}, {"KMt", &Hydrostatics::kmTransverse}}},
    {"KMl (m)", false, {{"KMl", &Hydrostatics::kmLongitudinal}}},
};
constexpr int kScaleCount = static_cast<int>(std::size(kScales));
constexpr int kBottomScales = 5; // the rest go along the top

// In black and white each curve is told by its name on it and by its dashes.
const char* const kDashes[] = {"", "9 4", "2 3", "12 3 3 3", "6 2 2 2 2 2"};

// An axis between round values, four to eight ticks of a round step apart.
struct Axis {
    double lo = 0, hi = 1, step = 0.25;
    double Place(double value, double from, double to) const {
        return from + (value - lo) / (hi - lo) * (to - from);
    }
};

Axis RoundAxis(double lo, double hi) {
    const double step = TickStep(lo, hi);
    return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

Axis AxisOf(const std::vector<Hydrostatics>& rows, const Scale& scale) {
    double lo = scale.bPosition ? INFINITY : 0.0, hi = -INFINITY;
    for (const Curve& curve : scale.curves)
        for (const Hydrostatics& h : rows)
            if (curve.quantity && std::isfinite(h.*curve.quantity)) {
                lo = std::fmin(lo, h.*curve.quantity);
                hi = std::fmax(hi, h.*curve.quantity);
            }
    if (!(lo < hi) && !scale.bPosition) return Axis();
    // The centres of a hull symmetric fore and aft stay where they are to the last digits,
    // which a scale of their own span would show as wide swings.
    const double least = rows.back().length / 10, middle = (lo + hi) / 2;
    if (scale.bPosition && !(hi - lo >= least)) {
        lo = middle - least / 2;
        hi = middle + least / 2;
    }
    return std::isfinite(lo) && std::isfinite(hi) && lo < hi ? RoundAxis(lo, hi) : Axis();
}

// The ticks of an axis and their numbers: up the side at x = at (nSide 0), or along a scale at
// y = at, under it (1) or over it (-1).
void DrawTicks(std::string& out, const Axis& axis, double from, double to, double at, int nSide) {
    for (double k = std::round(axis.lo / axis.step); k * axis.step <= axis.hi + axis.step / 2;
         ++k) {
        const double value = k * axis.step, p = axis.Place(value, from, to);
        std::string number;
        AppendShort(number, value);
        out += "<line";
        if (nSide == 0) { // with a line across the plot to read the curves at that draught
            AppendBox(out, at, p, at - 4, p, "x1", "y1", "x2", "y2");
            out += "/><line stroke=\"#ddd\"";
            AppendBox(out, at, p, kPlotRight, p, "x1", "y1", "x2", "y2");
            out += "/>";
            AppendText(out, at - 6, p + 4, "stroke=\"none\" text-anchor=\"end\"", number);
            continue;
        }
        AppendBox(out, p, at, p, at + 4 * nSide, "x1", "y1", "x2", "y2");
        out += "/>";
        AppendText(out, p, nSide > 0 ? at + 15 : at - 7, "stroke=\"none\" text-anchor=\"middle\"",
                   number);
    }
}

} // namespace

std::string CurvesOfFormSvg(const std::vector<Hydrostatics>& rows, const std::string& drawingName) {
    const double plotTop = kMargin + kTitleHeight + (kScaleCount - kBottomScales) * kScaleHeight;
    const double plotBottom = plotTop + kPlotHeight;
    const double height = plotBottom + kBottomScales * kScaleHeight + kMargin;
    std::string title = "Carene diritte: ";
    AppendEscaped(title, drawingName);
    std::string out = SvgStart(kWidth, height, title);

    const Axis draught = RoundAxis(rows.front().draught, rows.back().draught);
    auto placeDraught = [&](double t) { return draught.Place(t, plotBottom, plotTop); };
    out += "<g id=\"immersione\" stroke=\"#999\">\n";
    DrawTicks(out, draught, plotBottom, plotTop, kPlotLeft, 0);
    out += "<rect fill=\"none\"";
    AppendBox(out, kPlotLeft, plotTop, kPlotRight, plotBottom, "x", "y", "width", "height");
    out += "/>\n";
    const double nameX = kPlotLeft - 48, nameY = (plotTop + plotBottom) / 2;
    std::string turned = "stroke=\"none\" text-anchor=\"middle\" transform=\"rotate(-90 ";
    Append(turned, nameX);
    turned += ' ';
    Append(turned, nameY);
    turned += ")\"";
    AppendText(out, nameX, nameY, turned.c_str(), "Immersione T (m)");
    out += "</g>\n";

    int nCurve = 0, nCurves = 0;
    for (const Scale& scale : kScales)
        for (const Curve& curve : scale.curves)
            nCurves += curve.quantity != nullptr;
    for (int s = 0; s < kScaleCount; ++s) {
        const Scale& scale = kScales[s];
        const Axis axis = AxisOf(rows, scale);
        const bool bBottom = s < kBottomScales;
        const double y = bBottom ? plotBottom + 16 + s * kScaleHeight
                                 : plotTop - 16 - (s - kBottomScales) * kScaleHeight;
        out += "<g class=\"scala\" stroke=\"#555\">\n<line";
        AppendBox(out, kPlotLeft, y, kPlotRight, y, "x1", "y1", "x2", "y2");
        out += "/>";
        AppendText(out, kPlotLeft - 16, y + 4, "stroke=\"none\" text-anchor=\"end\"",
                   scale.pszName);
        DrawTicks(out, axis, kPlotLeft, kPlotRight, y, bBottom ? 1 : -1);
        out += "</g>\n";
        for (const Curve& curve : scale.curves) {
            if (!curve.quantity) break;
            out += "<polyline class=\"curva\" fill=\"none\" stroke-width=\"1.5\" stroke=\"";
            AppendColour(out, 0.85 * nCurve / (nCurves - 1));
            out += '"';
            if (*kDashes[nCurve % std::size(kDashes)]) {
                out += " stroke-dasharray=\"";
                out += kDashes[nCurve % std::size(kDashes)];
                out += '"';
            }
            out += " points=\"";
            bool bFirst = true;
            for (const Hydrostatics& h : rows) {
                if (!std::isfinite(h.*curve.quantity)) continue;
                if (!bFirst) out += ' ';
                bFirst = false;
                Append(out, axis.Place(h.*curve.quantity, kPlotLeft, kPlotRight));
                out += ',';
                Append(out, placeDraught(h.draught));
            }
            out += "\"/>\n";
            // Each name on its curve at a height of its own, so that no two meet where the
            // curves cross; a white edge parts it from the lines under it.
            const Hydrostatics& at = rows[static_cast<size_t>(
                std::lround((rows.size() - 1) * (nCurve + 0.5) / nCurves))];
            const double x = axis.Place(at.*curve.quantity, kPlotLeft, kPlotRight);
            if (std::isfinite(x))
                AppendText(out, x, placeDraught(at.draught) + 4,
                           "class=\"nome\" text-anchor=\"middle\" stroke=\"white\" "
                           "stroke-width=\"4\" paint-order=\"stroke\"",
                           curve.pszName);
            ++nCurve;
        }
    }
    out += "</svg>\n";
    return out;
}
