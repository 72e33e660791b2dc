// Whatever the bytes, the load ends, its counts agree with the list, and a file that cannot be
// opened gives the message of its cause with its path.
#include "BadDrawings.h"
#include "FaultSupport.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Points = std::vector<std::array<double, 3>>;
constexpr double kInf = std::numeric_limits<double>::infinity();

LoadOutcome LoadBytes(const std::string& bytes) {
    ScratchDir scratch;
    const std::string path = scratch.File("disegno.dxf");
    WriteWholeFile(path, bytes);
    return LoadDrawing(path);
}

// The load's own counts against the list it filled.
void ExpectConsistent(const LoadOutcome& o) {
    ASSERT_TRUE(o.bOpened) << o.openError;
    EXPECT_EQ(o.nPolylineCount, o.nListCount);
    EXPECT_EQ(o.nPointCount, o.nVertexSum);
}

void ExpectCounts(const LoadOutcome& o, int nPolylines, int nPoints) {
    ExpectConsistent(o);
    EXPECT_EQ(o.nPolylineCount, nPolylines);
    EXPECT_EQ(o.nPointCount, nPoints);
}

const Points kFirstOfTwo = {{1, 10, 100}, {1, 11, 101}, {1, 12, 102}};
const Points kSecondOfTwo = {{2, 20, 200}, {2, 21, 201}, {2, 22.5, 202}};

} // namespace

TEST(BadInput, EmptyFileLoadsNothing) {
    ExpectCounts(LoadBytes(""), 0, 0);
}

TEST(BadInput, FileOfZeroBytesOnlyLoadsNothing) {
    ExpectCounts(LoadBytes(bad::ZeroBytes(10000)), 0, 0);
}

TEST(BadInput, BinaryDxfShowsNoKeywordBehindItsSentinel) {
    ExpectCounts(LoadBytes(bad::BinaryDxf()), 0, 0);
}

TEST(BadInput, PointListPickedInsteadOfADrawingLoadsNothing) {
    ExpectCounts(LoadBytes(bad::PointListNotADrawing()), 0, 0);
}

TEST(BadInput, DrawingCutInsideAVertexKeepsWhatTheVertexHas) {
    // Cut after "22" of the last y, "22.5": the last z is not there and carries over.
    LoadOutcome o = LoadBytes(bad::TwoPolylinesCutAt("22.5", 1, 2));
    ExpectCounts(o, 2, 6);
    EXPECT_EQ(o.polylines[0], kFirstOfTwo);
    EXPECT_EQ(o.polylines[1], (Points{{2, 20, 200}, {2, 21, 201}, {2, 22, 201}}));
}

TEST(BadInput, DrawingCutInsideAHeaderLoadsThePolylinesBefore) {
    LoadOutcome o = LoadBytes(bad::TwoPolylinesCutAt("POLYLINE", 2, 14));
    ExpectCounts(o, 1, 3);
    EXPECT_EQ(o.polylines[0], kFirstOfTwo);
}

TEST(BadInput, DrawingCutInsideAVertexKeywordEndsTheListBeforeIt) {
    LoadOutcome o = LoadBytes(bad::TwoPolylinesCutAt("VERTEX", 6, 3));
    ExpectCounts(o, 2, 5);
    EXPECT_EQ(o.polylines[1], (Points{{2, 20, 200}, {2, 21, 201}}));
}

TEST(BadInput, DrawingCutInsideAPolylineKeywordLoadsThePolylinesBefore) {
    LoadOutcome o = LoadBytes(bad::TwoPolylinesCutAt("POLYLINE", 2, 4));
    ExpectCounts(o, 1, 3);
    EXPECT_EQ(o.polylines[0], kFirstOfTwo);
}

TEST(BadInput, DrawingCutInsideTheFinalSeqendLoadsEverything) {
    ExpectCounts(LoadBytes(bad::TwoPolylinesCutAt("SEQEND", 2, 3)), 2, 6);
}

TEST(BadInput, DrawingWithoutEntitiesSectionLoadsNothing) {
    ExpectCounts(LoadBytes(bad::WithoutEntitiesSection()), 0, 0);
}

