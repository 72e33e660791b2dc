#include "ExportFrame.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

void TwoPolylines(CPolylineList& list) {
    const double points[][3] = {{1250, 0, 0}, {1250, -37.5, 0.125}, {2500, 0, 10}, {2500, 42, 0}};
    for (int p = 0; p < 2; ++p) {
        list.AddNew();
        for (int k = 0; k < 2; ++k) {
            CVector3 v;
            v.Set(points[2 * p + k][0], points[2 * p + k][1], points[2 * p + k][2]);
            list.GetAt(list.GetCount())->AddPoint(v);
        }
    }
}

#ifndef _WIN32
// Runs the export in a child that has given up root, so that permission bits apply; returns
// the cause of the failed open, or -1 when the open succeeded.
int ExportAsUnprivileged(CPolylineList& list, const std::string& path) {
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        CFileException error;
        _exit(ExportPolylines(list, path.c_str(), g_exportPointList, &error) ? 99 : error.m_cause);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 101;
    return code == 99 ? -1 : code;
}
#endif

} // namespace

TEST(ExportFrame, EachFormWritesItsBlocksInListOrder) {
    ScratchDir dir;
    CPolylineList list;
    TwoPolylines(list);
    CFileException error;
    ASSERT_TRUE(ExportPolylines(list, dir.File("a.csv").c_str(), g_exportSectionsCsv, &error));
    EXPECT_EQ(ReadWholeFile(dir.File("a.csv")), "1.250000e+003,2\n"
                                                ",0.000000e+000,0.000000e+000\n"
                                                ",-3.750000e+001,1.250000e-001\n"
                                                "2.500000e+003,2\n"
                                                ",0.000000e+000,1.000000e+001\n"
                                                ",4.200000e+001,0.000000e+000\n");
}

TEST(ExportFrame, MovesOnlyTheCursor) {
    ScratchDir dir;
    CPolylineList list;
    TwoPolylines(list);
    list.GetAt(1);
    CFileException error;
    ASSERT_TRUE(ExportPolylines(list, dir.File("a.dat").c_str(), g_exportSectionsDat, &error));
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.m_nCurrent, 2);
    EXPECT_EQ(list.GetAt(1)->GetVertex(2)->m_Point.Y(), -37.5);
}

TEST(ExportFrame, EmptyListCreatesOrEmptiesTheFile) {
    ScratchDir dir;
    CPolylineList empty;
    CFileException error;
    ASSERT_TRUE(ExportPolylines(empty, dir.File("new.csv").c_str(), g_exportPointList, &error));
    EXPECT_TRUE(FileExists(dir.File("new.csv")));
    EXPECT_EQ(ReadWholeFile(dir.File("new.csv")), "");
    WriteWholeFile(dir.File("old.csv"), "old contents\n");
    ASSERT_TRUE(ExportPolylines(empty, dir.File("old.csv").c_str(), g_exportPointList, &error));
    EXPECT_EQ(ReadWholeFile(dir.File("old.csv")), "");
}

TEST(ExportFrame, TwoRunsGiveTheSameBytes) {
    ScratchDir dir;
    CPolylineList list;
    TwoPolylines(list);
    CFileException error;
    for (const ExportSettings* p : g_apExportSettings) {
        ASSERT_TRUE(ExportPolylines(list, dir.File("x").c_str(), *p, &error));
        const std::string first = ReadWholeFile(dir.File("x"));
        ASSERT_TRUE(ExportPolylines(list, dir.File("x").c_str(), *p, &error));
        EXPECT_EQ(ReadWholeFile(dir.File("x")), first) << p->pszName;
        EXPECT_FALSE(first.empty());
    }
}

#ifndef _WIN32 // /dev/full, permission bits and fork are POSIX; the Windows file tests have their
               // own
TEST(ExportFrame, FullDiskIsAFileExceptionNamingTheFile) {
    CPolylineList list;
    TwoPolylines(list);
    CFileException error;
    try {
        ExportPolylines(list, "/dev/full", g_exportPointList, &error);
        FAIL() << "the write to /dev/full succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.GetErrorMessage(), "Disco pieno durante l'accesso a /dev/full.");
    }
}
#endif

TEST(ExportFrame, MissingFolderIsReportedAndNothingIsWritten) {
    ScratchDir dir;
    CPolylineList list;
    TwoPolylines(list);
    CFileException error;
    const std::string path = dir.File("nowhere/a.csv");
    EXPECT_FALSE(ExportPolylines(list, path.c_str(), g_exportPointList, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_EQ(error.GetErrorMessage(),
              CString((path + " contiene un percorso non valido.").c_str()));
}

#ifndef _WIN32 // /dev/full, permission bits and fork are POSIX; the Windows file tests have their
               // own
TEST(ExportFrame, UnwritableFolderIsAccessDeniedAndCreatesNothing) {
    ScratchDir dir;
    ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.File("ro").c_str(), 0555), 0);
    CPolylineList list;
    TwoPolylines(list);
    const int cause = ExportAsUnprivileged(list, dir.File("ro/a.csv"));
    ASSERT_NE(cause, 100) << "could not give up root";
    EXPECT_EQ(cause, CFileException::accessDenied);
    EXPECT_FALSE(FileExists(dir.File("ro/a.csv")));
}
#endif

#ifndef _WIN32 // /dev/full, permission bits and fork are POSIX; the Windows file tests have their
               // own
TEST(ExportFrame, ReadOnlyFileKeepsItsContents) {
    ScratchDir dir;
    ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    WriteWholeFile(dir.File("keep.csv"), "keep me\n");
    ASSERT_EQ(chmod(dir.File("keep.csv").c_str(), 0444), 0);
    CPolylineList list;
    TwoPolylines(list);
    EXPECT_EQ(ExportAsUnprivileged(list, dir.File("keep.csv")), CFileException::accessDenied);
    EXPECT_EQ(ReadWholeFile(dir.File("keep.csv")), "keep me\n");
}
#endif

TEST(ExportFrame, FolderAsFileIsAccessDenied) {
    ScratchDir dir;
    CPolylineList list;
    CFileException error;
    EXPECT_FALSE(ExportPolylines(list, dir.Path().c_str(), g_exportPointList, &error));
    EXPECT_EQ(error.GetErrorMessage(), CString(("Accesso a " + dir.Path() + " negato.").c_str()));
}

TEST(ExportSettings, RowsOfTheThreeCommands) {
    EXPECT_STREQ(g_exportPointList.pszDefaultExt, "csv");
    EXPECT_STREQ(g_exportPointList.pszFilter,
                 "File curve per punti (*.CSV)|*.csv|Tutti i file|*.*||");
    EXPECT_EQ(g_exportPointList.nButtonId, 1004);
    EXPECT_STREQ(g_exportSectionsDat.pszDefaultExt, "dat");
    EXPECT_STREQ(g_exportSectionsDat.pszFilter,
                 "File sezioni pannellatura(*.dat)|*.dat|Tutti i file|*.*||");
    EXPECT_EQ(g_exportSectionsDat.nButtonId, 1003);
    EXPECT_STREQ(g_exportSectionsCsv.pszDefaultExt, "csv");
    EXPECT_STREQ(g_exportSectionsCsv.pszFilter,
                 "File sezioni pannellatura(*.csv)|*.csv|Tutti i file|*.*||");
    EXPECT_EQ(g_exportSectionsCsv.nButtonId, 1005);
}
