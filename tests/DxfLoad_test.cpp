#include "DxfLoad.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Loaded {
    CPolylineList list;
    INT32 nPolylines = -1;
    INT32 nPoints = -1;
};

void Load(const std::string& bytes, Loaded& out) {
    ScratchDir dir;
    WriteWholeFile(dir.File("d.dxf"), bytes);
    CDxfFile file;
    ASSERT_TRUE(file.Open(dir.File("d.dxf").c_str(), CFile::modeRead));
    LoadPolylines(file, out.list, out.nPolylines, out.nPoints);
}

// Every point of the list, "x y z" per vertex and "|" between polylines.
std::string Dump(CPolylineList& list) {
    std::string s;
    for (INT32 i = 1; i <= list.GetCount(); ++i) {
        CPolyline* p = list.GetAt(i);
        if (i > 1) s += "|";
        for (INT32 k = 1; k <= p->GetCount(); ++k) {
            const CVector3& v = p->GetVertex(k)->m_Point;
            char buf[96];
            std::snprintf(buf, sizeof buf, "%s%g %g %g", k > 1 ? "," : "", v.X(), v.Y(), v.Z());
            s += buf;
        }
    }
    return s;
}

std::string OneVertexIn(double ex, double ey, double ez) {
    DrawingBuilder d;
    d.BeginEntities().Polyline(-1, true, ex, ey, ez).Vertex(1, 2, 3).Seqend().EndEntities();
    return d.CrLf();
}

} // namespace

TEST(Load, PointsArePermutedByTheExtrusionDirection) {
    struct Case {
        double ex, ey, ez;
        const char* expected;
    } cases[] = {{0, 0, 1, "1 2 3"},  {1, 0, 0, "3 1 2"}, {0, 1, 0, "2 3 1"},
                 {0, 0, -1, "1 2 3"}, {1, 1, 0, "3 1 2"}, {0.6, 0.8, 0, "1 2 3"},
                 {1, 0, 1, "1 2 3"}};
    for (const Case& c : cases) {
        Loaded l;
        Load(OneVertexIn(c.ex, c.ey, c.ez), l);
        EXPECT_EQ(Dump(l.list), c.expected) << c.ex << " " << c.ey << " " << c.ez;
    }
}

TEST(Load, MeshesAndFlagsOf16OrMoreAreSkipped) {
    DrawingBuilder d;
    d.BeginEntities()
        .Polyline3D({{1, 0, 0}}, 16)
        .Polyline3D({{2, 0, 0}, {2, 1, 0}}, 8)
        .Polyline3D({{3, 0, 0}}, 64)
        .Polyline3D({{4, 0, 0}}, 132)
        .Polyline3D({{5, 0, 0}}, 1)
        .EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(l.nPolylines, 2);
    EXPECT_EQ(l.nPoints, 3); // skipped polylines' vertices are not counted
    EXPECT_EQ(Dump(l.list), "2 0 0,2 1 0|5 0 0");
}

TEST(Load, HugeFlagsTruncateToNegativeAndAreKept) {
    DrawingBuilder d;
    d.BeginEntities().Polyline(-1).Code(70, "1e20").Vertex(1, 2, 3).Seqend().EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(l.nPolylines, 1);
}

TEST(Load, PolylinesAreSortedByFirstXWithTiesInFileOrder) {
    DrawingBuilder d;
    d.BeginEntities()
        .Polyline3D({{5, 1, 0}})
        .Polyline3D({{2, 0, 0}})
        .Polyline3D({{5, 3, 0}})
        .EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "2 0 0|5 1 0|5 3 0");
    EXPECT_EQ(l.list.m_nCurrent, 3); // the sort leaves the cursor on the last polyline
}

TEST(Load, MissingCoordinateCarriesOverFromThePreviousVertex) {
    DrawingBuilder d;
    d.BeginEntities().Polyline3D({{1, 2, 9}}).Polyline(8);
    d.Code(0, "VERTEX").Code(10, "4").Code(20, "5").Seqend().EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "1 2 9|4 5 9");
}

TEST(Load, LineFeedAndCrLfFormsLoadAlike) {
    DrawingBuilder d;
    d.BeginEntities()
        .Polyline3D({{10, 1, 2}, {10, 3, 4}})
        .Polyline(-1, true, 1, 0, 0)
        .Vertex(7, 8, 9)
        .Seqend()
        .Polyline3D({{1, 1, 1}}, 64)
        .EndEntities();
    Loaded lf, crlf;
    Load(d.Lf(), lf);
    Load(d.CrLf(), crlf);
    EXPECT_EQ(Dump(crlf.list), "9 7 8|10 1 2,10 3 4");
    EXPECT_EQ(Dump(lf.list), Dump(crlf.list));
    EXPECT_EQ(lf.nPolylines, crlf.nPolylines);
    EXPECT_EQ(lf.nPoints, crlf.nPoints);
}

TEST(Load, MixedLineEndsLoadLikeCrLf) {
    DrawingBuilder d;
    d.BeginEntities().Polyline3D({{1, 2, 3}, {4, 5, 6}}).EndEntities();
    std::string mixed = d.CrLf();
    for (size_t i = mixed.find("VERTEX"); i < mixed.size(); i += 40) // drop some CRs
        if (mixed[i] == '\r') mixed.erase(i, 1);
    std::string crlf = d.CrLf();
    for (size_t i = 0; i + 1 < crlf.size(); ++i) // and drop every third CR elsewhere
        if (crlf[i] == '\r' && i % 3 == 0) crlf.erase(i, 1);
    Loaded a, b;
    Load(mixed, a);
    Load(crlf, b);
    EXPECT_EQ(Dump(a.list), "1 2 3,4 5 6");
    EXPECT_EQ(Dump(b.list), "1 2 3,4 5 6");
}

