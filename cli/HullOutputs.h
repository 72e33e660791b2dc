// The hull's side of the converter: the texts of its outputs, all made and checked before any
// file of the run is opened, and the hydrostatics printed with the counts.
#pragma once

#include "BodyPlan.h"
#include "Polyline.h"
#include "PolylineOrigin.h"

#include <string>
#include <vector>

// What the options say of the hull. The waterline and the unit stay here, where the picture
// can reach them too.
struct HullChoices {
    bool bWaterline = false;
    double waterline = 0.0; // the z of the still waterline, in the drawing's units
    int nUnits = 0;         // --unita as a $INSUNITS code; 0 when the drawing tells it
    int nSegments = 20;     // per half section, for PDSTRIP and the meshes
    bool bHydrostatics = false;
    bool bSectionsOnly = false; // leave out the polylines that lie at no one x
    bool bBodyPlan = false;     // the sections are drawn flat on the sheet
    BodyPlanChoices bodyPlan;
    bool bCentreOfGravity = false;
    double centreOfGravity[3] = {}; // x, y, z in the drawing's units and frame
    // The waterlines of the curves of form: nSteps + 1 of them, evenly from the first to the
    // last z, in the drawing's units.
    bool bWaterlines = false;
    double waterlineFrom = 0.0, waterlineTo = 0.0;
    int nWaterlineSteps = 0;
};

enum HullForm {
    kHullPdstrip,
    kHullNemoh,
    kHullGdf,
    kHullStiffness,
    kHullNemohHydrostatics,
    kHullLid,
    kHullCurvesOfForm,
    kHullCurvesOfFormSvg,
    kHullFormCount
};

// Whether the form is drawn at the one waterline of --galleggiamento (rather than over the
// range of --galleggiamenti).
bool AtOneWaterline(HullForm form);

struct HullTexts {
    std::string forms[kHullFormCount]; // those asked for
    std::string hydrostatics;          // the lines after the counts, when asked for
    std::string notes;                 // for standard error
};

// What the drawing gives the hull beside its polylines.
struct HullDrawing {
    int nUnits = 0;                      // its $INSUNITS
    std::vector<PolylineOrigin> origins; // of each polyline of the sorted list
    std::vector<TextLabel> labels;       // the texts that may number its stations
    std::string name;                    // as the pictures' titles name it
};

// Makes the stations and the texts of the outputs asked for; false with the one-line refusal
// when the polylines make no hull those outputs can be written from.
bool PrepareHull(CPolylineList& polylines, const HullDrawing& drawing, const HullChoices& choices,
                 const bool bAsked[kHullFormCount], HullTexts& texts, std::string& refusal);
