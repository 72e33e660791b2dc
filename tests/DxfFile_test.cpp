#include "DxfFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A drawing on disk, open as a CDxfFile.
class DxfOnDisk {
public:
    explicit DxfOnDisk(const std::string& bytes) {
        WriteWholeFile(m_dir.File("d.dxf"), bytes);
        EXPECT_TRUE(m_file.Open(m_dir.File("d.dxf").c_str(), CFile::modeRead));
    }
    CDxfFile& File() { return m_file; }

private:
    ScratchDir m_dir;
    CDxfFile m_file;
};

std::string Filler(size_t n) {
    return std::string(n, 'x');
}

} // namespace

TEST(DxfReader, EntitiesFoundAtEveryOffsetAroundChunkBoundaries) {
    // Before, a keyword that straddled two 500-byte chunks was seen in neither.
    for (size_t offset = 485; offset <= 1010; ++offset) {
        if (offset > 505 && offset < 985) offset = 985;
        DxfOnDisk dxf(Filler(offset) + "ENTITIES\r\n  0\r\n");
        ASSERT_EQ(dxf.File().FindEntities(), 1) << "offset " << offset;
        EXPECT_EQ(dxf.File().GetPosition(), offset) << "offset " << offset;
    }
}

TEST(DxfReader, PolylineFoundAtEveryOffsetAroundChunkBoundaries) {
    for (size_t offset = 485; offset <= 1010; ++offset) {
        if (offset > 505 && offset < 985) offset = 985;
        DxfOnDisk dxf("ENTITIES\r\n" + Filler(offset) + "POLYLINE\r\n");
        ASSERT_EQ(dxf.File().FindEntities(), 1);
        ASSERT_EQ(dxf.File().FindNextPolyline(), 1) << "offset " << offset;
        EXPECT_EQ(dxf.File().GetPosition(), 10 + offset) << "offset " << offset;
    }
}

TEST(DxfReader, SearchWithoutKeywordEndsAtEndOfFile) {
    DxfOnDisk dxf(Filler(1234));
    EXPECT_EQ(dxf.File().FindEntities(), 0);
    EXPECT_EQ(dxf.File().GetPosition(), 1234u);
    EXPECT_EQ(dxf.File().FindNextPolyline(), 0);
}

TEST(DxfReader, ZeroByteEndsTheChunkText) {
    // The keyword after a zero byte in the same chunk is not seen; in a later chunk it is.
    std::string bytes = Filler(10) + '\0' + "ENTITIES" + Filler(600) + "ENTITIES";
    DxfOnDisk dxf(bytes);
    ASSERT_EQ(dxf.File().FindEntities(), 1);
    EXPECT_EQ(dxf.File().GetPosition(), 10 + 1 + 8 + 600u);
}

TEST(DxfReader, HeaderReadsFlagsCodesAndExtrusion) {
    const std::string text = DrawingBuilder()
                                 .Code(0, "POLYLINE")
                                 .Code(70, "9")
                                 .Code(71, "3")
                                 .Code(72, "-4")
                                 .Code(210, "1.0")
                                 .Code(220, "0.0")
                                 .Code(230, "0.5")
                                 .Vertex(1, 2, 3)
                                 .CrLf()
                                 .substr(5); // from the keyword, as the search leaves the file
    DxfOnDisk dxf(text);
    INT32 nFlags = -1, n71 = -1, n72 = -1;
    CVector3 extrusion;
    ASSERT_EQ(dxf.File().ReadPolylineHeader(nFlags, n71, n72, extrusion), 1);
    EXPECT_EQ(nFlags, 9);
    EXPECT_EQ(n71, 3);
    EXPECT_EQ(n72, -4);
    EXPECT_EQ(extrusion.X(), 1.0);
    EXPECT_EQ(extrusion.Y(), 0.0);
    EXPECT_EQ(extrusion.Z(), 0.5);
    EXPECT_EQ(dxf.File().GetPosition(), text.find("VERTEX"));
}

