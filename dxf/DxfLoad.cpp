#include "DxfLoad.h"

namespace {

constexpr INT32 kFirstSkippedFlags = 16; // polygon and polyface meshes and above

bool FirstXLess(CPolyline& a, CPolyline& b) {
    // The load leaves no polyline without vertices; one made otherwise sorts after the rest.
    CVertex* pa = a.GetVertex(1);
    CVertex* pb = b.GetVertex(1);
    if (!pa || !pb) return pa && !pb;
    return pa->m_Point.X() < pb->m_Point.X();
}

} // namespace

void RemapByExtrusion(CVector3& read, const CVector3& extrusion, CVector3& point) {
    if (extrusion.Z() == 1.0)
        point.Set(read.X(), read.Y(), read.Z());
    else if (extrusion.X() == 1.0)
        point.Set(read.Z(), read.X(), read.Y());
    else if (extrusion.Y() == 1.0)
        point.Set(read.Y(), read.Z(), read.X());
    else
        AssignVector(point, read);
}

void LoadPolylines(CDxfFile& file, CPolylineList& polylines, INT32& nPolylineCount,
                   INT32& nPointCount) {
    CVector3 extrusion;
    INT32 nFlags = 0, n71 = 0, n72 = 0;
    CDxfVertex vertex; // one record for the whole file: a missing coordinate carries over
    CVector3 point;

    file.SeekToBegin();
    file.FindEntities();
    polylines.RemoveAll();
    nPointCount = 0;
    while (file.FindNextPolyline()) {
        const ULONGLONG nKeyword = file.GetPosition();
        if (!file.ReadPolylineHeader(nFlags, n71, n72, extrusion)) {
            // Not a header: go on from just after this keyword, so that a polyline starting
            // inside the window just read is still found.
            file.Seek(static_cast<LONGLONG>(nKeyword) + 8, CFile::begin);
            continue;
        }
        if (nFlags >= kFirstSkippedFlags) continue; // the search passes over its vertices
        polylines.AddNew();
        CPolyline* pPolyline = polylines.GetAt(polylines.GetCount());
        while (file.ReadVertex(vertex)) {
            RemapByExtrusion(vertex.m_Point, extrusion, point);
            pPolyline->AddPoint(point);
            nPointCount = static_cast<INT32>(static_cast<UINT>(nPointCount) + 1u);
        }
    }
    nPolylineCount = polylines.GetCount();
    SortPolylines(polylines);
}

void SortPolylines(CPolylineList& polylines) {
    polylines.StableSort(FirstXLess);
}
