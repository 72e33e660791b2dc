// trevano-cli on bad input: the counts of what it could read and exit 0, or the message of the
// cause with the path on standard error and exit 1; never a crash.
#include "BadDrawings.h"
#include "FaultSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct CliOutcome {
    int nStatus;
    std::string out, err;
};

CliOutcome Convert(const std::vector<std::string>& args, CliRun* pRun = nullptr) {
    CliOutcome o;
    o.nStatus = RunCli(args, &o.out, &o.err, pRun);
    return o;
}

CliOutcome ConvertBytes(const std::string& bytes) {
    ScratchDir scratch;
    const std::string path = scratch.File("disegno.dxf");
    WriteWholeFile(path, bytes);
    return Convert({path});
}

void ExpectLoaded(const CliOutcome& o, int nPolylines, int nPoints) {
    EXPECT_EQ(o.nStatus, 0);
    EXPECT_EQ(o.out, CliCounts(nPolylines, nPoints));
    EXPECT_EQ(o.err, "");
}

void ExpectRefused(const CliOutcome& o, const std::string& message) {
    EXPECT_EQ(o.nStatus, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, message + "\n");
}

} // namespace

TEST(BadInputCli, EmptyFileGivesZeroCounts) {
    ExpectLoaded(ConvertBytes(""), 0, 0);
}

TEST(BadInputCli, FileOfZeroBytesOnlyGivesZeroCounts) {
    ExpectLoaded(ConvertBytes(bad::ZeroBytes(10000)), 0, 0);
}

TEST(BadInputCli, BinaryDxfGivesZeroCounts) {
    ExpectLoaded(ConvertBytes(bad::BinaryDxf()), 0, 0);
}

TEST(BadInputCli, PointListInsteadOfADrawingGivesZeroCounts) {
    ExpectLoaded(ConvertBytes(bad::PointListNotADrawing()), 0, 0);
}

TEST(BadInputCli, CutDrawingsCountWhatTheyStillHold) {
    ExpectLoaded(ConvertBytes(bad::TwoPolylinesCutAt("22.5", 1, 2)), 2, 6);
    ExpectLoaded(ConvertBytes(bad::TwoPolylinesCutAt("POLYLINE", 2, 14)), 1, 3);
    ExpectLoaded(ConvertBytes(bad::TwoPolylinesCutAt("VERTEX", 6, 3)), 2, 5);
    ExpectLoaded(ConvertBytes(bad::TwoPolylinesCutAt("POLYLINE", 2, 4)), 1, 3);
}

TEST(BadInputCli, DrawingWithoutEntitiesSectionGivesZeroCounts) {
    ExpectLoaded(ConvertBytes(bad::WithoutEntitiesSection()), 0, 0);
}

TEST(BadInputCli, MissingFinalSeqendCountsEveryVertex) {
    ExpectLoaded(ConvertBytes(bad::WithoutFinalSeqend()), 2, 6);
}

TEST(BadInputCli, VertexWithLongExtendedDataCountsOnce) {
    ExpectLoaded(ConvertBytes(bad::VertexWithLongExtendedData()), 1, 3);
}

TEST(BadInputCli, ZeroBytesCountAsTheChunkRuleSays) {
    ExpectLoaded(ConvertBytes(bad::NulInsideVertex()), 1, 2);
    ExpectLoaded(ConvertBytes(bad::NulBeforeEntities(100)), 0, 0);
    ExpectLoaded(ConvertBytes(bad::NulBeforeEntities(600)), 2, 6);
}

TEST(BadInputCli, StrangeNumbersAreWrittenInTheRuntimeForms) {
    ScratchDir scratch;
    const std::string drawing = scratch.File("numeri.dxf"), csv = scratch.File("numeri.csv");
    WriteWholeFile(drawing, bad::StrangeNumbers());
    ExpectLoaded(Convert({drawing, "--punti", csv}), 1, 3);
    EXPECT_EQ(ReadWholeFile(csv), "Spezzata di  3 punti\n"
                                  "1.#INF00e+000,-1.#INF00e+000,0.000000e+000\n"
                                  "1.500000e+000,0.000000e+000,0.000000e+000\n"
                                  "0.000000e+000,0.000000e+000,-0.000000e+000\n");
}

TEST(BadInputCli, StrangeFlagsSkipOnlySixteenAndUp) {
    ExpectLoaded(ConvertBytes(bad::StrangeFlags()), 3, 3);
}

TEST(BadInputCli, LinesOfOneMegabyteEndTheLoad) {
    ExpectLoaded(ConvertBytes(bad::LongCommentLine(1 << 20)), 2, 6);
    ExpectLoaded(ConvertBytes(bad::LongHeaderLine(1 << 20)), 2, 6);
    ExpectLoaded(ConvertBytes(bad::VertexWithLongLayerName(1 << 20, 'M')), 1, 2);
    ExpectLoaded(ConvertBytes(std::string(1 << 20, 'A')), 0, 0);
}

TEST(BadInputCli, SparseFileOfSeveralGigabytesLoadsInBoundedMemory) {
    ScratchDir scratch;
    SparseDrawing drawing(scratch.Path());
    if (!drawing.Ready()) GTEST_SKIP() << drawing.Reason();
    CliRun run;
    ExpectLoaded(Convert({drawing.Path()}, &run), 2, 5);
    // The program itself takes a few megabytes; the file is over four gigabytes.
    EXPECT_LT(run.nMaxRssKb, 64 * 1024);
}

TEST(BadInputCli, NamesWithSpacesAndAccentsOpen) {
    ScratchDir scratch;
    for (const char* pszName : {"disegno con spazi \xC3\xA0\xC3\xA8\xC3\xAC\xC3\xB2\xC3\xB9.dxf",
                                "disegno latino \xE8.dxf"}) {
        SCOPED_TRACE(pszName);
        WriteWholeFile(scratch.File(pszName), bad::TwoPolylines());
        ExpectLoaded(Convert({scratch.File(pszName)}), 2, 6);
    }
}

TEST(BadInputCli, MissingFileWithAccentedNameIsNamedInItsMessage) {
    ScratchDir scratch;
    const std::string path = scratch.File("manca \xC3\xA8 qui.dxf");
    ExpectRefused(Convert({path}), path + " non trovato.");
}

TEST(BadInputCli, FolderIsAccessDenied) {
    ScratchDir scratch;
    ExpectRefused(Convert({scratch.Path()}), "Accesso a " + scratch.Path() + " negato.");
}

TEST(BadInputCli, FileWithoutReadPermissionIsAccessDenied) {
    if (!CliRunsUnprivileged()) GTEST_SKIP() << "trevano-cli lies where \"nobody\" cannot run it";
    ScratchDir scratch;
    OpenToEveryone(scratch.Path());
    const std::string path = scratch.File("segreto.dxf");
    WriteWholeFile(path, bad::TwoPolylines());
    chmod(path.c_str(), 0200);
    // Root reads whatever the permission bits say: the converter runs as "nobody".
    CliRun run{BecomeUnprivilegedInChild};
    ExpectRefused(Convert({path}, &run), "Accesso a " + path + " negato.");
}

TEST(BadInputCli, MissingFileIsNotFound) {
    ScratchDir scratch;
    const std::string path = scratch.File("manca.dxf");
    ExpectRefused(Convert({path}), path + " non trovato.");
}

TEST(BadInputCli, MissingFolderIsABadPath) {
    ScratchDir scratch;
    const std::string path = scratch.File("manca/disegno.dxf");
    ExpectRefused(Convert({path}), path + " contiene un percorso non valido.");
}
