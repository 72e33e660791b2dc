// The curves of form: the hydrostatics over a range of waterlines, as stability booklets and
// the sheet of curves against draught give them. The sections are cut afresh at each waterline,
// so that each row is what --idrostatica prints at that waterline.
#pragma once

#include "Hydrostatics.h"
#include "Sections.h"

#include <string>
#include <vector>

// nSteps + 1 waterlines evenly from the first z to the last, in the drawing's units.
struct WaterlineRange {
    double from = 0.0, to = 0.0;
    int nSteps = 1;
};

// One row a waterline, from the lowest up; false with a one-line Italian refusal when a
// waterline lies at or below the keel, above every section's top, or cuts the sections into no
// hull. The notes of the whole run (the sections left out of the rows where they are dry, and
// when bMirrored those taken across to port) go once into notes.
bool ComputeCurvesOfForm(const SectionSet& sections, const WaterlineRange& range, bool bMirrored,
                         std::vector<Hydrostatics>& rows, std::string& notes, std::string& refusal);

// The table as CSV: the header line, then one line a row, "%e" numbers, LF line ends.
std::string CurvesOfFormCsv(const std::vector<Hydrostatics>& rows);
