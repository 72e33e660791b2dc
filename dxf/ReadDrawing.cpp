#include "ReadDrawing.h"

#include "LoadAndScan.h"

#include <algorithm>

namespace {

// The origins as Reorder leaves the polylines they belong to.
std::vector<PolylineOrigin> Reordered(const std::vector<PolylineOrigin>& origins,
                                      const std::vector<INT32>& order) {
    std::vector<PolylineOrigin> reordered;
    reordered.reserve(order.size());
    for (INT32 i : order)
        reordered.push_back(origins[static_cast<size_t>(i - 1)]);
    return reordered;
}

// What the load read matched with what the scan found, once both are done: the choices applied,
// the entities the converter adds put in their places in the file, the report made.
class Matching {
public:
    Matching(const ReadChoices& choices, const DrawingScan& scan, LoadReport& report)
        : m_choices(choices), m_scan(scan), m_report(report), m_seen(scan.polylines.size(), false) {
    }

    // The list holds the polylines the trace says were appended, in file order; it ends with
    // those the choices take and the LWPOLYLINEs and SPLINEs asked for, in file order, and the
    // origins with where each comes from.
    void Apply(const LoadTrace& trace, CPolylineList& polylines,
               std::vector<PolylineOrigin>& origins) {
        std::vector<INT32> leftOut;     // positions in the list as loaded
        std::vector<ULONGLONG> offsets; // of each polyline kept, in list order
        INT32 nPosition = 0;
        for (const LoadTrace::Header& header : trace.headers) {
            const PolylineEntity* pEntity = Entity(header.nKeyword);
            if (!TakesFlags(header.nFlags, false)) {
                if (header.nFlags & kMeshFlags)
                    ++m_report.nMeshes;
                else if (!trace.bAllPolylines)
                    ++m_report.nOtherFlags;
            }
            if (!TakesFlags(header.nFlags, trace.bAllPolylines)) continue;
            if (header.bAppended) ++nPosition;
            // A keyword that is no POLYLINE entity of ENTITIES (a word inside a text, say) has
            // no layer, and so none of those chosen, and no place in the paper space.
            if (!Chosen(pEntity)) {
                if (header.bAppended) leftOut.push_back(nPosition);
            } else if (!header.bAppended) {
                ++m_report.nWithoutVertices;
            } else {
                CountRead(pEntity);
                if (pEntity && pEntity->bBulge) ++m_report.nPolylinesBulged;
                offsets.push_back(header.nKeyword);
                origins.push_back({EntityKind::Polyline, pEntity ? pEntity->layer : std::string(),
                                   pEntity ? pEntity->nOffset : header.nKeyword,
                                   (header.nFlags & 1) != 0});
            }
        }
        for (auto it = leftOut.rbegin(); it != leftOut.rend(); ++it)
            polylines.RemoveAt(*it);
        const size_t nLoaded = offsets.size();
        AppendEntities(polylines, offsets, origins);
        if (offsets.size() > nLoaded) {
            const std::vector<INT32> order = FileOrder(offsets, nLoaded);
            polylines.Reorder(order);
            origins = Reordered(origins, order);
        }
        m_report.nWithoutVertices +=
            static_cast<int>(std::count(m_seen.begin(), m_seen.end(), false));
    }

private:
    // The POLYLINE entity whose type name holds the keyword, noted as seen.
    const PolylineEntity* Entity(ULONGLONG nKeyword) {
        const auto& entities = m_scan.polylines;
        auto it =
            std::upper_bound(entities.begin(), entities.end(), nKeyword,
                             [](ULONGLONG n, const PolylineEntity& e) { return n < e.nOffset; });
        if (it == entities.begin() || nKeyword >= (it - 1)->nTo) return nullptr;
        m_seen[static_cast<size_t>(it - 1 - entities.begin())] = true;
        return &*(it - 1);
    }

    // Whether the space and the layers chosen take the entity; when not, why not is counted.
    bool Chosen(const EntityPlace* pPlace) {
        if (m_choices.bModelOnly && pPlace && pPlace->bPaperSpace) {
            ++m_report.nPaperSpace;
            return false;
        }
        if (m_choices.layers.empty()) return true;
        if (pPlace && std::any_of(m_choices.layers.begin(), m_choices.layers.end(),
                                  [pPlace](const std::string& chosen) {
                                      return SameLayer(chosen, pPlace->layer);
                                  }))
            return true;
        ++m_report.nOtherLayers;
        return false;
    }

    void CountRead(const EntityPlace* pPlace) {
        ++m_report.layersRead[pPlace ? pPlace->layer : std::string()];
        if (pPlace && pPlace->bPaperSpace) ++m_report.nFromPaperSpace;
    }

    // The LWPOLYLINEs and SPLINEs asked for, appended in file order with their offsets.
    void AppendEntities(CPolylineList& polylines, std::vector<ULONGLONG>& offsets,
                        std::vector<PolylineOrigin>& origins) {
        const auto& lws = m_scan.lwpolylines;
        const auto& splines = m_scan.splines; // kept only when they are to be read
        const size_t nLws = m_choices.bLwPolylines ? lws.size() : 0;
        size_t l = 0, s = 0;
        while (l < nLws || s < splines.size()) {
            const bool bLw =
                l < nLws && (s == splines.size() || lws[l].nOffset < splines[s].nOffset);
            const EntityPlace& place = bLw ? static_cast<const EntityPlace&>(lws[l])
                                           : static_cast<const EntityPlace&>(splines[s]);
            const EntityKind kind = bLw ? EntityKind::LwPolyline : EntityKind::Spline;
            const bool bClosed = bLw ? lws[l].bClosed : splines[s].bClosed;
            if (bLw ? AppendLwPolyline(lws[l++], polylines)
                    : AppendSpline(splines[s++], polylines)) {
                offsets.push_back(place.nOffset);
                origins.push_back({kind, place.layer, place.nOffset, bClosed});
            }
        }
    }