TEST(DxfReader, HeaderDefaultsWhenCodesAreAbsent) {
    DxfOnDisk dxf("POLYLINE\r\n  8\r\n0\r\n  0\r\nVERTEX\r\n");
    INT32 nFlags = -1, n71 = -1, n72 = -1;
    CVector3 extrusion;
    extrusion.Set(7, 7, 7);
    ASSERT_EQ(dxf.File().ReadPolylineHeader(nFlags, n71, n72, extrusion), 1);
    EXPECT_EQ(nFlags, 0);
    EXPECT_EQ(n71, 0);
    EXPECT_EQ(n72, 0);
    EXPECT_EQ(extrusion.Z(), 1.0);
    EXPECT_EQ(extrusion.X(), 0.0);
    EXPECT_EQ(dxf.File().GetPosition(), 23u); // at the V of VERTEX
}

TEST(DxfReader, ExtrusionWithoutCompanionsTakesTheNextLines) {
    // 210 last before VERTEX: x is read, the "  0" line is taken for the 220 code line.
    DxfOnDisk dxf("POLYLINE\r\n210\r\n0.25\r\n  0\r\nVERTEX\r\n");
    INT32 nFlags, n71, n72;
    CVector3 extrusion;
    ASSERT_EQ(dxf.File().ReadPolylineHeader(nFlags, n71, n72, extrusion), 1);
    EXPECT_EQ(extrusion.X(), 0.25);
    EXPECT_EQ(extrusion.Y(), 0.0);
    EXPECT_EQ(extrusion.Z(), 0.0);
}

TEST(DxfReader, FlagsAreTruncatedToInt32) {
    DxfOnDisk dxf("POLYLINE\r\n 70\r\n1e20\r\n 71\r\n-5.9\r\n  0\r\nVERTEX\r\n");
    INT32 nFlags, n71, n72;
    CVector3 extrusion;
    ASSERT_EQ(dxf.File().ReadPolylineHeader(nFlags, n71, n72, extrusion), 1);
    EXPECT_EQ(nFlags, INT32_MIN); // as the 32-bit target's conversion gives
    EXPECT_EQ(n71, -5);
}

TEST(DxfReader, HeaderWithoutVertexInWindowWritesNothing) {
    DxfOnDisk dxf("POLYLINE\r\n 70\r\n16\r\n" + Filler(2000));
    INT32 nFlags = 42, n71 = 42, n72 = 42;
    CVector3 extrusion;
    extrusion.Set(5, 5, 5);
    EXPECT_EQ(dxf.File().ReadPolylineHeader(nFlags, n71, n72, extrusion), 0);
    EXPECT_EQ(nFlags, 42);
    EXPECT_EQ(extrusion.X(), 5.0);
    EXPECT_EQ(dxf.File().GetPosition(), 1000u);
}

TEST(DxfReader, HeaderHoldingAnotherPolylineIsNoHeader) {
    // Before, the codes of an LWPOLYLINE (flags 128) were taken for the next polyline's.
    DxfOnDisk dxf("POLYLINE\r\n 70\r\n128\r\n  0\r\nPOLYLINE\r\n 70\r\n8\r\n  0\r\nVERTEX\r\n");
    INT32 nFlags = 42, n71, n72;
    CVector3 extrusion;
    EXPECT_EQ(dxf.File().ReadPolylineHeader(nFlags, n71, n72, extrusion), 0);
    EXPECT_EQ(nFlags, 42);
}

TEST(DxfReader, VerticesReadUntilSeqend) {
    DxfOnDisk dxf(DrawingBuilder().Vertex(1, 2, 3).Vertex(4, 5, 6).Seqend().CrLf().substr(5));
    CDxfVertex vertex;
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 1.0);
    EXPECT_EQ(vertex.m_Point.Z(), 3.0);
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.Y(), 5.0);
    const ULONGLONG nBeforeSeqend = dxf.File().GetPosition();
    EXPECT_EQ(dxf.File().ReadVertex(vertex), 0);
    EXPECT_EQ(dxf.File().GetPosition(), nBeforeSeqend); // one byte before "SEQEND"
}

