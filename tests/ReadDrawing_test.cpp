// The converter's reading: what the choices take, where each polyline comes from after the
// sort, and the texts of the sheet, those of blocks where their references put them.
#include "ReadDrawing.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Read {
    std::string points; // as PointsOf gives them
    std::vector<PolylineOrigin> origins;
    std::vector<TextLabel> labels;
    LoadReport report;
};

Read ReadText(const std::string& text, const ReadChoices& choices) {
    ScratchDir dir;
    WriteWholeFile(dir.File("d.dxf"), text);
    CDxfFile file;
    EXPECT_TRUE(file.Open(dir.File("d.dxf").c_str(), CFile::modeRead));
    CPolylineList list;
    INT32 nPolylines = 0, nPoints = 0;
    DrawingScan scan;
    Read read;
    ReadDrawing(file, choices, list, nPolylines, nPoints, scan, read.report, read.origins,
                read.labels);
    read.points = PointsOf(list);
    return read;
}

std::string Origins(const std::vector<PolylineOrigin>& origins) {
    const char* const kKinds[] = {"POLYLINE", "LWPOLYLINE", "SPLINE", "LINE", "ARC"};
    std::string s;
    for (const PolylineOrigin& o : origins)
        s += std::string(kKinds[static_cast<int>(o.kind)]) + "/" + o.layer +
             (o.bClosed ? "/chiusa " : " ");
    return s;
}

} // namespace

TEST(ReadDrawing, EachPolylineKeepsItsOriginThroughTheSort) {
    // Listed in the file from the largest x down: the sort turns them round, and the origins
    // with them.
    DrawingBuilder d;
    d.BeginEntities()
        .Code(0, "LINE")
        .Code(8, "L")
        .Code(10, "9")
        .Code(20, "0")
        .Code(30, "0")
        .Code(11, "9")
        .Code(21, "1")
        .Code(31, "0");
    d.Code(0, "LWPOLYLINE")
        .Code(8, "W")
        .Code(70, "1")
        .Code(10, "7")
        .Code(20, "0")
        .Code(10, "7")
        .Code(20, "2");
    // A 2D polyline at the elevation of its header, which its vertices do not repeat.
    d.Polyline(1).Code(8, "P").Code(30, "7").Vertex(5, 0, 0).Vertex(5, 1, 1).Seqend();
    // An arc of a quarter circle about (3, 0), radius 1, as chords.
    d.Code(0, "ARC")
        .Code(8, "A")
        .Code(10, "3")
        .Code(20, "0")
        .Code(30, "0")
        .Code(40, "1")
        .Code(50, "0")
        .Code(51, "90");
    ReadChoices choices;
    choices.bLwPolylines = choices.bLines = true;
    const Read read = ReadText(d.EndEntities().Lf(), choices);
    EXPECT_EQ(Origins(read.origins), "ARC/A POLYLINE/P/chiusa LWPOLYLINE/W/chiusa LINE/L ");
    EXPECT_EQ(read.points.substr(0, 6), "4 0 0,");
    EXPECT_EQ(read.points.substr(read.points.find('|') + 1), "5 0 0,5 1 1|7 0 0,7 2 0|9 0 0,9 1 0");
    for (size_t i = 1; i < read.origins.size(); ++i)
        EXPECT_LT(read.origins[i].nOffset, read.origins[i - 1].nOffset);
    EXPECT_EQ(read.origins[1].elevation, 7.0);
    EXPECT_EQ(read.origins[2].elevation, 0.0);
}

TEST(ReadDrawing, WindowAndExcludedLayersLeaveOutCurvesAndTexts) {
    DrawingBuilder d;
    d.BeginEntities();
    d.Polyline().Code(8, "DENTRO").Vertex(1, 1, 0).Vertex(2, 2, 0).Seqend();
    d.Polyline().Code(8, "A_CAVALLO").Vertex(1, 1, 0).Vertex(20, 2, 0).Seqend();
    d.Polyline().Code(8, "ESCLUSO").Vertex(1, 1, 0).Vertex(2, 2, 0).Seqend();
    d.Code(0, "LINE").Code(8, "DENTRO").Code(10, "3").Code(20, "3").Code(11, "4").Code(21, "4");
    d.Code(0, "LINE").Code(8, "DENTRO").Code(10, "3").Code(20, "3").Code(11, "4").Code(21, "40");
    d.Code(0, "TEXT").Code(10, "5").Code(20, "5").Code(1, "1");
    d.Code(0, "TEXT").Code(10, "50").Code(20, "5").Code(1, "2");
    ReadChoices choices;
    choices.bLines = choices.bTexts = choices.bWindow = true;
    choices.window = {0.0, 0.0, 10.0, 10.0};
    choices.excludedLayers = {"escluso", "nessuno"};
    const Read read = ReadText(d.EndEntities().Lf(), choices);
    EXPECT_EQ(read.points, "1 1 0,2 2 0|3 3 0,4 4 0");
    EXPECT_EQ(read.report.nOutsideWindow, 2);
    EXPECT_EQ(read.report.nExcludedLayers, 1);
    EXPECT_EQ(read.report.absentLayers, std::vector<std::string>{"nessuno"});
    ASSERT_EQ(read.labels.size(), 1u);
    EXPECT_EQ(read.labels[0].text, "1");
}

TEST(ReadDrawing, TextsStandWhereTheSheetShowsThem) {
    // A block whose base point is (1, 0) holds "7" at (2, 0) and places a block with "8" at its
    // own origin; an INSERT puts the first at (10, 10), doubled and turned a quarter.
    DrawingBuilder d;
    d.Code(0, "SECTION").Code(2, "BLOCKS");
    d.Code(0, "BLOCK").Code(2, "numero").Code(10, "1").Code(20, "0");
    d.Code(0, "TEXT").Code(10, "2").Code(20, "0").Code(1, "7");
    d.Code(0, "INSERT").Code(2, "INTERNO").Code(10, "1").Code(20, "1");
    d.Code(0, "ENDBLK");
    d.Code(0, "BLOCK").Code(2, "interno").Code(0, "TEXT").Code(1, "8").Code(0, "ENDBLK");
    d.Code(0, "ENDSEC");
    d.BeginEntities();
    d.Code(0, "MTEXT").Code(10, "3").Code(20, "4").Code(3, "{\\fArial|b0;\\H2.5;1").Code(1, "2}");
    d.Code(0, "INSERT")
        .Code(66, "1")
        .Code(2, "NUMERO")
        .Code(10, "10")
        .Code(20, "10")
        .Code(41, "2")
        .Code(42, "2")
        .Code(50, "90");
    d.Code(0, "ATTRIB").Code(10, "-1").Code(20, "-2").Code(1, "9").Code(0, "SEQEND");
    ReadChoices choices;
    choices.bTexts = true;
    const Read read = ReadText(d.EndEntities().Lf(), choices);
    const std::tuple<const char*, double, double> expected[] = {
        {"12", 3.0, 4.0}, {"7", 10.0, 12.0}, {"8", 8.0, 10.0}, {"9", -1.0, -2.0}};
    ASSERT_EQ(read.labels.size(), std::size(expected));
    for (size_t i = 0; i < read.labels.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.labels[i].text, std::get<0>(expected[i]));
        EXPECT_NEAR(read.labels[i].x, std::get<1>(expected[i]), 1e-12);
        EXPECT_NEAR(read.labels[i].y, std::get<2>(expected[i]), 1e-12);
    }
    EXPECT_EQ(read.labels[1].nOffset, read.labels[2].nOffset); // both placed by the INSERT
}
