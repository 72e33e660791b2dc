#include "Preview.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double kWidth = 960, kHeight = 540;
constexpr double kMargin = 24, kTitleHeight = 40, kLegendHeight = 48;
constexpr double kAxisLeft = 64, kAxisBottom = 24; // room for the tick labels
// Points closer than half a pixel to the line drawn between their neighbours light the same
// pixels.
constexpr double kTolerance = 0.5, kToleranceSquared = kTolerance * kTolerance;
constexpr double kPadding = 1.06;

struct Point {
    double x, y;
};

// A view of the list: which two coordinates it draws, and where.
struct View {
    const char* pszId;
    const char* pszTitle;
    int nAcross, nUp; // 0, 1, 2 for x, y, z
    double left, top, width, height;
};

void Append(std::string& out, double value) {
    AppendFixed(out, value, 1);
}

// <text x=".." y=".." attributes>text</text>
void AppendText(std::string& out, double x, double y, const char* pszAttributes,
                const std::string& text) {
    out += "<text x=\"";
    Append(out, x);
    out += "\" y=\"";
    Append(out, y);
    out += *pszAttributes ? "\" " : "\"";
    out += pszAttributes;
    out += ">" + text + "</text>\n";
}

// A coordinate of a drawn point: whole pixels.
void AppendPixel(std::string& out, double value) {
    AppendFixed(out, value, 0);
}

// The length of the UTF-8 sequence at text[i] that XML may hold, 0 for a byte that starts
// none: a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF, U+FFFE and
// U+FFFF, or a sequence cut short.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    const size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    const unsigned char c1 = byte(i + 1);
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90) ||
        (c == 0xF4 && c1 > 0x8F) || (c == 0xEF && c1 == 0xBF && byte(i + 2) >= 0xBE))
        return 0;
    return n;
}

// Names are bytes: what is well-formed UTF-8 stays as it is, any other byte and the control
// characters, which XML does not allow, become '?'.
void AppendEscaped(std::string& out, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else if (const size_t n = c >= 0x80 ? Utf8Length(text, i) : 0) {
                out.append(text, i, n);
                i += n - 1;
            } else {
                out += '?';
            }
        }
    }
}

// The colour of position t (0 to 1) along a sequential scale, dark blue to yellow.
void AppendColour(std::string& out, double t) {
    static const int kStops[][3] = {
        {68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}};
    const double s = std::clamp(t, 0.0, 1.0) * 4;
    const int i = std::min(static_cast<int>(s), 3);
    static const char kHex[] = "0123456789abcdef";
    out += '#';
    for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>(
            std::lround(kStops[i][c] + (s - i) * (kStops[i + 1][c] - kStops[i][c])));
        out += kHex[v >> 4];
        out += kHex[v & 15];
    }
}

