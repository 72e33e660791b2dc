#include "LoadAndScan.h"

#include <cmath>
#include <exception>
#include <limits>
#include <system_error>
#include <thread>

namespace {

constexpr ULONGLONG kNone = ~0ULL;

// The last part of the drawing, loaded by the scan's thread from the first keyword the load's
// search finds past the split.
class Tail {
public:
    Tail(CFile& drawing, bool bAllPolylines, const LoadSplit& split) {
        m_trace.bAllPolylines = bAllPolylines;
        const ULONGLONG nLength = drawing.GetLength();
        if (nLength < split.nFrom || !m_file.OpenReaderOf(drawing)) return;
        m_file.Seek(static_cast<LONGLONG>(nLength / 100 * split.nPercent +
                                          nLength % 100 * split.nPercent / 100),
                    CFile::begin);
        if (m_file.FindNextPolyline()) m_nFirst = m_file.GetPosition();
    }

    ULONGLONG First() const { return m_nFirst; }

    void Load() noexcept {
        // The record carried from vertex to vertex holds no coordinate yet: a vertex that
        // takes one from it shows as not a number, which no coordinate read from a drawing is,
        // and the tail is then left to the load of this thread, which knows the record.
        CDxfVertex vertex;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        vertex.m_Point.Set(nan, nan, nan);
        try {
            m_file.Seek(static_cast<LONGLONG>(m_nFirst), CFile::begin);
            LoadPolylinesFrom(m_file, m_polylines, m_nPointCount, &m_trace, vertex);
            m_bLoaded = !TookFromRecord();
        } catch (...) {
            m_bLoaded = false; // this thread's load meets the same failure, if it is one
        }
    }

    // Appends the tail to what the other load read up to where it began; false where the tail
    // does not give what that load would (it is then to go on by itself).
    bool JoinTo(ULONGLONG nMet, CPolylineList& polylines, INT32& nPointCount, LoadTrace& trace) {
        if (!m_bLoaded || nMet != m_nFirst) return false;
        polylines.TakeOver(m_polylines);
        nPointCount =
            static_cast<INT32>(static_cast<UINT>(nPointCount) + static_cast<UINT>(m_nPointCount));
        trace.headers.insert(trace.headers.end(), m_trace.headers.begin(), m_trace.headers.end());
        return true;
    }

private:
    bool TookFromRecord() {
        for (INT32 i = 1; i <= m_polylines.GetCount(); ++i) {
            CPolyline& polyline = *m_polylines.GetAt(i);
            for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
                const CVector3& point = polyline.GetVertex(k)->m_Point;
                if (std::isnan(point.X()) || std::isnan(point.Y()) || std::isnan(point.Z()))
                    return true;
            }
        }
        return false;
    }

    CDxfFile m_file;
    ULONGLONG m_nFirst = kNone;
    CPolylineList m_polylines;
    INT32 m_nPointCount = 0;
    LoadTrace m_trace;
    bool m_bLoaded = false;
};

} // namespace

void LoadAndScan(CDxfFile& file, CPolylineList& polylines, INT32& nPointCount, LoadTrace& trace,
                 const ScanDetail& detail, DrawingScan& scan, const LoadSplit& split) {
    CFile second;
    Tail tail(file, trace.bAllPolylines, split);
    std::exception_ptr scanFailure;
    std::jthread scanning; // joined on every way out: a failing load waits for the scan to end
    try {
        if (second.OpenReaderOf(file))
            scanning = std::jthread([&] {
                try {
                    ScanDrawing(second, detail, scan);
                } catch (...) {
                    scanFailure = std::current_exception();
                    return;
                }
                if (tail.First() != kNone) tail.Load();
            });
    } catch (const std::system_error&) {
        // No thread to be had (no memory for its stack): the reading needs none.
    }
    CDxfVertex vertex; // one record for the whole file: a missing coordinate carries over
    file.SeekToBegin();
    file.FindEntities();
    polylines.RemoveAll();
    nPointCount = 0;
    const bool bThreads = scanning.joinable();
    const ULONGLONG nMet = LoadPolylinesFrom(file, polylines, nPointCount, &trace, vertex,
                                             bThreads ? tail.First() : kNone);
    if (bThreads) scanning.join();
    if (nMet != kNone && !tail.JoinTo(nMet, polylines, nPointCount, trace))
        LoadPolylinesFrom(file, polylines, nPointCount, &trace, vertex);
    if (!bThreads) ScanDrawing(file, detail, scan);
    if (scanFailure) std::rethrow_exception(scanFailure);
}
