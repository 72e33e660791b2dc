#include "DxfLoad.h"

#include "FileException.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace {

constexpr INT32 kFirstSkippedFlags = 16; // polygon and polyface meshes and above
constexpr INT32 kFrameVertex = 16;       // a vertex flag: a spline frame's control point

// The order in which a selection of the smallest x takes the polylines, with x the first
// vertex's x of each (positions are 1-based). Each round scans the polylines left in list
// order, starts from the first and moves on to any strictly smaller x: equal x keep their list
// order (-0.0 equals 0.0), and an x that is not a number is never moved on to, so it is taken
// only when it stands first of those left. Sorting the numbers once gives the same rounds
// without the scans.
std::vector<INT32> SelectionOrder(const std::vector<INT32>& positions,
                                  const std::vector<double>& x) {
    const size_t n = positions.size();
    std::vector<size_t> byX;
    byX.reserve(n);
    for (size_t k = 0; k < n; ++k)
        if (!std::isnan(x[k])) byX.push_back(k);
    std::stable_sort(byX.begin(), byX.end(), [&x](size_t a, size_t b) { return x[a] < x[b]; });
    std::vector<bool> taken(n, false);
    std::vector<INT32> order;
    order.reserve(n);
    size_t nFirst = 0, nNext = 0;
    while (order.size() < n) {
        while (taken[nFirst])
            ++nFirst;
        const size_t k = std::isnan(x[nFirst]) ? nFirst : byX[nNext++];
        taken[k] = true;
        order.push_back(positions[k]);
    }
    return order;
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

bool TakesFlags(INT32 nFlags, bool bAllPolylines) {
    return nFlags < kFirstSkippedFlags || (bAllPolylines && !(nFlags & kMeshFlags));
}

void LoadPolylinesInFileOrder(CDxfFile& file, CPolylineList& polylines, INT32& nPointCount,
                              LoadTrace* pTrace) {
    CDxfVertex vertex; // one record for the whole file: a missing coordinate carries over
    file.SeekToBegin();
    file.FindEntities();
    polylines.RemoveAll();
    nPointCount = 0;
    LoadPolylinesFrom(file, polylines, nPointCount, pTrace, vertex);
}

ULONGLONG LoadPolylinesFrom(CDxfFile& file, CPolylineList& polylines, INT32& nPointCount,
                            LoadTrace* pTrace, CDxfVertex& vertex, ULONGLONG nStopAt) {
    CVector3 extrusion;
    INT32 nFlags = 0, n71 = 0, n72 = 0;
    CVector3 point;
    const bool bAllPolylines = pTrace && pTrace->bAllPolylines;

    while (file.FindNextPolyline()) {
        const ULONGLONG nKeyword = file.GetPosition();
        if (nKeyword >= nStopAt) return nKeyword;
        if (!file.ReadPolylineHeader(nFlags, n71, n72, extrusion)) {
            // Not a header: go on from just after this keyword, so that a polyline starting
            // inside the window just read is still found.
            file.Seek(static_cast<LONGLONG>(nKeyword) + 8, CFile::begin);
            continue;
        }
        if (pTrace) pTrace->headers.push_back({nKeyword, nFlags, false});
        // A polyline left out: the search goes on over its vertices.
        if (!TakesFlags(nFlags, bAllPolylines)) continue;
        // Appended with the first vertex it keeps: a header is only read with a vertex after
        // it, so only a polyline all of whose vertices are a frame's is not.
        CPolyline* pPolyline = nullptr;
        while (file.ReadVertex(vertex)) {
            if (bAllPolylines && (vertex.m_nFlags & kFrameVertex)) continue;
            if (!pPolyline) {
                polylines.AddNew();
                pPolyline = polylines.GetAt(polylines.GetCount());
                if (pTrace) pTrace->headers.back().bAppended = true;
            }
            RemapByExtrusion(vertex.m_Point, extrusion, point);
            pPolyline->AddPoint(point);
            nPointCount = static_cast<INT32>(static_cast<UINT>(nPointCount) + 1u);
        }
    }
    return ~0ULL;
}

std::vector<INT32> SortPolylines(CPolylineList& polylines) {
    const INT32 nCount = polylines.GetCount();
    if (nCount == 0) return {};
    std::vector<INT32> positions, empty;
    std::vector<double> x;
    try {
        positions.reserve(static_cast<size_t>(nCount));
        x.reserve(static_cast<size_t>(nCount));
        for (INT32 i = 1; i <= nCount; ++i) {
            if (CVertex* pFirst = polylines.GetAt(i)->GetVertex(1)) {
                positions.push_back(i);
                x.push_back(pFirst->m_Point.X());
            } else {
                empty.push_back(i);
            }
        }
        // The load leaves no polyline without vertices; one made otherwise goes after the
        // rest, in list order.
        std::vector<INT32> order = SelectionOrder(positions, x);
        order.insert(order.end(), empty.begin(), empty.end());
        polylines.Reorder(order);
        return order;
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}