    bool AppendLwPolyline(const LwPolyline& lw, CPolylineList& polylines) {
        if (lw.xy.empty()) {
            ++m_report.nWithoutVertices;
            return false;
        }
        if (!Chosen(&lw)) return false;
        CountRead(&lw);
        if (lw.bBulge) ++m_report.nBulged;
        CVector3 extrusion, read, point;
        extrusion.Set(lw.extrusion[0], lw.extrusion[1], lw.extrusion[2]);
        polylines.AddNew();
        CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
        for (size_t i = 0; i + 1 < lw.xy.size(); i += 2) {
            read.Set(lw.xy[i], lw.xy[i + 1], lw.elevation);
            RemapByExtrusion(read, extrusion, point);
            pPolyline->AddPoint(point);
        }
        return true;
    }

    // Its points are the drawing's own coordinates: a SPLINE has no extrusion to permute by.
    bool AppendSpline(const SplineEntity& spline, CPolylineList& polylines) {
        const SplineCurve& curve = spline.curve;
        if (curve.control.empty()) {
            ++(spline.nFitPoints > 0 ? m_report.nFitPointsOnly : m_report.nWithoutVertices);
            return false;
        }
        if (!Chosen(&spline)) return false;
        const double tolerance =
            m_choices.tolerance > 0.0 ? m_choices.tolerance : DefaultSplineTolerance(curve);
        if (!FlattenSpline(curve, tolerance, m_points)) {
            ++m_report.nBadSplines;
            return false;
        }
        CountRead(&spline);
        polylines.AddNew();
        CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
        CVector3 point;
        for (size_t i = 0; i + 2 < m_points.size(); i += 3) {
            point.Set(m_points[i], m_points[i + 1], m_points[i + 2]);
            pPolyline->AddPoint(point);
        }
        return true;
    }

    // The positions of the list in file order: the loaded polylines (the first nLoaded
    // offsets) and the entities appended after them each come in file order, and an entity
    // goes before a polyline whose keyword lies after its type name.
    static std::vector<INT32> FileOrder(const std::vector<ULONGLONG>& offsets, size_t nLoaded) {
        std::vector<INT32> order;
        order.reserve(offsets.size());
        size_t p = 0, e = nLoaded;
        while (p < nLoaded || e < offsets.size()) {
            const bool bEntity = e < offsets.size() && (p == nLoaded || offsets[e] < offsets[p]);
            order.push_back(static_cast<INT32>((bEntity ? e++ : p++) + 1));
        }
        return order;
    }

    const ReadChoices& m_choices;
    const DrawingScan& m_scan;
    LoadReport& m_report;
    std::vector<bool> m_seen;     // of each POLYLINE entity
    std::vector<double> m_points; // of the SPLINE being appended
};

// Two polylines or more, and every point at the x of the first.
bool AllAtOneX(CPolylineList& polylines) {
    if (polylines.GetCount() < 2) return false;
    const CVertex* pFirst = polylines.GetAt(1)->GetVertex(1);
    if (!pFirst) return false;
    const double x = pFirst->m_Point.X();
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        CPolyline& polyline = *polylines.GetAt(i);
        for (INT32 k = 1; k <= polyline.GetCount(); ++k)
            if (polyline.GetVertex(k)->m_Point.X() != x) return false;
    }
    return true;
}

} // namespace

void ReadDrawing(CDxfFile& file, CPolylineList& polylines, INT32& nPolylineCount,
                 INT32& nPointCount) {
    LoadPolylinesInFileOrder(file, polylines, nPointCount);
    nPolylineCount = polylines.GetCount();
    SortPolylines(polylines);
}

void ReadDrawing(CDxfFile& file, const ReadChoices& choices, CPolylineList& polylines,
                 INT32& nPolylineCount, INT32& nPointCount, DrawingScan& scan, LoadReport& report,
                 std::vector<PolylineOrigin>& origins) {
    report = LoadReport();
    origins.clear();
    LoadTrace trace;
    trace.bAllPolylines = choices.bAllPolylines;
    LoadAndScan(file, polylines, nPointCount, trace, {choices.bLwPolylines, choices.bSplines},
                scan);
    for (const std::string& chosen : choices.layers)
        if (std::none_of(scan.layers.begin(), scan.layers.end(),
                         [&chosen](const std::string& l) { return SameLayer(chosen, l); }))
            report.absentLayers.push_back(chosen);
    if (!choices.bLwPolylines) report.nLwPolylines = static_cast<int>(scan.lwpolylines.size());
    const auto splines = scan.entityCounts.find("SPLINE");
    if (!choices.bSplines && splines != scan.entityCounts.end()) report.nSplines = splines->second;
    if (scan.bBinary) {
        polylines.RemoveAll();
        nPolylineCount = nPointCount = 0;
        return;
    }
    Matching(choices, scan, report).Apply(trace, polylines, origins);
    nPolylineCount = polylines.GetCount();
    UINT nPoints = 0; // as the load counts them, modulo 2^32
    for (INT32 i = 1; i <= nPolylineCount; ++i)
        nPoints += static_cast<UINT>(polylines.GetAt(i)->GetCount());
    nPointCount = static_cast<INT32>(nPoints);
    origins = Reordered(origins, SortPolylines(polylines));
    report.bAllAtOneX = AllAtOneX(polylines);
}
