#include "Preview.h"

#include "NumberText.h"
#include "SvgText.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double kWidth = 960, kHeight = 540;
constexpr double kMargin = 24, kTitleHeight = 40, kLegendHeight = 48;
constexpr double kAxisLeft = 64, kAxisBottom = 40; // room for the tick labels and names
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
    int nAcross, nUp;                                // which coordinates, as numbered below
    double left = 0, top = 0, width = 0, height = 0; // the plot, without its axes' labels
};

double Coordinate(CVertex* pVertex, int n) {
    const CVector3& p = pVertex->m_Point;
    return n == 0 ? p.X() : n == 1 ? p.Y() : p.Z();
}

bool Finite(CVertex* pVertex) {
    const CVector3& p = pVertex->m_Point;
    return std::isfinite(p.X()) && std::isfinite(p.Y()) && std::isfinite(p.Z());
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

// The coordinates the views draw: x, y, z, and the body plan's across, which is y turned to
// the side of the centreline where its section belongs.
enum { kX, kY, kZ, kBodyAcross, kCoordinates };

class Picture {
public:
    Picture(CPolylineList& polylines, const PreviewFrame& frame)
        : m_polylines(polylines), m_frame(frame) {
        // The middle station: the mean of the stations' x, each the x of a section's first point.
        double sum = 0;
        INT32 nStations = 0;
        for (INT32 i = 1; i <= polylines.GetCount(); ++i)
            if (CVertex* pFirst = FirstDrawable(*polylines.GetAt(i))) {
                sum += pFirst->m_Point.X();
                ++nStations;
            }
        m_middle = nStations > 0 ? sum / nStations : 0;
        for (int c = 0; c < kCoordinates; ++c) {
            m_lo[c] = INFINITY;
            m_hi[c] = -INFINITY;
        }
        for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
            CPolyline& polyline = *polylines.GetAt(i);
            const int nSide = Side(polyline);
            for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
                CVertex* pVertex = polyline.GetVertex(k);
                if (!Finite(pVertex)) {
                    ++m_nLeftOut;
                    continue;
                }
                for (int c = 0; c < kCoordinates; ++c)
                    Include(c, Value(pVertex, c, nSide));
            }
        }
        m_bEmpty = !(m_lo[kX] <= m_hi[kX]);
        if (m_bEmpty) return;
        Include(kBodyAcross, 0); // the centreline
        if (frame.bWaterline) Include(kZ, frame.waterline);
    }

    bool Empty() const { return m_bEmpty; }
    INT32 LeftOut() const { return m_nLeftOut; }

    // Both views side by side in the room given, each as large as its share of it allows at
    // equal scales on its own axes: both as high as the room where their widths fit, else the
    // body plan up to a third of the width and the profile, as low as the hull needs, beside it.
    void Layout(double left, double top, double width, double height, View& body,
                View& profile) const {
        const double room = width - kMargin - 2 * kAxisLeft;
        const double plotHeight = height - kAxisBottom;
        const double bodyRatio = Ratio(body), profileRatio = Ratio(profile);
        double bodyWidth = plotHeight * bodyRatio, profileWidth = plotHeight * profileRatio;
        if (bodyWidth + profileWidth > room) {
            bodyWidth = std::max(room * bodyRatio / (bodyRatio + profileRatio),
                                 std::min(bodyWidth, room / 3));
            profileWidth = room - bodyWidth;
        }
        body.left = left + kAxisLeft;
        profile.left = body.left + bodyWidth + kMargin + kAxisLeft;
        body.top = profile.top = top;
        body.width = bodyWidth;
        profile.width = profileWidth;
        body.height = std::min(plotHeight, bodyWidth / bodyRatio);
        profile.height = std::min(plotHeight, profileWidth / profileRatio);
    }

    void Draw(std::string& out, const View& view) {
        const double spanA = Span(view, view.nAcross), spanU = Span(view, view.nUp);
        const double scale = std::min(view.width / spanA, view.height / spanU) / kPadding;
        const double midA = (m_lo[view.nAcross] + m_hi[view.nAcross]) / 2;
        const double midU = (m_lo[view.nUp] + m_hi[view.nUp]) / 2;
        const double centreX = view.left + view.width / 2, centreY = view.top + view.height / 2;
        auto toX = [&](double a) { return centreX + (a - midA) * scale; };
        auto toY = [&](double u) { return centreY - (u - midU) * scale; };
        const double right = view.left + view.width, bottom = view.top + view.height;

        out += "<g id=\"";
        out += view.pszId;
        out += "\">\n";
        AppendText(out, view.left, view.top - 8, "font-weight=\"bold\"", view.pszTitle);
        out += "<rect";
        AppendBox(out, view.left, view.top, right, bottom, "x", "y", "width", "height");
        out += " fill=\"none\" stroke=\"#999\"/>\n";
        DrawAxis(out, view, (view.left - toX(0)) / scale, (right - toX(0)) / scale, true, toX);
        DrawAxis(out, view, (toY(0) - bottom) / scale, (toY(0) - view.top) / scale, false, toY);
        if (view.nAcross == kBodyAcross) {
            out += "<line class=\"mezzeria\"";
            AppendBox(out, toX(0), view.top, toX(0), bottom, "x1", "y1", "x2", "y2");
            out += " stroke=\"#555\" stroke-dasharray=\"12 3 2 3\"/>\n";
        }
        if (m_frame.bWaterline) {
            const double y = toY(m_frame.waterline);
            out += "<line class=\"galleggiamento\"";
            AppendBox(out, view.left, y, right, y, "x1", "y1", "x2", "y2");
            out += " stroke=\"#1f77b4\" stroke-dasharray=\"6 3\"/>\n";
        }

        out += "<g class=\"polilinee\" fill=\"none\" stroke-width=\"1\">\n";
        std::vector<Point> points, thinned;
        for (INT32 i = 1; i <= m_polylines.GetCount(); ++i) {
            CPolyline& polyline = *m_polylines.GetAt(i);
            const int nSide = Side(polyline);
            points.clear();
            for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
                CVertex* pVertex = polyline.GetVertex(k);
                if (!Finite(pVertex)) continue;
                // On the pixel grid: a point in the pixel of the one before adds nothing.
                const Point p{std::round(toX(Value(pVertex, view.nAcross, nSide))),
                              std::round(toY(Value(pVertex, view.nUp, nSide)))};
                if (points.empty() || p.x != points.back().x || p.y != points.back().y)
                    points.push_back(p);
            }
            if (points.empty()) continue;
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
        std::string lo, hi;
        AppendShort(lo, m_lo[kX]);
        AppendShort(hi, m_hi[kX]);
        AppendText(out, kMargin + 90, top + 32, "", lo);
        AppendText(out, kMargin + 390, top + 32, "text-anchor=\"end\"", hi);
        out += "</g>\n";
    }