// A round step (1, 2 or 5 times a power of ten) giving about four ticks over span.
double TickStep(double span) {
    const double raw = span / 4;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

void AppendTickLabel(std::string& out, long long k, double step) {
    const int nDecimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    if (k == 0)
        out += '0';
    else
        AppendFixed(out, static_cast<double>(k) * step, nDecimals);
}

double Coordinate(CVertex* pVertex, int n) {
    const CVector3& p = pVertex->m_Point;
    return n == 0 ? p.X() : n == 1 ? p.Y() : p.Z();
}

// Keeps the points that a line through the kept ones would pass further than the tolerance
// from (Douglas and Peucker), so a long section costs only the points that shape it.
void Thin(const std::vector<Point>& in, std::vector<Point>& out) {
    out.clear();
    if (in.size() <= 2) {
        out = in;
        return;
    }
    // A section seen edge-on, as the profile sees it, lies on one vertical line, up and down it
    // as often as it turns: its two ends on that line draw the same pixels.
    const auto [lowX, highX] = std::minmax_element(
        in.begin(), in.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
    if (highX->x - lowX->x < kTolerance) {
        const auto [low, high] = std::minmax_element(
            in.begin(), in.end(), [](const Point& a, const Point& b) { return a.y < b.y; });
        out = {*low, *high};
        return;
    }
    std::vector<bool> keep(in.size(), false);
    keep.front() = keep.back() = true;
    std::vector<std::pair<size_t, size_t>> spans{{0, in.size() - 1}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        const double dx = in[b].x - in[a].x, dy = in[b].y - in[a].y;
        const double length2 = dx * dx + dy * dy;
        double worst = kToleranceSquared;
        size_t nWorst = 0;
        for (size_t i = a + 1; i < b; ++i) {
            double ex = in[i].x - in[a].x, ey = in[i].y - in[a].y;
            double d2 = ex * ex + ey * ey;
            if (length2 > 0) {
                const double t = std::clamp((ex * dx + ey * dy) / length2, 0.0, 1.0);
                ex -= t * dx;
                ey -= t * dy;
                d2 = ex * ex + ey * ey;
            }
            if (d2 > worst) {
                worst = d2;
                nWorst = i;
            }
        }
        if (nWorst == 0) continue;
        keep[nWorst] = true;
        spans.push_back({a, nWorst});
        spans.push_back({nWorst, b});
    }
    for (size_t i = 0; i < in.size(); ++i)
        if (keep[i]) out.push_back(in[i]);
}

class Picture {
public:
    explicit Picture(CPolylineList& polylines) : m_polylines(polylines) {
        for (int c = 0; c < 3; ++c) {
            m_lo[c] = INFINITY;
            m_hi[c] = -INFINITY;
        }
        for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
            CPolyline& polyline = *polylines.GetAt(i);
            for (INT32 k = 1; k <= polyline.GetCount(); ++k)
                for (int c = 0; c < 3; ++c) {
                    const double v = Coordinate(polyline.GetVertex(k), c);
                    if (!std::isfinite(v)) continue;
                    m_lo[c] = std::min(m_lo[c], v);
                    m_hi[c] = std::max(m_hi[c], v);
                }
        }
        for (int c = 0; c < 3; ++c)
            if (m_lo[c] > m_hi[c]) m_lo[c] = m_hi[c] = 0;
    }

    void Draw(std::string& out, const View& view) {
        // Equal scales on both axes: the smaller of the two fits.
        const double plotLeft = view.left + kAxisLeft, plotWidth = view.width - kAxisLeft;
        const double plotHeight = view.height - kAxisBottom;
        const double spanA = m_hi[view.nAcross] - m_lo[view.nAcross];
        const double spanU = m_hi[view.nUp] - m_lo[view.nUp];
        // A line along one axis is drawn at the scale of its length, and a single point shows
        // a unit around it. A margin of a few per cent keeps the outermost lines off the frame.
        const double least = spanA > 0 || spanU > 0 ? std::max(spanA, spanU) * 1e-3 : 1.0;
        const double scale =
            std::min(plotWidth / std::max(spanA, least), plotHeight / std::max(spanU, least)) /
            kPadding;
        const double midA = (m_lo[view.nAcross] + m_hi[view.nAcross]) / 2;
        const double midU = (m_lo[view.nUp] + m_hi[view.nUp]) / 2;
        const double centreX = plotLeft + plotWidth / 2, centreY = view.top + plotHeight / 2;
        auto toX = [&](double a) { return centreX + (a - midA) * scale; };
        auto toY = [&](double u) { return centreY - (u - midU) * scale; };

        out += "<g id=\"";
        out += view.pszId;
        out += "\">\n";
        AppendText(out, plotLeft, view.top - 8, "font-weight=\"bold\"", view.pszTitle);
        out += "<rect x=\"";
        Append(out, plotLeft);
        out += "\" y=\"";
        Append(out, view.top);
        out += "\" width=\"";
        Append(out, plotWidth);
        out += "\" height=\"";
        Append(out, plotHeight);
        out += "\" fill=\"none\" stroke=\"#999\"/>\n";
        DrawTicks(out, view, plotLeft, plotWidth, plotHeight, scale, toX, toY);

        out += "<g class=\"polilinee\" fill=\"none\" stroke-width=\"1\">\n";
        std::vector<Point> points, thinned;
        for (INT32 i = 1; i <= m_polylines.GetCount(); ++i) {
            CPolyline& polyline = *m_polylines.GetAt(i);
            points.clear();
            for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
                const double a = Coordinate(polyline.GetVertex(k), view.nAcross);
                const double u = Coordinate(polyline.GetVertex(k), view.nUp);
                if (!std::isfinite(a) || !std::isfinite(u)) continue;
                // On the pixel grid: a point in the pixel of the one before adds nothing.
                const Point p{std::round(toX(a)), std::round(toY(u))};
                if (points.empty() || p.x != points.back().x || p.y != points.back().y)
                    points.push_back(p);
            }
            std::string colour;
            AppendColour(colour, Station(polyline));
            if (points.size() == 1) {
                out += "<circle r=\"2\" cx=\"";
                AppendPixel(out, points[0].x);
                out += "\" cy=\"";
                AppendPixel(out, points[0].y);
                out += "\" fill=\"" + colour + "\"/>\n";
                continue;
            }
            Thin(points, thinned);
            out += "<polyline stroke=\"" + colour + "\" points=\"";
            for (size_t k = 0; k < thinned.size(); ++k) {
                if (k > 0) out += ' ';
                AppendPixel(out, thinned[k].x);
                out += ',';
                AppendPixel(out, thinned[k].y);
            }
            out += "\"/>\n";
        }
        out += "</g>\n</g>\n";
    }

    // The stations' range as a colour bar under the views.
    void DrawLegend(std::string& out, double top) {
        out += "<defs><linearGradient id=\"scala\">";
        for (int i = 0; i <= 4; ++i) {
            out += "<stop offset=\"";
            AppendFixed(out, i / 4.0, 2);
            out += "\" stop-color=\"";
            AppendColour(out, i / 4.0);
            out += "\"/>";
        }
        out += "</linearGradient></defs>\n<g id=\"legenda\">\n";
        AppendText(out, kMargin, top + 14, "", "Stazioni (x)");
        out += "<rect x=\"";
        Append(out, kMargin + 90);
        out += "\" y=\"";
        Append(out, top + 2);
        out += "\" width=\"300\" height=\"14\" fill=\"url(#scala)\"/>\n";
        AppendText(out, kMargin + 90, top + 32, "", FormatExponent(m_lo[0]));
        AppendText(out, kMargin + 390, top + 32, "text-anchor=\"end\"", FormatExponent(m_hi[0]));
        out += "</g>\n";
    }

private:
    // Where the polyline's station lies in the stations' range, 0 to 1.
    double Station(CPolyline& polyline) const {
        CVertex* pFirst = polyline.GetVertex(1);
        if (!pFirst || !(m_hi[0] > m_lo[0])) return 0.5;
        return (pFirst->m_Point.X() - m_lo[0]) / (m_hi[0] - m_lo[0]);
    }

    template <class ToX, class ToY>
    void DrawTicks(std::string& out, const View& view, double plotLeft, double plotWidth,
                   double plotHeight, double scale, ToX toX, ToY toY) {
        const double plotBottom = view.top + plotHeight;
        out += "<g class=\"assi\" stroke=\"#999\">\n";
        // The values at the plot's edges, and a tick line and label for each round one between.
        DrawAxis(
            out, (plotLeft - toX(0)) / scale, (plotLeft + plotWidth - toX(0)) / scale,
            [&](double a) {
                return Point{toX(a), plotBottom};
            },
            true);
        DrawAxis(
            out, (toY(0) - plotBottom) / scale, (toY(0) - view.top) / scale,
            [&](double u) {
                return Point{plotLeft, toY(u)};
            },
            false);
        out += "</g>\n";
    }

    template <class Place>
    static void DrawAxis(std::string& out, double from, double to, Place place, bool bAcross) {
        const double step = TickStep(to - from);
        // Far from the origin a tick's number would not fit a label, nor its index an integer.
        if (!(step > 0) || std::fabs(from / step) > 1e12 || std::fabs(to / step) > 1e12) return;
        for (auto k = static_cast<long long>(std::ceil(from / step)); k * step <= to; ++k) {
            const Point p = place(static_cast<double>(k) * step);
            const Point tick = bAcross ? Point{p.x, p.y + 4} : Point{p.x - 4, p.y};
            out += "<line x1=\"";
            Append(out, p.x);
            out += "\" y1=\"";
            Append(out, p.y);
            out += "\" x2=\"";
            Append(out, tick.x);
            out += "\" y2=\"";
            Append(out, tick.y);
            out += "\"/>";
            std::string label;
            AppendTickLabel(label, k, step);
            AppendText(out, bAcross ? p.x : p.x - 6, bAcross ? p.y + 17 : p.y + 4,
                       bAcross ? "stroke=\"none\" text-anchor=\"middle\""
                               : "stroke=\"none\" text-anchor=\"end\"",
                       label);
        }
    }

    CPolylineList& m_polylines;
    double m_lo[3], m_hi[3];
};

} // namespace

