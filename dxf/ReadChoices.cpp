#include "ReadChoices.h"

#include <algorithm>

namespace {

constexpr INT32 kMeshFlags = 16 | 64; // a polygon mesh, a polyface mesh

class ChosenReading : public CLoadHook {
public:
    ChosenReading(const ReadChoices& choices, const DrawingScan& scan, LoadReport& report)
        : m_choices(choices), m_scan(scan), m_report(report), m_seen(scan.polylines.size(), false) {
        m_bLeaveFramesOut = choices.bAllPolylines;
    }

    bool TakeFlagged(ULONGLONG nKeyword, INT32 nFlags) override {
        Entity(nKeyword);
        if (nFlags & kMeshFlags) {
            ++m_report.nMeshes;
            return false;
        }
        if (!m_choices.bAllPolylines) ++m_report.nOtherFlags;
        return m_choices.bAllPolylines;
    }

    bool TakePolyline(ULONGLONG nKeyword) override {
        // A keyword that is no POLYLINE entity of ENTITIES (a word inside a text, say) has no
        // layer, and so none of those chosen, and no place in the paper space.
        m_pTaken = Entity(nKeyword);
        if (!Chosen(m_pTaken)) return false;
        CountRead(m_pTaken, 1);
        if (m_pTaken && m_pTaken->bBulge) ++m_report.nPolylinesBulged;
        return true;
    }

    void TakenWithoutVertices() override {
        CountRead(m_pTaken, -1);
        if (m_pTaken && m_pTaken->bBulge) --m_report.nPolylinesBulged;
        ++m_report.nWithoutVertices;
    }

    void AppendBefore(ULONGLONG nOffset, CPolylineList& polylines, INT32& nPointCount) override {
        const auto& lws = m_scan.lwpolylines;
        const auto& splines = m_scan.splines; // kept only when they are to be read
        for (;;) {
            const bool bLw = m_choices.bLwPolylines && m_nNextLw < lws.size();
            const bool bSpline = m_nNextSpline < splines.size();
            const bool bLwFirst =
                bLw && (!bSpline || lws[m_nNextLw].nOffset < splines[m_nNextSpline].nOffset);
            if (bLwFirst && lws[m_nNextLw].nOffset < nOffset)
                AppendLwPolyline(lws[m_nNextLw++], polylines, nPointCount);
            else if (!bLwFirst && bSpline && splines[m_nNextSpline].nOffset < nOffset)
                AppendSpline(splines[m_nNextSpline++], polylines, nPointCount);
            else
                return;
        }
    }

    // POLYLINE entities that the load saw neither take nor leave out.
    int Unseen() const { return static_cast<int>(std::count(m_seen.begin(), m_seen.end(), false)); }

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

    // n = 1 for an entity read, -1 to take it back.
    void CountRead(const EntityPlace* pPlace, int n) {
        const std::string layer = pPlace ? pPlace->layer : std::string();
        if ((m_report.layersRead[layer] += n) == 0) m_report.layersRead.erase(layer);
        if (pPlace && pPlace->bPaperSpace) m_report.nFromPaperSpace += n;
    }

    void AppendLwPolyline(const LwPolyline& lw, CPolylineList& polylines, INT32& nPointCount) {
        if (lw.xy.empty()) {
            ++m_report.nWithoutVertices;
            return;
        }
        if (!Chosen(&lw)) return;
        CountRead(&lw, 1);
        if (lw.bBulge) ++m_report.nBulged;
        CVector3 extrusion, read, point;
        extrusion.Set(lw.extrusion[0], lw.extrusion[1], lw.extrusion[2]);
        polylines.AddNew();
        CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
        for (size_t i = 0; i + 1 < lw.xy.size(); i += 2) {
            read.Set(lw.xy[i], lw.xy[i + 1], lw.elevation);
            RemapByExtrusion(read, extrusion, point);
            AddPoint(*pPolyline, point, nPointCount);
        }
    }

    // Its points are the drawing's own coordinates: a SPLINE has no extrusion to permute by.
    void AppendSpline(const SplineEntity& spline, CPolylineList& polylines, INT32& nPointCount) {
        const SplineCurve& curve = spline.curve;
        if (curve.control.empty()) {
            ++(spline.nFitPoints > 0 ? m_report.nFitPointsOnly : m_report.nWithoutVertices);
            return;
        }
        if (!Chosen(&spline)) return;
        const double tolerance =
            m_choices.tolerance > 0.0 ? m_choices.tolerance : DefaultSplineTolerance(curve);
        if (!FlattenSpline(curve, tolerance, m_points)) {
            ++m_report.nBadSplines;
            return;
        }
        CountRead(&spline, 1);
        polylines.AddNew();
        CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
        CVector3 point;
        for (size_t i = 0; i + 2 < m_points.size(); i += 3) {
            point.Set(m_points[i], m_points[i + 1], m_points[i + 2]);
            AddPoint(*pPolyline, point, nPointCount);
        }
    }

    static void AddPoint(CPolyline& polyline, const CVector3& point, INT32& nPointCount) {
        polyline.AddPoint(point);
        nPointCount = static_cast<INT32>(static_cast<UINT>(nPointCount) + 1u);
    }

    const ReadChoices& m_choices;
    const DrawingScan& m_scan;
    LoadReport& m_report;
    std::vector<bool> m_seen; // of each POLYLINE entity
    const PolylineEntity* m_pTaken = nullptr;
    size_t m_nNextLw = 0, m_nNextSpline = 0;
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

void ReadDrawing(CDxfFile& file, const ReadChoices& choices, CPolylineList& polylines,
                 INT32& nPolylineCount, INT32& nPointCount, DrawingScan& scan, LoadReport& report) {
    report = LoadReport();
    ScanDrawing(file, {choices.bLwPolylines, choices.bSplines}, scan);
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

    ChosenReading reading(choices, scan, report);
    LoadPolylines(file, polylines, nPolylineCount, nPointCount, &reading);
    report.nWithoutVertices += reading.Unseen();
    report.bAllAtOneX = AllAtOneX(polylines);
}
