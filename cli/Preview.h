// A picture of what was read, for a person to look at before exporting: the body plan (every
// polyline in the y-z plane) beside the profile (x-z), as a self-contained SVG document.
#pragma once

#include "Polyline.h"

#include <string>

// The document for the list, titled with the drawing's name and both counts.
std::string PreviewSvg(CPolylineList& polylines, const std::string& drawingName,
                       INT32 nPolylineCount, INT32 nPointCount);
