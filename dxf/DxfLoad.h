// The load of a drawing's polylines through the windowed reader, and their sort.
#pragma once

#include "DxfFile.h"
#include "Polyline.h"

#include <vector>

// What the converter learns from the load beyond its polylines: every header read, in file
// order, so that the polylines can be matched with the entities of the drawing's scan once both
// are done. Offsets are those of the "POLYLINE" keywords the load's search finds.
struct LoadTrace {
    struct Header {
        ULONGLONG nKeyword = 0;
        INT32 nFlags = 0;
        bool bAppended = false; // taken, with at least one vertex kept
    };
    // Also take the polylines with flags of 16 or more that are no mesh (neither bit 16 nor
    // 64), leaving out their vertices flagged 16: a spline-fit polyline's control frame, which
    // is not on its curve.
    bool bAllPolylines = false;
    std::vector<Header> headers;
};

constexpr INT32 kMeshFlags = 16 | 64; // a polygon mesh, a polyface mesh

// Whether the load takes a polyline with these flags: those under 16 always, the others that
// are no mesh when the trace asks for every polyline.
bool TakesFlags(INT32 nFlags, bool bAllPolylines);

// Reads every polyline of the entities section of an open drawing into the list, which is
// emptied first, in file order: meshes and other polylines with flags of 16 or more are left
// out (see LoadTrace), and each point is permuted by its polyline's extrusion direction. The
// point count grows as vertices are appended, so that an exception half-way leaves the
// polylines read so far and the point count that goes with them.
void LoadPolylinesInFileOrder(CDxfFile& file, CPolylineList& polylines, INT32& nPointCount,
                              LoadTrace* pTrace = nullptr);

// The same from where the file stands, appending to the list and the count: the vertex record
// is the one carried from vertex to vertex (a coordinate a vertex lacks is the one before it).
// Stops where the keyword search finds nothing, giving ~0, or finds a keyword at or after
// nStopAt, giving its offset with the file standing at it, so that a later call goes on there.
ULONGLONG LoadPolylinesFrom(CDxfFile& file, CPolylineList& polylines, INT32& nPointCount,
                            LoadTrace* pTrace, CDxfVertex& vertex, ULONGLONG nStopAt = ~0ULL);

// Puts the polylines in ascending order of the x of their first vertex; equal ones keep the
// order in which they were read. Gives the order: position k now holds the polyline that stood
// at the k-th position it names.
std::vector<INT32> SortPolylines(CPolylineList& polylines);

// The point appended for a vertex read as (x, y, z) in a polyline with this extrusion
// direction: (z, x, y) for the x axis, (y, z, x) for the y axis, otherwise unchanged.
void RemapByExtrusion(CVector3& read, const CVector3& extrusion, CVector3& point);
