// The curves of form as naval architects draw them: the draught up the side, each quantity a
// labelled curve across, each scale of its own along the top or the bottom of the sheet.
#pragma once

#include "Hydrostatics.h"

#include <string>
#include <vector>

// The sheet of the rows (two or more, from the lowest waterline up) as an SVG document, titled
// with the drawing's name.
std::string CurvesOfFormSvg(const std::vector<Hydrostatics>& rows, const std::string& drawingName);