TEST(BadInput, MissingFinalSeqendLoadsTheLastVertexOnce) {
    LoadOutcome o = LoadBytes(bad::WithoutFinalSeqend());
    ExpectCounts(o, 2, 6);
    EXPECT_EQ(o.polylines[0], kFirstOfTwo);
    EXPECT_EQ(o.polylines[1], kSecondOfTwo);
}

TEST(BadInput, VertexWithLongExtendedDataIsOneVertex) {
    LoadOutcome o = LoadBytes(bad::VertexWithLongExtendedData());
    ExpectCounts(o, 1, 3);
    EXPECT_EQ(o.polylines[0], (Points{{0, 0, 0}, {1, 2, 3}, {4, 5, 6}}));
}

TEST(BadInput, VertexWhoseCoordinatesLieBeyondTheWindowKeepsThePreviousPoint) {
    // The 1000-byte window ends inside the layer name: no coordinate of its own is seen.
    LoadOutcome o = LoadBytes(bad::VertexWithLongLayerName(1200));
    ExpectCounts(o, 1, 2);
    EXPECT_EQ(o.polylines[0], (Points{{1, 2, 3}, {1, 2, 3}}));
}

TEST(BadInput, ZeroByteInsideAVertexEndsItsTextThere) {
    LoadOutcome o = LoadBytes(bad::NulInsideVertex());
    ExpectCounts(o, 1, 2);
    EXPECT_EQ(o.polylines[0], (Points{{1, 2, 3}, {1, 2, 3}}));
}

TEST(BadInput, ZeroByteInTheChunkOfEntitiesHidesTheSection) {
    // A chunk's text ends at its first zero byte, and the keyword lies behind it.
    ExpectCounts(LoadBytes(bad::NulBeforeEntities(100)), 0, 0);
}

TEST(BadInput, ZeroByteAChunkBeforeEntitiesHidesNothing) {
    ExpectCounts(LoadBytes(bad::NulBeforeEntities(600)), 2, 6);
}

TEST(BadInput, NumbersOutOfRangeOrMalformedReadAsTheRuntimeReadsThem) {
    LoadOutcome o = LoadBytes(bad::StrangeNumbers());
    ExpectCounts(o, 1, 3);
    EXPECT_EQ(o.polylines[0], (Points{{kInf, -kInf, 0}, {1.5, 0, 0}, {0, 0, 0}}));
    EXPECT_FALSE(std::signbit(o.polylines[0][0][2])) << "1e-400";
    EXPECT_TRUE(std::signbit(o.polylines[0][2][2])) << "-1e-400";
}

TEST(BadInput, FlagsOutOfRangeTruncateAndOnlySixteenAndUpSkip) {
    // 1e20 is out of the 32-bit range and becomes INT32_MIN, below 16; -5 too; 16.9 is 16.
    LoadOutcome o = LoadBytes(bad::StrangeFlags());
    ExpectCounts(o, 3, 3);
    EXPECT_EQ(o.polylines, (std::vector<Points>{{{1, 0, 0}}, {{2, 0, 0}}, {{4, 0, 0}}}));
}

TEST(BadInput, LineOfOneMegabyteBeforeTheEntitiesIsPassedOver) {
    LoadOutcome o = LoadBytes(bad::LongCommentLine(1 << 20));
    ExpectCounts(o, 2, 6);
    EXPECT_EQ(o.polylines[1], kSecondOfTwo);
}

TEST(BadInput, LineOfOneMegabyteInAHeaderLosesThatPolylineOnly) {
    // No "VERTEX" in the header's window: nothing of it is read, and its vertices are passed
    // over by the search for the next polyline.
    LoadOutcome o = LoadBytes(bad::LongHeaderLine(1 << 20));
    ExpectCounts(o, 2, 6);
    EXPECT_EQ(o.polylines[0], kFirstOfTwo);
    EXPECT_EQ(o.polylines[1], kSecondOfTwo);
}