private:
    static CVertex* FirstDrawable(CPolyline& polyline) {
        for (INT32 k = 1; k <= polyline.GetCount(); ++k)
            if (Finite(polyline.GetVertex(k))) return polyline.GetVertex(k);
        return nullptr;
    }

    // Where the body plan draws the polyline: 1 on the right of the centreline (forward of the
    // middle station, or on it), -1 on the left (aft), 0 as it is (a whole section, with points
    // on both sides).
    int Side(CPolyline& polyline) const {
        bool bPort = false, bStarboard = false;
        for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
            CVertex* pVertex = polyline.GetVertex(k);
            if (!Finite(pVertex)) continue;
            bPort = bPort || pVertex->m_Point.Y() > 0;
            bStarboard = bStarboard || pVertex->m_Point.Y() < 0;
        }
        if (bPort && bStarboard) return 0;
        CVertex* pFirst = FirstDrawable(polyline);
        return !pFirst || pFirst->m_Point.X() >= m_middle ? 1 : -1;
    }

    static double Value(CVertex* pVertex, int c, int nSide) {
        if (c != kBodyAcross) return Coordinate(pVertex, c);
        const double y = pVertex->m_Point.Y();
        return nSide == 0 ? y : nSide * std::fabs(y);
    }

    void Include(int c, double value) {
        m_lo[c] = std::min(m_lo[c], value);
        m_hi[c] = std::max(m_hi[c], value);
    }

    // A view's span along c: a line along one axis is drawn at the scale of its length, and a
    // single point shows a unit around it.
    double Span(const View& view, int c) const {
        const double spanA = m_hi[view.nAcross] - m_lo[view.nAcross];
        const double spanU = m_hi[view.nUp] - m_lo[view.nUp];
        const double least = spanA > 0 || spanU > 0 ? std::max(spanA, spanU) * 1e-3 : 1.0;
        return std::max(m_hi[c] - m_lo[c], least);
    }

    double Ratio(const View& view) const { return Span(view, view.nAcross) / Span(view, view.nUp); }

    // Where the polyline's station lies in the stations' range, 0 to 1.
    double Station(CPolyline& polyline) const {
        CVertex* pFirst = FirstDrawable(polyline);
        if (!pFirst || !(m_hi[kX] > m_lo[kX])) return 0.5;
        return (pFirst->m_Point.X() - m_lo[kX]) / (m_hi[kX] - m_lo[kX]);
    }

    // The tick marks and round values of one axis between the values at the plot's edges,
    // and the axis's name with the unit.
    template <class Place>
    void DrawAxis(std::string& out, const View& view, double from, double to, bool bAcross,
                  Place place) const {
        const double bottom = view.top + view.height;
        out += bAcross ? "<g class=\"tacche-orizzontali\" stroke=\"#999\">\n"
                       : "<g class=\"tacche-verticali\" stroke=\"#999\">\n";
        const double step = TickStep(from, to);
        // Far from the origin a tick's number would not fit a label, nor its index an integer.
        const bool bTicks =
            step > 0 && std::fabs(from / step) < 1e12 && std::fabs(to / step) < 1e12;
        for (auto k = static_cast<long long>(std::ceil(from / step));
             bTicks && static_cast<double>(k) * step <= to; ++k) {
            const double value = static_cast<double>(k) * step, p = place(value);
            out += "<line";
            if (bAcross)
                AppendBox(out, p, bottom, p, bottom + 4, "x1", "y1", "x2", "y2");
            else
                AppendBox(out, view.left, p, view.left - 4, p, "x1", "y1", "x2", "y2");
            out += "/>";
            std::string label;
            AppendShort(label, value);
            if (bAcross)
                AppendText(out, p, bottom + 17, "stroke=\"none\" text-anchor=\"middle\"", label);
            else
                AppendText(out, view.left - 6, p + 4, "stroke=\"none\" text-anchor=\"end\"", label);
        }
        std::string name = bAcross ? (view.nAcross == kX ? "x" : "y") : "z";
        if (m_frame.pszUnit) name = name + " (" + m_frame.pszUnit + ")";
        if (bAcross)
            AppendText(out, view.left + view.width, bottom + 32,
                       "stroke=\"none\" text-anchor=\"end\"", name);
        else
            AppendText(out, view.left - 6, view.top - 8, "stroke=\"none\" text-anchor=\"end\"",
                       name);
        out += "</g>\n";
    }

    CPolylineList& m_polylines;
    const PreviewFrame& m_frame;
    double m_middle = 0;
    double m_lo[kCoordinates], m_hi[kCoordinates];
    INT32 m_nLeftOut = 0;
    bool m_bEmpty = true;
};

} // namespace

