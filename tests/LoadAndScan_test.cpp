#include "LoadAndScan.h"
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// The points, the count and the headers of the trace, as one text.
std::string Loaded(CPolylineList& list, INT32 nPointCount, const LoadTrace& trace) {
    std::string s = PointsOf(list) + " #" + std::to_string(nPointCount);
    for (const LoadTrace::Header& h : trace.headers)
        s += " " + std::to_string(h.nKeyword) + "/" + std::to_string(h.nFlags) +
             (h.bAppended ? "+" : "-");
    return s;
}

} // namespace

// The scan's thread loads the drawing from a split on while this one loads up to it: wherever
// the split falls (inside a vertex, on a word "POLYLINE" that is no entity, before a vertex
// that takes a coordinate from the one before it), the two give what one load gives.
TEST(LoadAndScan, GivesWhatOneLoadGivesWhereverTheSecondLoadBegins) {
    ScratchDir dir;
    DrawingBuilder drawing;
    drawing.BeginEntities().Code(0, "TEXT").Code(1, "POLYLINE").Code(0, "TEXT").Code(1, "VERTEX");
    for (int i = 0; i < 12; ++i) {
        drawing.Polyline(i % 5 == 4 ? 16 : i % 3 == 2 ? 128 : 8);
        for (int k = 0; k < 4; ++k) {
            drawing.Code(0, "VERTEX").Code(8, "0");
            // Some vertices lack a coordinate, the first of a polyline among them: theirs is
            // the one before, from the polyline before.
            if ((i + k) % 4 != 0) drawing.Code(10, std::to_string(i * 10 + k));
            if ((i * k) % 5 != 1) drawing.Code(20, std::to_string(k));
            drawing.Code(30, std::to_string(i)).Code(70, k == 1 && i % 3 == 2 ? "16" : "32");
        }
        drawing.Seqend();
    }
    WriteWholeFile(dir.File("d.dxf"), drawing.EndEntities().CrLf());
    std::vector<std::string> paths = {dir.File("d.dxf")};
    for (const char* pszFolder : {"/tests/fuzz-corpus", "/../shared/corpus", "/samples"})
        if (std::filesystem::is_directory(TREVANO_SOURCE_DIR + std::string(pszFolder)))
            for (const auto& entry :
                 std::filesystem::directory_iterator(TREVANO_SOURCE_DIR + std::string(pszFolder)))
                if (entry.path().extension() != ".md") paths.push_back(entry.path().string());
    for (const std::string& path : paths) {
        for (bool bAllPolylines : {false, true}) {
            CDxfFile one;
            ASSERT_TRUE(one.Open(path.c_str(), CFile::modeRead));
            CPolylineList list;
            INT32 nPoints = 0;
            LoadTrace trace;
            trace.bAllPolylines = bAllPolylines;
            LoadPolylinesInFileOrder(one, list, nPoints, &trace);
            const std::string expected = Loaded(list, nPoints, trace);
            for (ULONGLONG nPercent = 1; nPercent < 100; nPercent += 7) {
                SCOPED_TRACE(path + " from " + std::to_string(nPercent) + "%");
                CDxfFile two;
                ASSERT_TRUE(two.Open(path.c_str(), CFile::modeRead));
                CPolylineList joined;
                INT32 nJoined = -1;
                LoadTrace joinedTrace;
                joinedTrace.bAllPolylines = bAllPolylines;
                DrawingScan scan;
                LoadAndScan(two, joined, nJoined, joinedTrace, {}, scan, {0, nPercent});
                EXPECT_EQ(Loaded(joined, nJoined, joinedTrace), expected);
            }
        }
    }
}
