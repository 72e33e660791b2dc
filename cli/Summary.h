// What the converter says about a drawing besides the two counts: the summary that
// --riepilogo asks for, and the notes on what the load left out.
#pragma once

#include "Polyline.h"
#include "ReadDrawing.h"

#include <string>

// The lines after the counts, each ended by LF: version, units, entities, what was left out,
// layers, extent, and one line per section as the header line of the .dat form.
std::string SummaryText(const DrawingScan& scan, const LoadReport& report,
                        CPolylineList& polylines);

// One line for each kind of entity that the load did not read and a user may have meant as a
// section, and for each choice that found nothing; "" when there is nothing to say.
std::string NotesText(const LoadReport& report);
