// Files that fail while they are written: the message of the cause naming the file, the file
// closed, what was written before left where it is.
#include "ExportFrame.h"
#include "FaultSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr long kSmallFileSystem = 64 * 1024;

// What a failing export threw, as "cause|file|message", or "no exception".
std::string ExportFailure(CPolylineList& list, const std::string& path) {
    const int nOpenBefore = OpenDescriptorCount();
    try {
        CFileException openError;
        if (!ExportPolylines(list, path.c_str(), g_exportPointList, &openError))
            return "open failed: " + openError.GetErrorMessage().Str();
    } catch (const CFileException& e) {
        std::string r = std::to_string(e.m_cause) + "|" + e.m_strFileName.Str() + "|" +
                        e.GetErrorMessage().Str();
        if (OpenDescriptorCount() != nOpenBefore) r += "|left open";
        return r;
    }
    return "no exception";
}

// The message of a refused open, or what happened instead.
std::string RefusedOpen(CPolylineList& list, const std::string& path) {
    CFileException openError;
    if (ExportPolylines(list, path.c_str(), g_exportPointList, &openError)) return "opened";
    return std::to_string(openError.m_cause) + "|" + openError.GetErrorMessage().Str();
}

// The same, run as "nobody": root writes whatever the permission bits say.
std::string RefusedOpenUnprivileged(const std::string& path) {
    CPolylineList list;
    FillList(list, 1, 1);
    int status = -1;
    const std::string result = RunInChild([&] { return RefusedOpen(list, path); }, true, &status);
    return status == 0 ? result : "the child could not become an unprivileged user";
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

TEST(WriteFault, DevFullIsDiskFullNamingTheFileAndClosesIt) {
    CPolylineList list;
    FillList(list, 2, 3);
    EXPECT_EQ(ExportFailure(list, "/dev/full"),
              "13|/dev/full|Disco pieno durante l'accesso a /dev/full.");
}

TEST(WriteFault, FilledUpFileSystemIsDiskFullAndKeepsWhatWasWritten) {
    ScratchDir scratch;
    SmallFileSystem small(scratch.File("piccolo"), kSmallFileSystem);
    if (!small.Mounted()) GTEST_SKIP() << small.Reason();
    const std::string before = scratch.File("piccolo/prima.txt");
    WriteWholeFile(before, "scritto prima\n");
    CPolylineList list;
    FillList(list, 40, 100); // about 170 KB of point list
    const std::string whole = scratch.File("intero.csv"), full = scratch.File("piccolo/pieno.csv");
    ASSERT_EQ(ExportFailure(list, whole), "no exception");

    EXPECT_EQ(ExportFailure(list, full),
              "13|" + full + "|Disco pieno durante l'accesso a " + full + ".");
    const std::string written = ReadWholeFile(full);
    EXPECT_GT(written.size(), 0u);
    EXPECT_LT(written.size(), ReadWholeFile(whole).size());
    EXPECT_TRUE(StartsWith(ReadWholeFile(whole), written));
    EXPECT_EQ(ReadWholeFile(before), "scritto prima\n");
}

TEST(WriteFault, ReadOnlyFileIsAccessDeniedAndKeepsItsContents) {
    ScratchDir scratch;
    OpenToEveryone(scratch.Path());
    const std::string path = scratch.File("sola-lettura.csv");
    WriteWholeFile(path, "contenuto originale\n");
    chmod(path.c_str(), 0444);
    EXPECT_EQ(RefusedOpenUnprivileged(path), "5|Accesso a " + path + " negato.");
    EXPECT_EQ(ReadWholeFile(path), "contenuto originale\n");
}

TEST(WriteFault, FolderWithoutWritePermissionIsAccessDeniedAndGetsNothing) {
    ScratchDir scratch;
    OpenToEveryone(scratch.Path());
    const std::string folder = scratch.File("chiusa");
    mkdir(folder.c_str(), 0555);
    const std::string path = folder + "/punti.csv";
    EXPECT_EQ(RefusedOpenUnprivileged(path), "5|Accesso a " + path + " negato.");
    EXPECT_FALSE(FileExists(path));
}

TEST(WriteFaultCli, DevFullStopsTheConverterAfterTheExportsBefore) {
    ScratchDir scratch;
    const std::string drawing = scratch.File("d.dxf"), first = scratch.File("prima.csv"),
                      after = scratch.File("dopo.csv");
    WriteWholeFile(drawing, GridDrawing(2, 3));
    std::string out, err;
    EXPECT_EQ(
        RunCli({drawing, "--punti", first, "--sezioni-dat", "/dev/full", "--sezioni-csv", after},
               &out, &err),
        1);
    EXPECT_EQ(out, CliCounts(2, 6));
    EXPECT_EQ(err, "Disco pieno durante l'accesso a /dev/full.\n");
    EXPECT_EQ(ReadWholeFile(first), "Spezzata di  3 punti\n"
                                    "1.000000e+000,1.000000e+000,2.000000e+000\n"
                                    "1.000000e+000,2.000000e+000,3.000000e+000\n"
                                    "1.000000e+000,3.000000e+000,4.000000e+000\n"
                                    "Spezzata di  3 punti\n"
                                    "2.000000e+000,1.000000e+000,3.000000e+000\n"
                                    "2.000000e+000,2.000000e+000,4.000000e+000\n"
                                    "2.000000e+000,3.000000e+000,5.000000e+000\n");
    EXPECT_FALSE(FileExists(after));
}

TEST(WriteFaultCli, FilledUpFileSystemIsDiskFullAndKeepsWhatWasWritten) {
    ScratchDir scratch;
    SmallFileSystem small(scratch.File("piccolo"), kSmallFileSystem);
    if (!small.Mounted()) GTEST_SKIP() << small.Reason();
    const std::string drawing = scratch.File("d.dxf"), whole = scratch.File("intero.csv"),
                      full = scratch.File("piccolo/pieno.csv");
    WriteWholeFile(drawing, GridDrawing(40, 100));
    std::string out, err;
    EXPECT_EQ(RunCli({drawing, "--punti", whole, "--punti", full}, &out, &err), 1);
    EXPECT_EQ(out, CliCounts(40, 4000));
    EXPECT_EQ(err, "Disco pieno durante l'accesso a " + full + ".\n");
    const std::string written = ReadWholeFile(full);
    EXPECT_GT(written.size(), 0u);
    EXPECT_LT(written.size(), ReadWholeFile(whole).size());
    EXPECT_TRUE(StartsWith(ReadWholeFile(whole), written));
}

TEST(WriteFaultCli, ReadOnlyFileIsAccessDeniedAndKeepsItsContents) {
    if (!CliRunsUnprivileged()) GTEST_SKIP() << "trevano-cli lies where \"nobody\" cannot run it";
    ScratchDir scratch;
    OpenToEveryone(scratch.Path());
    const std::string drawing = scratch.File("d.dxf"), path = scratch.File("sola-lettura.csv");
    WriteWholeFile(drawing, GridDrawing(1, 1));
    WriteWholeFile(path, "contenuto originale\n");
    chmod(path.c_str(), 0444);
    std::string out, err;
    CliRun run{BecomeUnprivilegedInChild};
    EXPECT_EQ(RunCli({drawing, "--punti", path}, &out, &err, &run), 1);
    EXPECT_EQ(err, "Accesso a " + path + " negato.\n");
    EXPECT_EQ(ReadWholeFile(path), "contenuto originale\n");
}

TEST(WriteFaultCli, FolderWithoutWritePermissionIsAccessDeniedAndGetsNothing) {
    if (!CliRunsUnprivileged()) GTEST_SKIP() << "trevano-cli lies where \"nobody\" cannot run it";
    ScratchDir scratch;
    OpenToEveryone(scratch.Path());
    const std::string drawing = scratch.File("d.dxf"), folder = scratch.File("chiusa");
    WriteWholeFile(drawing, GridDrawing(1, 1));
    mkdir(folder.c_str(), 0555);
    const std::string path = folder + "/punti.csv";
    std::string out, err;
    CliRun run{BecomeUnprivilegedInChild};
    EXPECT_EQ(RunCli({drawing, "--sezioni-dat", path}, &out, &err, &run), 1);
    EXPECT_EQ(err, "Accesso a " + path + " negato.\n");
    EXPECT_FALSE(FileExists(path));
}
