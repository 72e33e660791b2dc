#include "ReadChoices.h"

#include <algorithm>

namespace {

class ChosenReading : public CLoadHook {
public:
    ChosenReading(const ReadChoices& choices, const DrawingScan& scan, LoadReport& report)
        : m_choices(choices), m_scan(scan), m_report(report), m_seen(scan.polylines.size(), false) {
    }

    bool TakePolyline(ULONGLONG nKeyword) override {
        const PolylineEntity* pEntity = Entity(nKeyword);
        // A keyword that is no POLYLINE entity of ENTITIES (a word inside a text, say) has no
        // layer, and so none of those chosen.
        const std::string layer = pEntity ? pEntity->layer : std::string();
        if (!pEntity && !m_choices.layers.empty()) return LeftOutByLayer();
        if (!LayerChosen(layer)) return LeftOutByLayer();
        ++m_report.layersRead[layer];
        return true;
    }

    void LeftOutByFlags(ULONGLONG nKeyword) override {
        Entity(nKeyword);
        ++m_report.nByFlags;
    }

    void AppendBefore(ULONGLONG nOffset, CPolylineList& polylines, INT32& nPointCount) override {
        if (!m_choices.bLwPolylines) return;
        for (; m_nNextLw < m_scan.lwpolylines.size(); ++m_nNextLw) {
            const LwPolyline& lw = m_scan.lwpolylines[m_nNextLw];
            if (lw.nOffset >= nOffset) return;
            if (lw.xy.empty()) {
                ++m_report.nWithoutVertices;
            } else if (!LayerChosen(lw.layer)) {
                LeftOutByLayer();
            } else {
                Append(lw, polylines, nPointCount);
                ++m_report.layersRead[lw.layer];
                if (lw.bBulge) ++m_report.nBulged;
            }
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
                             [](ULONGLONG n, const PolylineEntity& e) { return n < e.nFrom; });
        if (it == entities.begin() || nKeyword >= (it - 1)->nTo) return nullptr;
        m_seen[static_cast<size_t>(it - 1 - entities.begin())] = true;
        return &*(it - 1);
    }

    bool LayerChosen(const std::string& layer) const {
        if (m_choices.layers.empty()) return true;
        return std::any_of(
            m_choices.layers.begin(), m_choices.layers.end(),
            [&layer](const std::string& chosen) { return SameLayer(chosen, layer); });
    }

    bool LeftOutByLayer() {
        ++m_report.nOtherLayers;
        return false;
    }

    static void Append(const LwPolyline& lw, CPolylineList& polylines, INT32& nPointCount) {
        CVector3 extrusion, read, point;
        extrusion.Set(lw.extrusion[0], lw.extrusion[1], lw.extrusion[2]);
        polylines.AddNew();
        CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
        for (size_t i = 0; i + 1 < lw.xy.size(); i += 2) {
            read.Set(lw.xy[i], lw.xy[i + 1], lw.elevation);
            RemapByExtrusion(read, extrusion, point);
            pPolyline->AddPoint(point);
            nPointCount = static_cast<INT32>(static_cast<UINT>(nPointCount) + 1u);
        }
    }

    const ReadChoices& m_choices;
    const DrawingScan& m_scan;
    LoadReport& m_report;
    std::vector<bool> m_seen; // of each POLYLINE entity
    size_t m_nNextLw = 0;
};

} // namespace

void ReadDrawing(CDxfFile& file, const ReadChoices& choices, CPolylineList& polylines,
                 INT32& nPolylineCount, INT32& nPointCount, DrawingScan& scan, LoadReport& report) {
    report = LoadReport();
    ScanDrawing(file, choices.bLwPolylines, scan);
    for (const std::string& chosen : choices.layers)
        if (std::none_of(scan.layers.begin(), scan.layers.end(),
                         [&chosen](const std::string& l) { return SameLayer(chosen, l); }))
            report.absentLayers.push_back(chosen);
    if (!choices.bLwPolylines) report.nLwPolylines = static_cast<int>(scan.lwpolylines.size());

    ChosenReading reading(choices, scan, report);
    LoadPolylines(file, polylines, nPolylineCount, nPointCount, &reading);
    report.nWithoutVertices += reading.Unseen();
}
