// The Windows file layer: the causes that the system's own error codes give, the sharing
// rules of the two open modes, and bytes that pass untranslated.
#include "File.h"
#include "TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr UINT kCreate = CFile::modeCreate | CFile::modeWrite;

// Opens the path and expects it to fail with the cause and the system code.
void ExpectOpenFails(const std::string& path, UINT nFlags, int nCause, long lOsError) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), nFlags, &error));
    EXPECT_EQ(error.m_cause, nCause);
    EXPECT_EQ(error.m_lOsError, lOsError);
    EXPECT_EQ(error.m_strFileName, path.c_str());
}

} // namespace

TEST(FileOnWindows, MissingFileIsFileNotFound) {
    ScratchDir dir;
    const std::string path = dir.File("assente.dxf");
    ExpectOpenFails(path, CFile::modeRead, CFileException::fileNotFound, 2);
    CFileException error(CFileException::fileNotFound, 2, path.c_str());
    EXPECT_EQ(error.GetErrorMessage(), (path + " non trovato.").c_str());
}

TEST(FileOnWindows, MissingFolderIsBadPath) {
    ScratchDir dir;
    ExpectOpenFails(dir.File("manca/disegno.dxf"), CFile::modeRead, CFileException::badPath, 3);
    ExpectOpenFails(dir.File("manca/punti.csv"), kCreate, CFileException::badPath, 3);
}

TEST(FileOnWindows, FolderOpenedAsFileIsAccessDenied) {
    ScratchDir dir;
    fs::create_directory(dir.File("cartella"));
    ExpectOpenFails(dir.File("cartella"), CFile::modeRead, CFileException::accessDenied, 5);
    ExpectOpenFails(dir.File("cartella"), kCreate, CFileException::accessDenied, 5);
}

TEST(FileOnWindows, ReadOnlyFileOnCreateIsAccessDenied) {
    ScratchDir dir;
    const std::string path = dir.File("sola-lettura.csv");
    WriteWholeFile(path, "resta\n");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (std::FILE* pProbe = std::fopen(path.c_str(), "r+")) {
        std::fclose(pProbe);
        GTEST_SKIP() << "this user writes read-only files anyway (wine run as root); "
                        "tests/windows/run.sh runs the tests as nobody";
    }
    ExpectOpenFails(path, kCreate, CFileException::accessDenied, 5);
    EXPECT_EQ(ReadWholeFile(path), "resta\n");
}

TEST(FileOnWindows, FileBeingWrittenIsASharingViolation) {
    ScratchDir dir;
    const std::string path = dir.File("in-scrittura.dat");
    CFile writer;
    ASSERT_TRUE(writer.Open(path.c_str(), kCreate));
    ExpectOpenFails(path, CFile::modeRead, CFileException::sharingViolation, 32);
    ExpectOpenFails(path, kCreate, CFileException::sharingViolation, 32);
}

TEST(FileOnWindows, FileBeingReadOpensForReadingButNotForWriting) {
    ScratchDir dir;
    const std::string path = dir.File("in-lettura.dxf");
    WriteWholeFile(path, "0\r\nEOF\r\n");
    CFile reader;
    ASSERT_TRUE(reader.Open(path.c_str(), CFile::modeRead));
    CFile second;
    EXPECT_TRUE(second.Open(path.c_str(), CFile::modeRead));
    ExpectOpenFails(path, kCreate, CFileException::sharingViolation, 32);
}

TEST(FileOnWindows, BytesPassWithoutLineEndTranslation) {
    ScratchDir dir;
    const std::string path = dir.File("righe.csv");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), kCreate));
        file.Write("a\nb\r\n\x1A"
                   "c",
                   7);
    }
    EXPECT_EQ(ReadWholeFile(path), std::string("a\nb\r\n\x1A"
                                               "c",
                                               7));
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 7u);
    char buf[8] = {};
    EXPECT_EQ(file.Read(buf, 8), 7u);
    EXPECT_EQ(std::string(buf, 7), std::string("a\nb\r\n\x1A"
                                               "c",
                                               7));
}

TEST(FileOnWindows, CreateEmptiesAnExistingFile) {
    ScratchDir dir;
    const std::string path = dir.File("vecchio.csv");
    WriteWholeFile(path, "contenuto di prima");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), kCreate));
    file.Write("xy", 2);
    file.Close();
    EXPECT_EQ(ReadWholeFile(path), "xy");
}

// trevano-cli wrote to descriptor 1 as if it were a system handle, which failed with an
// invalid handle, and its counts came out with CR LF line ends.
TEST(CliOnWindows, StandardOutputCarriesTheExportWithLfLineEnds) {
    ScratchDir dir;
    const std::string drawing = dir.File("uno.dxf");
    WriteWholeFile(
        drawing,
        DrawingBuilder().BeginEntities().Polyline3D({{1, 2, 3}, {4, 5, 6}}).EndEntities().CrLf());
    std::string out, err;
    EXPECT_EQ(RunCli({drawing, "--sezioni-csv", "-"}, &out, &err), 0);
    EXPECT_EQ(err, "Numero Polyline: 1\nNumero di punti: 2\n");
    EXPECT_EQ(out, "1.000000e+000,2\n"
                   ",2.000000e+000,3.000000e+000\n"
                   ",5.000000e+000,6.000000e+000\n");
}