TEST(BadInput, LineOfOneMegabyteInAVertexIsOneVertex) {
    LoadOutcome o = LoadBytes(bad::VertexWithLongLayerName(1 << 20, 'M'));
    ExpectCounts(o, 1, 2);
    EXPECT_EQ(o.polylines[0], (Points{{1, 2, 3}, {1, 2, 3}}));
}

TEST(BadInput, OneMegabyteWithoutALineEndLoadsNothing) {
    ExpectCounts(LoadBytes(std::string(1 << 20, 'A')), 0, 0);
}

TEST(BadInput, SparseFileOfSeveralGigabytesLoadsInBoundedMemory) {
    ScratchDir scratch;
    SparseDrawing drawing(scratch.Path());
    if (!drawing.Ready()) GTEST_SKIP() << drawing.Reason();
    const std::string path = drawing.Path();
    // In a child, so that the peak of this process's earlier tests does not count.
    int status = -1;
    const std::string report = RunInChild(
        [&] {
            struct rusage before {
            }, after{};
            getrusage(RUSAGE_SELF, &before);
            LoadOutcome o = LoadDrawing(path);
            getrusage(RUSAGE_SELF, &after);
            std::string r = std::to_string(o.nPolylineCount) + " " + std::to_string(o.nPointCount) +
                            " " + std::to_string(o.nListCount) + " " + std::to_string(o.nVertexSum);
            for (const auto& polyline : o.polylines)
                r += " x" + std::to_string(static_cast<int>(polyline[0][0]));
            const bool bBounded = after.ru_maxrss - before.ru_maxrss < 16 * 1024;
            return r + (bBounded ? " bounded"
                                 : " grew " + std::to_string(after.ru_maxrss - before.ru_maxrss));
        },
        false, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(report, "2 5 2 5 x1 x5 bounded");
}

TEST(BadInput, NamesWithSpacesAndAccentsOpen) {
    ScratchDir scratch;
    for (const char* pszName : {"disegno con spazi \xC3\xA0\xC3\xA8\xC3\xAC\xC3\xB2\xC3\xB9.dxf",
                                "disegno latino \xE8.dxf"}) {
        SCOPED_TRACE(pszName);
        WriteWholeFile(scratch.File(pszName), bad::TwoPolylines());
        ExpectCounts(LoadDrawing(scratch.File(pszName)), 2, 6);
    }
}

TEST(BadInput, MissingFileWithAccentedNameIsNamedInItsMessage) {
    ScratchDir scratch;
    const std::string path = scratch.File("manca \xC3\xA8 qui.dxf");
    EXPECT_EQ(LoadDrawing(path).openError, path + " non trovato.");
}

TEST(BadInput, FolderIsAccessDenied) {
    ScratchDir scratch;
    LoadOutcome o = LoadDrawing(scratch.Path());
    EXPECT_FALSE(o.bOpened);
    EXPECT_EQ(o.openError, "Accesso a " + scratch.Path() + " negato.");
}

TEST(BadInput, FileWithoutReadPermissionIsAccessDenied) {
    ScratchDir scratch;
    OpenToEveryone(scratch.Path());
    const std::string path = scratch.File("segreto.dxf");
    WriteWholeFile(path, bad::TwoPolylines());
    chmod(path.c_str(), 0200);
    int status = -1;
    // Root reads whatever the permission bits say: the child drops to "nobody".
    const std::string message =
        RunInChild([&] { return LoadDrawing(path).openError; }, true, &status);
    ASSERT_EQ(status, 0) << "the child could not become an unprivileged user";
    EXPECT_EQ(message, "Accesso a " + path + " negato.");
}

TEST(BadInput, MissingFileIsNotFound) {
    ScratchDir scratch;
    const std::string path = scratch.File("manca.dxf");
    EXPECT_EQ(LoadDrawing(path).openError, path + " non trovato.");
}

TEST(BadInput, MissingFolderIsABadPath) {
    ScratchDir scratch;
    const std::string path = scratch.File("manca/disegno.dxf");
    EXPECT_EQ(LoadDrawing(path).openError, path + " contiene un percorso non valido.");
}
