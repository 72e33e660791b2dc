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
            } else if (!InWindow(*polylines.GetAt(nPosition))) {
                ++m_report.nOutsideWindow;
                leftOut.push_back(nPosition);
            } else {
                CountRead(pEntity);
                if (pEntity && pEntity->bBulge) ++m_report.nPolylinesBulged;
                offsets.push_back(header.nKeyword);
                PolylineOrigin origin{EntityKind::Polyline,
                                      pEntity ? pEntity->layer : std::string(),
                                      pEntity ? pEntity->nOffset : header.nKeyword,
                                      (header.nFlags & 1) != 0};
                // A 2D polyline (neither 3D, bit 8, nor a mesh) stands at its header's elevation.
                if (pEntity && !(header.nFlags & (8 | kMeshFlags)))
                    origin.elevation = pEntity->elevation;
                origins.push_back(std::move(origin));
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
        if (pPlace && std::any_of(m_choices.excludedLayers.begin(), m_choices.excludedLayers.end(),
                                  [pPlace](const std::string& excluded) {
                                      return SameLayer(excluded, pPlace->layer);
                                  })) {
            ++m_report.nExcludedLayers;
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

    // The LWPOLYLINEs, SPLINEs, LINEs and ARCs asked for, appended in file order.
    void AppendEntities(CPolylineList& polylines, std::vector<ULONGLONG>& offsets,
                        std::vector<PolylineOrigin>& origins) {
        struct Item {
            const EntityPlace* pPlace;
            EntityKind kind;
            size_t i;
        };
        std::vector<Item> items;
        auto add = [&items](const auto& entities, EntityKind kind) {
            for (size_t i = 0; i < entities.size(); ++i)
                items.push_back({&entities[i], kind, i});
        };
        if (m_choices.bLwPolylines) add(m_scan.lwpolylines, EntityKind::LwPolyline);
        add(m_scan.splines, EntityKind::Spline); // each of these kept only when asked for
        add(m_scan.lines, EntityKind::Line);
        add(m_scan.arcs, EntityKind::Arc);
        std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
            return a.pPlace->nOffset < b.pPlace->nOffset;
        });
        for (const Item& item : items) {
            bool bClosed = false;
            if (!Points(item.kind, item.i, bClosed)) continue;
            if (!InWindow(m_points)) {
                ++m_report.nOutsideWindow;
                continue;
            }
            CountRead(item.pPlace);
            if (item.kind == EntityKind::LwPolyline && m_scan.lwpolylines[item.i].bBulge)
                ++m_report.nBulged;
            polylines.AddNew();
            CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
            CVector3 point;
            for (size_t k = 0; k + 2 < m_points.size(); k += 3) {
                point.Set(m_points[k], m_points[k + 1], m_points[k + 2]);
                pPolyline->AddPoint(point);
            }
            offsets.push_back(item.pPlace->nOffset);
            origins.push_back({item.kind, item.pPlace->layer, item.pPlace->nOffset, bClosed});
        }
    }

    // The points of the entity as the list takes them, in m_points (x, y, z in turn); false,
    // with the reason counted, for one that the choices or its data leave out.
    bool Points(EntityKind kind, size_t i, bool& bClosed) {
        m_points.clear();
        switch (kind) {
        case EntityKind::LwPolyline: {
            const LwPolyline& lw = m_scan.lwpolylines[i];
            if (lw.xy.empty()) {
                ++m_report.nWithoutVertices;
                return false;
            }
            if (!Chosen(&lw)) return false;
            bClosed = lw.bClosed;
            for (size_t k = 0; k + 1 < lw.xy.size(); k += 2)
                AppendRemapped(lw.xy[k], lw.xy[k + 1], lw.elevation, lw.extrusion);
            return true;
        }
        case EntityKind::Spline: {
            // Its points are the drawing's own coordinates: a SPLINE has no extrusion.
            const SplineEntity& spline = m_scan.splines[i];
            const SplineCurve& curve = spline.curve;
            if (curve.control.empty()) {
                ++(spline.nFitPoints > 0 ? m_report.nFitPointsOnly : m_report.nWithoutVertices);
                return false;
            }
            if (!Chosen(&spline)) return false;
            bClosed = spline.bClosed;
            const double tolerance =
                m_choices.tolerance > 0.0 ? m_choices.tolerance : DefaultSplineTolerance(curve);
            if (FlattenSpline(curve, tolerance, m_points)) return true;
            ++m_report.nBadSplines;
            return false;
        }
        case EntityKind::Line: {
            const LineEntity& line = m_scan.lines[i];
            if (!Chosen(&line)) return false;
            m_points.assign(line.from, line.from + 3);
            m_points.insert(m_points.end(), line.to, line.to + 3);
            return true;
        }
        default: {
            const ArcEntity& arc = m_scan.arcs[i];
            std::vector<double> inPlane;
            if (!Chosen(&arc)) return false;
            if (!FlattenArc(arc.arc, m_choices.tolerance, inPlane)) {
                ++m_report.nBadArcs;
                return false;
            }
            for (size_t k = 0; k + 2 < inPlane.size(); k += 3)
                AppendRemapped(inPlane[k], inPlane[k + 1], inPlane[k + 2], arc.extrusion);
            return true;
        }
        }
    }

    // A point of an entity drawn in the plane of its extrusion, as the load permutes it.
    void AppendRemapped(double x, double y, double z, const double extrusion[3]) {
        CVector3 direction, read, point;
        direction.Set(extrusion[0], extrusion[1], extrusion[2]);
        read.Set(x, y, z);
        RemapByExtrusion(read, direction, point);
        m_points.insert(m_points.end(), {point.X(), point.Y(), point.Z()});
    }

    bool InWindow(double x, double y) const {
        const std::array<double, 4>& w = m_choices.window;
        return !m_choices.bWindow || (x >= w[0] && x <= w[2] && y >= w[1] && y <= w[3]);
    }

    bool InWindow(const std::vector<double>& points) const {
        for (size_t k = 0; k + 2 < points.size(); k += 3)
            if (!InWindow(points[k], points[k + 1])) return false;
        return true;
    }

    bool InWindow(CPolyline& polyline) const {
        for (const CVertex* v = polyline.m_pFirst; v; v = v->m_pNext)
            if (!InWindow(v->m_Point.X(), v->m_Point.Y())) return false;
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
                 std::vector<PolylineOrigin>& origins, std::vector<TextLabel>& labels) {
    report = LoadReport();
    origins.clear();
    labels.clear();
    LoadTrace trace;
    trace.bAllPolylines = choices.bAllPolylines;
    LoadAndScan(file, polylines, nPointCount, trace,
                {choices.bLwPolylines, choices.bSplines, choices.bLines, choices.bTexts}, scan);
    for (const auto* pNames : {&choices.layers, &choices.excludedLayers})
        for (const std::string& chosen : *pNames)
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
    const std::array<double, 4>& w = choices.window;
    for (const TextEntity& text : scan.texts)
        if (!(choices.bModelOnly && text.bPaperSpace) &&
            (!choices.bWindow ||
             (text.x >= w[0] && text.x <= w[2] && text.y >= w[1] && text.y <= w[3])))
            labels.push_back({text.x, text.y, text.text, text.nOffset});
}
