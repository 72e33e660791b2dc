// The hull's side of the converter: its options, the texts of its outputs, all made and checked
// before any file of the run is opened, and the hydrostatics printed with the counts.
#pragma once

#include "Polyline.h"

#include <string>

// What the options say of the hull. The waterline and the unit stay here, where the picture
// can reach them too.
struct HullChoices {
    bool bWaterline = false;
    double waterline = 0.0; // the z of the still waterline, in the drawing's units
    double unitScale = 0.0; // metres per unit, from --unita; 0 when the drawing tells it
    int nUnits = 0;         // the same unit as a $INSUNITS code
    int nSegments = 20;     // per half section, for PDSTRIP and the meshes
    bool bHydrostatics = false;
};

enum HullForm { kHullPdstrip, kHullNemoh, kHullGdf, kHullFormCount };

// Takes argv[i] when it is --galleggiamento, --unita, --punti-sezione or --idrostatica:
// 1 when taken, 0 when it is none of them, 2 when a usage error was printed.
int TakeHullOption(int argc, char** argv, int& i, HullChoices& choices);

struct HullTexts {
    std::string forms[kHullFormCount]; // those asked for
    std::string hydrostatics;          // the lines after the counts, when asked for
    std::string notes;                 // for standard error
};

// Makes the stations and the texts of the outputs asked for; false with the one-line refusal
// when the polylines make no hull those outputs can be written from. nDrawingUnits is the
// drawing's $INSUNITS.
bool PrepareHull(CPolylineList& polylines, int nDrawingUnits, const HullChoices& choices,
                 const bool bAsked[kHullFormCount], HullTexts& texts, std::string& refusal);
