// The load of a drawing into the polyline model, shared by the dialog and the converter.
#pragma once

#include "DxfFile.h"
#include "Polyline.h"

// What a caller may add to the load: which polylines to take, and polylines of its own to put
// in their places in the file. The dialog loads without one; the converter's, without its
// reading options, takes what the load would. Offsets are those of the "POLYLINE" keywords the
// load's search finds.
class CLoadHook {
public:
    virtual ~CLoadHook() = default;
    // A header was read whose flags leave the polyline out (16 or more); true takes it all the
    // same, and TakePolyline decides.
    virtual bool TakeFlagged(ULONGLONG nKeyword, INT32 nFlags) = 0;
    // A header was read of a polyline the flags do not leave out, or one TakeFlagged took;
    // false leaves it out (its vertices are passed over).
    virtual bool TakePolyline(ULONGLONG nKeyword) = 0;
    // The polyline just taken kept no vertex, and was not appended.
    virtual void TakenWithoutVertices() = 0;
    // Appends the caller's polylines that lie before nOffset in the file, counting their
    // points; called before each polyline is appended, and with the largest offset at the end.
    virtual void AppendBefore(ULONGLONG nOffset, CPolylineList& polylines, INT32& nPointCount) = 0;

    // Leave out the vertices flagged 16: the control frame of a spline-fit polyline, which is
    // not on its curve.
    bool m_bLeaveFramesOut = false;
};

// Reads every polyline of the entities section of an open drawing into the list, which is
// emptied first: meshes and other polylines with flags of 16 or more are left out, each point
// is permuted by its polyline's extrusion direction, and the list ends sorted. The point count
// grows as vertices are appended, and the polyline count is set once all are read, so that an
// exception half-way leaves the polylines read so far and the point count that goes with them.
void LoadPolylines(CDxfFile& file, CPolylineList& polylines, INT32& nPolylineCount,
                   INT32& nPointCount, CLoadHook* pHook = nullptr);

// Puts the polylines in ascending order of the x of their first vertex; equal ones keep the
// order in which they were read.
void SortPolylines(CPolylineList& polylines);

// The point appended for a vertex read as (x, y, z) in a polyline with this extrusion
// direction: (z, x, y) for the x axis, (y, z, x) for the y axis, otherwise unchanged.
void RemapByExtrusion(CVector3& read, const CVector3& extrusion, CVector3& point);
