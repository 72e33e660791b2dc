// The text of one polyline in each of the three output forms. Every line ends in LF, counts are
// "%i", coordinates "%e" with three exponent digits and a point for decimal separator.
#pragma once

#include "Polyline.h"
#include "String.h"

// "Spezzata di  N punti", then "x,y,z" per vertex. A polyline without vertices gives its
// header line alone.
void BuildPointListBlock(CPolyline& polyline, CString& block);
// The section at the x of the first vertex: "x    N", then "    y    z" per vertex. A polyline
// without vertices has no station and gives no text.
void BuildSectionDatBlock(CPolyline& polyline, CString& block);
// The first line of a .dat section alone: the station and the number of points, LF-ended; ""
// for a polyline without vertices.
void BuildSectionDatHeader(CPolyline& polyline, CString& line);
// As the .dat section with a comma in place of each run of four spaces.
void BuildSectionCsvBlock(CPolyline& polyline, CString& block);