std::string PreviewSvg(CPolylineList& polylines, const std::string& drawingName,
                       INT32 nPolylineCount, INT32 nPointCount, const PreviewFrame& frame) {
    Picture picture(polylines, frame);
    std::string title;
    AppendEscaped(title, drawingName);
    title += ": ";
    AppendInteger(title, nPolylineCount);
    title += nPolylineCount == 1 ? " polilinea, " : " polilinee, ";
    AppendInteger(title, nPointCount);
    title += nPointCount == 1 ? " punto" : " punti";
    if (picture.LeftOut() > 0) {
        title += " (";
        AppendInteger(title, picture.LeftOut());
        title += picture.LeftOut() == 1 ? " non disegnato: coordinate non finite)"
                                        : " non disegnati: coordinate non finite)";
    }

    // The picture is as high as its views need: a long hull gives a low one.
    const double top = kMargin + kTitleHeight;
    View body{"piano-di-costruzione", "Piano di costruzione", kBodyAcross, kZ};
    View profile{"profilo", "Profilo", kX, kZ};
    double height = kHeight / 2;
    if (!picture.Empty()) {
        picture.Layout(kMargin, top, kWidth - 2 * kMargin, kHeight - top - kLegendHeight - kMargin,
                       body, profile);
        height =
            top + std::max(body.height, profile.height) + kAxisBottom + kLegendHeight + kMargin;
    }
    std::string out = SvgStart(kWidth, height, title);
    if (picture.Empty()) {
        AppendText(out, kWidth / 2, height / 2 + 10,
                   "id=\"vuoto\" text-anchor=\"middle\" font-size=\"20\"",
                   polylines.GetCount() == 0 ? "Nessuna polilinea letta"
                                             : "Nessun punto con coordinate finite");
    } else {
        picture.Draw(out, body);
        picture.Draw(out, profile);
        picture.DrawLegend(out, height - kMargin - kLegendHeight + 8);
    }
    out += "</svg>\n";
    return out;
}
