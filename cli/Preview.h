// A picture of what was read, for a person to look at before exporting: the body plan (the
// sections in the y-z plane, aft ones on the left of the centreline, forward ones on the right)
// beside the profile (x-z), as a self-contained SVG document.
#pragma once

#include "Polyline.h"

#include <string>

// What the picture knows of the hull besides its polylines.
struct PreviewFrame {
    bool bWaterline = false;
    double waterline = 0.0;        // its z, in the drawing's units
    const char* pszUnit = nullptr; // the drawing's unit by name, for the axes; none if unknown
};

// The document for the list, titled with the drawing's name and both counts.
std::string PreviewSvg(CPolylineList& polylines, const std::string& drawingName,
                       INT32 nPolylineCount, INT32 nPointCount, const PreviewFrame& frame);