TEST(Load, PolylineInsideAFailedHeaderWindowIsFound) {
    // Before, a header without VERTEX in its window made the search go on after the window,
    // losing a polyline that started inside it.
    DrawingBuilder d;
    d.BeginEntities()
        .Code(0, "LWPOLYLINE")
        .Code(90, "2")
        .Code(10, "0")
        .Code(20, "0")
        .Polyline3D({{3, 4, 5}})
        .EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "3 4 5");
}

TEST(Load, PolylineStartingNearTheEndOfAWindowWithoutVertexIsFound) {
    // The LWPOLYLINE's window of 1000 bytes holds no VERTEX; the real POLYLINE starts inside
    // that window and its VERTEX lies beyond it.
    DrawingBuilder d;
    d.BeginEntities().Code(0, "LWPOLYLINE").Code(90, "40");
    const size_t nLwStart = d.Lf().rfind("LWPOLYLINE") + 2;
    while (ToCrLf(d.Lf()).size() - ToCrLf(d.Lf().substr(0, nLwStart)).size() < 930)
        d.Code(10, "1.0").Code(20, "2.0");
    d.Polyline3D({{3, 4, 5}}).EndEntities();
    const std::string bytes = d.CrLf();
    const size_t nKeyword = bytes.find("POLYLINE");
    ASSERT_LT(bytes.find("POLYLINE", nKeyword + 8) - nKeyword, 1000u);
    ASSERT_GT(bytes.find("VERTEX") - nKeyword, 1000u);
    Loaded l;
    Load(bytes, l);
    EXPECT_EQ(Dump(l.list), "3 4 5");
}

TEST(Load, LwpolylineFlagsAreNotLentToTheNextPolyline) {
    // Before, an LWPOLYLINE with flags 128 before a real polyline made the real one vanish.
    DrawingBuilder d;
    d.BeginEntities()
        .Code(0, "LWPOLYLINE")
        .Code(70, "128")
        .Code(10, "0")
        .Code(20, "0")
        .Polyline(-1)
        .Vertex(1, 2, 3)
        .Seqend()
        .EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(l.nPolylines, 1);
    EXPECT_EQ(Dump(l.list), "1 2 3");
}

TEST(Load, PolylineWithoutVerticesLendsNothing) {
    DrawingBuilder d;
    d.BeginEntities().Polyline(64).Seqend().Polyline(-1).Vertex(1, 1, 1).Seqend().EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "1 1 1");
}

TEST(Load, PolylinesBeforeEntitiesAreNotSeen) {
    DrawingBuilder d;
    d.Code(0, "SECTION").Code(2, "BLOCKS").Polyline3D({{9, 9, 9}}).Code(0, "ENDSEC");
    d.BeginEntities().Polyline3D({{1, 1, 1}}).EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "1 1 1");
}

TEST(Load, WithoutEntitiesNothingLoadsAndThePreviousDrawingIsGone) {
    Loaded l;
    l.list.AddNew();
    l.list.GetAt(1)->AddPoint(CVector3());
    Load(DrawingBuilder().Polyline3D({{1, 1, 1}}).CrLf(), l);
    EXPECT_EQ(l.list.GetCount(), 0);
    EXPECT_EQ(l.nPolylines, 0);
    EXPECT_EQ(l.nPoints, 0);
}

TEST(Load, SecondLoadReplacesTheFirst) {
    DrawingBuilder a, b;
    a.BeginEntities().Polyline3D({{1, 1, 1}, {2, 2, 2}}).EndEntities();
    b.BeginEntities().Polyline3D({{3, 3, 3}}).Polyline3D({{0, 0, 0}}).EndEntities();
    Loaded l;
    Load(a.CrLf(), l);
    Load(b.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "0 0 0|3 3 3");
    EXPECT_EQ(l.nPolylines, 2);
    EXPECT_EQ(l.nPoints, 2);
    Load(b.CrLf(), l);
    EXPECT_EQ(Dump(l.list), "0 0 0|3 3 3");
}

TEST(Load, EveryVertexRecordGivesOneVertex) {
    DrawingBuilder d;
    d.BeginEntities().Polyline(8);
    for (int i = 0; i < 500; ++i)
        d.Vertex(i, 0, 0);
    d.Seqend().EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    EXPECT_EQ(l.nPoints, 500);
    ASSERT_EQ(l.list.GetCount(), 1);
    EXPECT_EQ(l.list.GetAt(1)->GetVertex(500)->m_Point.X(), 499.0);
}

TEST(Load, OverflowingCoordinateReadsAsInfinityAndSortsLast) {
    DrawingBuilder d;
    d.BeginEntities().Polyline(8);
    d.Code(0, "VERTEX").Code(10, "1e999").Code(20, "0").Code(30, "0");
    d.Seqend().Polyline3D({{-0.0, 0, 0}}).Polyline3D({{0.0, 1, 0}}).EndEntities();
    Loaded l;
    Load(d.CrLf(), l);
    ASSERT_EQ(l.list.GetCount(), 3);
    EXPECT_TRUE(std::signbit(l.list.GetAt(1)->GetVertex(1)->m_Point.X())); // -0 and 0 tie
    EXPECT_EQ(l.list.GetAt(2)->GetVertex(1)->m_Point.Y(), 1.0);
    EXPECT_EQ(l.list.GetAt(3)->GetVertex(1)->m_Point.X(), std::numeric_limits<double>::infinity());
}