std::string PreviewSvg(CPolylineList& polylines, const std::string& drawingName,
                       INT32 nPolylineCount, INT32 nPointCount) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"960\" height=\"540\" "
                      "viewBox=\"0 0 960 540\" font-family=\"sans-serif\" font-size=\"12\">\n"
                      "<rect width=\"960\" height=\"540\" fill=\"white\"/>\n";
    std::string title;
    AppendEscaped(title, drawingName);
    title += ": ";
    AppendInteger(title, nPolylineCount);
    title += nPolylineCount == 1 ? " polilinea, " : " polilinee, ";
    AppendInteger(title, nPointCount);
    title += nPointCount == 1 ? " punto" : " punti";
    out += "<title>" + title + "</title>\n<text x=\"24\" y=\"26\" font-size=\"16\">" + title +
           "</text>\n";

    Picture picture(polylines);
    const double top = kMargin + kTitleHeight;
    const double width = (kWidth - 3 * kMargin) / 2;
    const double height = kHeight - top - kLegendHeight - kMargin;
    picture.Draw(out, {"piano-di-costruzione", "Piano di costruzione (y, z)", 1, 2, kMargin, top,
                       width, height});
    picture.Draw(out, {"profilo", "Profilo (x, z)", 0, 2, 2 * kMargin + width, top, width, height});
    picture.DrawLegend(out, kHeight - kMargin - kLegendHeight + 8);
    out += "</svg>\n";
    return out;
}