TEST(DxfReader, VertexCodesAndMissingCoordinateCarryOver) {
    DxfOnDisk dxf("VERTEX\r\n 10\r\n1\r\n 20\r\n2\r\n 70\r\n32\r\n 71\r\n1\r\n 72\r\n2\r\n"
                  " 73\r\n3\r\n 74\r\n-4\r\n  0\r\nSEQEND\r\n");
    CDxfVertex vertex;
    vertex.m_Point.Set(9, 9, 7.5);
    vertex.m_n74 = 99;
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 1.0);
    EXPECT_EQ(vertex.m_Point.Y(), 2.0);
    EXPECT_EQ(vertex.m_Point.Z(), 7.5); // no " 30": the record's z stays
    EXPECT_EQ(vertex.m_nFlags, 32);
    EXPECT_EQ(vertex.m_n71, 1);
    EXPECT_EQ(vertex.m_n72, 2);
    EXPECT_EQ(vertex.m_n73, 3);
    EXPECT_EQ(vertex.m_n74, -4);
}

TEST(DxfReader, SeqendAtIndexZeroDoesNotEndTheList) {
    DxfOnDisk dxf("SEQEND\r\n 10\r\n4\r\n  0\r\nVERTEX\r\n");
    CDxfVertex vertex;
    EXPECT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 4.0);
}

TEST(DxfReader, VertexLongerThanWindowGivesOneVertexAndMovesOn) {
    // Before, the reader needed the next keyword inside its window and read the same bytes
    // again and again.
    std::string xdata;
    for (int i = 0; i < 80; ++i)
        xdata += "1000\r\nsome extended data\r\n";
    DxfOnDisk dxf("VERTEX\r\n 10\r\n1\r\n" + xdata +
                  "  0\r\nVERTEX\r\n 10\r\n2\r\n  0\r\nSEQEND\r\n");
    CDxfVertex vertex;
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 1.0);
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 2.0);
    EXPECT_EQ(dxf.File().ReadVertex(vertex), 0);
}

TEST(DxfReader, FileEndingWithoutSeqendEndsTheList) {
    DxfOnDisk dxf("VERTEX\r\n 10\r\n1\r\n  0\r\nVERTEX\r\n 10\r\n2\r\n");
    CDxfVertex vertex;
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 2.0);
    EXPECT_EQ(dxf.File().ReadVertex(vertex), 0);
    EXPECT_EQ(dxf.File().ReadVertex(vertex), 0);
}

TEST(DxfReader, LineFeedFormReadsLikeCrLfForm) {
    // Before, no group-code key matched in an LF file and every point read (0, 0, 0).
    const std::string lf = DrawingBuilder().Vertex(1.5, -2, 3e3).Vertex(4, 5, 6).Seqend().Lf();
    for (const std::string& bytes : {lf, ToCrLf(lf)}) {
        DxfOnDisk dxf(bytes.substr(bytes.find("VERTEX")));
        CDxfVertex vertex;
        ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
        EXPECT_EQ(vertex.m_Point.X(), 1.5);
        EXPECT_EQ(vertex.m_Point.Y(), -2.0);
        EXPECT_EQ(vertex.m_Point.Z(), 3000.0);
        ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
        EXPECT_EQ(vertex.m_Point.Z(), 6.0);
        EXPECT_EQ(dxf.File().ReadVertex(vertex), 0);
    }
}

TEST(DxfReader, UnpaddedCodesAreRecognised) {
    // Before, "10" without its leading space was missed and the point read as zeros.
    DxfOnDisk dxf("VERTEX\n8\n0\n10\n1.25\n20\n2.5\n  30\n-3\n0\nSEQEND\n");
    CDxfVertex vertex;
    ASSERT_EQ(dxf.File().ReadVertex(vertex), 1);
    EXPECT_EQ(vertex.m_Point.X(), 1.25);
    EXPECT_EQ(vertex.m_Point.Y(), 2.5);
    EXPECT_EQ(vertex.m_Point.Z(), -3.0);
}
