#include "HullOutputs.h"

#include "BodyPlan.h"
#include "CurvesOfForm.h"
#include "CurvesOfFormSvg.h"
#include "DrawingUnits.h"
#include "Hydrostatics.h"
#include "NumberText.h"
#include "PanelMesh.h"
#include "PdstripOffsets.h"
#include "Sections.h"
#include "Stations.h"
#include "Stiffness.h"

bool AtOneWaterline(HullForm form) {
    return form != kHullCurvesOfForm && form != kHullCurvesOfFormSvg;
}

namespace {

// A hull this short or this long was most likely read in the wrong unit: a drawing in decimetres
// read as metres is ten times too big.
std::string UnitNote(const SectionSet& sections) {
    const double length = sections.sections.back().x - sections.sections.front().x;
    if (length >= 0.2 && length <= 500.0) return "";
    std::string note = "Nota: lo scafo risulta lungo ";
    AppendExponent(note, length);
    return note + " m: l'unità del disegno è quella giusta? --unita la indica (mm, cm, dm, m, in, "
                  "ft).\n";
}

// The outputs at the one waterline of --galleggiamento.
bool PrepareAtWaterline(const SectionSet& sections, const HullChoices& choices,
                        const bool bAsked[kHullFormCount], HullTexts& texts, std::string& refusal) {
    StationSet set;
    if (!CutAtWaterline(sections, choices.waterline, set, refusal)) return false;
    // In a body plan drawn flat the aft stations stand on the starboard side by convention.
    texts.notes += CutNotes(set, !choices.bBodyPlan);
    const Hydrostatics h = ComputeHydrostatics(set);
    if (!CheckFloating(h, refusal)) return false;
    if (bAsked[kHullPdstrip] &&
        !BuildPdstripOffsets(set, choices.nSegments, texts.forms[kHullPdstrip], refusal))
        return false;
    if (bAsked[kHullNemoh] || bAsked[kHullGdf]) {
        PanelMesh mesh;
        if (!BuildPanelMesh(set, choices.nSegments, mesh, refusal)) return false;
        if (bAsked[kHullNemoh]) texts.forms[kHullNemoh] = NemohMeshText(mesh);
        if (bAsked[kHullGdf]) texts.forms[kHullGdf] = WamitGdfText(mesh);
    }
    if (bAsked[kHullLid]) {
        PanelMesh lid;
        if (!BuildLid(set, choices.nSegments, lid, refusal)) return false;
        texts.forms[kHullLid] = NemohMeshText(lid);
    }
    if (bAsked[kHullStiffness] || bAsked[kHullNemohHydrostatics]) {
        const double* g = choices.centreOfGravity;
        const double scale = sections.scale;
        const HullPoint centre = choices.bCentreOfGravity
                                     ? HullPoint{g[0] * scale, g[1] * scale, g[2] * scale}
                                     : AssumedCentreOfGravity(h, scale, texts.notes);
        texts.forms[kHullStiffness] = StiffnessText(HydrostaticStiffness(h, centre));
        texts.forms[kHullNemohHydrostatics] = NemohHydrostaticsText(h, centre);
    }
    if (choices.bHydrostatics) texts.hydrostatics = HydrostaticsText(h);
    return true;
}

// The table and the sheet of the curves of form, over the range of --galleggiamenti.
bool PrepareOverRange(const SectionSet& sections, const HullChoices& choices,
                      const HullDrawing& drawing, const bool bAsked[kHullFormCount],
                      HullTexts& texts, std::string& refusal) {
    std::vector<Hydrostatics> rows;
    std::string notes;
    const WaterlineRange range{choices.waterlineFrom, choices.waterlineTo, choices.nWaterlineSteps};
    if (!ComputeCurvesOfForm(sections, range, !choices.bBodyPlan, rows, notes, refusal))
        return false;
    // What the cut at --galleggiamento told already is not told twice.
    for (size_t at = 0, end; at < notes.size(); at = end) {
        end = notes.find('\n', at) + 1;
        if (texts.notes.find(notes.substr(at, end - at)) == std::string::npos)
            texts.notes += notes.substr(at, end - at);
    }
    if (bAsked[kHullCurvesOfForm]) texts.forms[kHullCurvesOfForm] = CurvesOfFormCsv(rows);
    if (bAsked[kHullCurvesOfFormSvg])
        texts.forms[kHullCurvesOfFormSvg] = CurvesOfFormSvg(rows, drawing.name);
    return true;
}

} // namespace

bool PrepareHull(CPolylineList& polylines, const HullDrawing& drawing, const HullChoices& choices,
                 const bool bAsked[kHullFormCount], HullTexts& texts, std::string& refusal) {
    SectionChoices sectionChoices;
    sectionChoices.scale = MetresPerUnit(choices.nUnits ? choices.nUnits : drawing.nUnits);
    if (sectionChoices.scale == 0.0) {
        sectionChoices.scale = 1.0;
        texts.notes += "Nota: il disegno non dice in che unit\xC3\xA0 \xC3\xA8 ($INSUNITS): le "
                       "misure sono prese in metri; --unita la indica.\n";
    }
    sectionChoices.bSectionsOnly = choices.bSectionsOnly;
    std::vector<DrawnCurve> curves = CurvesOf(polylines, drawing.origins);
    if (choices.bBodyPlan) {
        std::vector<DrawnCurve> placed;
        const bool bPlaced = PlaceBodyPlan(curves, drawing.labels, choices.bodyPlan,
                                           sectionChoices.scale, placed, texts.notes, refusal);
        if (!bPlaced) return false;
        curves = std::move(placed);
    }
    SectionSet sections;
    const bool bBuilt = BuildSections(curves, sectionChoices, sections, refusal);
    texts.notes += sections.notes;
    if (!bBuilt) return false;
    texts.notes += UnitNote(sections);
    bool bAtWaterline = choices.bHydrostatics, bOverRange = false;
    for (int form = 0; form < kHullFormCount; ++form) {
        bAtWaterline = bAtWaterline || (bAsked[form] && AtOneWaterline(HullForm(form)));
        bOverRange = bOverRange || (bAsked[form] && !AtOneWaterline(HullForm(form)));
    }
    return (!bAtWaterline || PrepareAtWaterline(sections, choices, bAsked, texts, refusal)) &&
           (!bOverRange || PrepareOverRange(sections, choices, drawing, bAsked, texts, refusal));
}
