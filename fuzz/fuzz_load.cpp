// libFuzzer target: arbitrary bytes as a drawing, loaded as the dialog loads it or, when the
// first byte is odd, as the converter reads it with every reading option (SPLINEs, LINEs, ARCs,
// texts and blocks among them, a window on the second byte's say), then as a flat body plan
// with its labels, cut at the waterline: each either gives sections or a refusal.
// The load must end and its counts agree with the list it filled; every polyline it keeps has a
// vertex and the list is in order of the first x; the three exports write one line per polyline and
// one per vertex.
//
// The bytes go to a file in memory (memfd), opened by name through /proc like any drawing, so
// that the reader runs exactly as it does on a disk file.
#include "BodyPlan.h"
#include "ExportFrame.h"
#include "ReadDrawing.h"
#include "Stations.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

[[noreturn]] void Broken(const char* pszWhat) {
    std::fprintf(stderr, "invariant broken: %s\n", pszWhat);
    std::abort();
}

const int g_nDrawing = memfd_create("disegno.dxf", 0);
const std::string g_drawingPath = "/proc/self/fd/" + std::to_string(g_nDrawing);

// Takes the exports and counts their lines.
class CLineCounter : public CFile {
public:
    void Write(const void* p, UINT nCount) override {
        m_nLines +=
            std::count(static_cast<const char*>(p), static_cast<const char*>(p) + nCount, '\n');
    }
    long long m_nLines = 0;
};

// The flat reading and the cut must end in sections or a refusal, whatever the curves.
void ReadAsBodyPlan(CPolylineList& polylines, const std::vector<PolylineOrigin>& origins,
                    const std::vector<TextLabel>& labels, bool bFromOrder) {
    const std::vector<DrawnCurve> curves = CurvesOf(polylines, origins);
    BodyPlanChoices choices;
    if (bFromOrder)
        for (size_t i = 0; i < curves.size(); ++i)
            choices.stations.push_back(static_cast<double>(i % 7));
    std::vector<DrawnCurve> placed;
    std::string notes, refusal;
    if (!PlaceBodyPlan(curves, labels, choices, 1.0, placed, notes, refusal)) {
        if (refusal.empty()) Broken("a body plan refused without a word");
        return;
    }
    SectionSet sections;
    if (!BuildSections(placed, {1.0, true}, sections, refusal)) return;
    StationSet stations;
    if (!CutAtWaterline(sections, 0.0, stations, refusal)) return;
    for (const Station& s : stations.stations)
        if (s.curve.size() < 2) Broken("a station of fewer than two points");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(g_nDrawing, 0) != 0 ||
        pwrite(g_nDrawing, data, size, 0) != static_cast<ssize_t>(size))
        Broken("the drawing could not be written to memory");
    CDxfFile file;
    if (!file.Open(g_drawingPath.c_str(), CFile::modeRead)) Broken("the drawing did not open");
    CPolylineList polylines;
    INT32 nPolylineCount = -1, nPointCount = -1;
    DrawingScan scan;
    LoadReport report;
    std::vector<PolylineOrigin> origins;
    std::vector<TextLabel> labels;
    if (size > 0 && (data[0] & 1)) {
        ReadChoices choices;
        choices.bLwPolylines = choices.bSplines = choices.bAllPolylines = true;
        choices.bLines = choices.bTexts = true;
        choices.bModelOnly = size > 1 && (data[1] & 1);
        choices.bWindow = size > 1 && (data[1] & 2);
        choices.window = {-100.0, -100.0, 100.0, 100.0};
        ReadDrawing(file, choices, polylines, nPolylineCount, nPointCount, scan, report, origins,
                    labels);
        if (origins.size() != static_cast<size_t>(polylines.GetCount())) Broken("origins");
        ReadAsBodyPlan(polylines, origins, labels, size > 1 && (data[1] & 4));
    } else
        ReadDrawing(file, polylines, nPolylineCount, nPointCount);
    file.Close();

    if (nPolylineCount != polylines.GetCount()) Broken("polyline count");
    long long nVertices = 0;
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        CPolyline& polyline = *polylines.GetAt(i);
        if (polyline.GetCount() < 1) Broken("a polyline without vertices was kept");
        nVertices += polyline.GetCount();
        if (i > 1 &&
            polyline.GetVertex(1)->m_Point.X() < polylines.GetAt(i - 1)->GetVertex(1)->m_Point.X())
            Broken("the list is not in order of the first x");
    }
    if (nVertices != nPointCount) Broken("point count");

    CLineCounter out;
    for (const ExportForm* pForm : {&g_formPointList, &g_formSectionsDat, &g_formSectionsCsv})
        WritePolylines(out, polylines, pForm->pfnBuildBlock);
    if (out.m_nLines != 3 * (nPolylineCount + nVertices))
        Broken("the exports' lines do not match the counts");
    return 0;
}
