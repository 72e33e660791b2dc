// The load of a drawing into the polyline model, shared by the dialog and the converter.
#pragma once

#include "DxfFile.h"
#include "Polyline.h"

// Reads every polyline of the entities section of an open drawing into the list, which is
// emptied first: meshes and other polylines with flags of 16 or more are left out, each point
// is permuted by its polyline's extrusion direction, and the list ends sorted. The point count
// grows as vertices are appended, and the polyline count is set once all are read, so that an
// exception half-way leaves the polylines read so far and the point count that goes with them.
void LoadPolylines(CDxfFile& file, CPolylineList& polylines, INT32& nPolylineCount,
                   INT32& nPointCount);

// Puts the polylines in ascending order of the x of their first vertex; equal ones keep the
// order in which they were read.
void SortPolylines(CPolylineList& polylines);

// The point appended for a vertex read as (x, y, z) in a polyline with this extrusion
// direction: (z, x, y) for the x axis, (y, z, x) for the y axis, otherwise unchanged.
void RemapByExtrusion(CVector3& read, const CVector3& extrusion, CVector3& point);
