// Where a polyline of a loaded drawing comes from, and the texts written beside it: what a body
// plan's reading needs of the drawing besides the points.
#pragma once

#include "Types.h"

#include <string>

// Which entity a polyline of the list was read from.
enum class EntityKind { Polyline, LwPolyline, Spline, Line, Arc };

struct PolylineOrigin {
    EntityKind kind = EntityKind::Polyline;
    std::string layer = "0";
    ULONGLONG nOffset = 0; // where the entity starts in the file: the drawing's order
    bool bClosed = false;  // flag 1 of a POLYLINE, LWPOLYLINE or SPLINE
    // The elevation of a 2D POLYLINE, from its header: its points, as the load reads them, lie
    // at their vertices' z. 0 for any other entity, whose points hold their elevation.
    double elevation = 0.0;
};

// A TEXT, MTEXT or ATTRIB of the drawing, where it stands on the sheet (a text of a block where
// the block's reference puts it), its content without MTEXT's formatting codes.
struct TextLabel {
    double x = 0.0, y = 0.0;
    std::string text;
    ULONGLONG nOffset = 0; // of the entity, or of the block reference that places it
};
