// The Windows file layer: the causes that the system's own error codes give, with the sharing
// rules of the two open modes.
#include "File.h"
#include "TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace fs = std::filesystem;

TEST(FileOnWindows, EachFailureHasTheCauseOfItsSystemCode) {
    constexpr UINT kRead = CFile::modeRead, kCreate = CFile::modeCreate | CFile::modeWrite;
    ScratchDir dir;
    fs::create_directory(dir.File("cartella"));
    WriteWholeFile(dir.File("in-lettura.dxf"), "0\r\nEOF\r\n");
    WriteWholeFile(dir.File("sola-lettura.csv"), "resta\n");
    fs::permissions(dir.File("sola-lettura.csv"), fs::perms::owner_read);
    // Wine run as root writes read-only files anyway; tests/windows/run.sh runs it as nobody.
    std::FILE* pProbe = std::fopen(dir.File("sola-lettura.csv").c_str(), "r+");
    if (pProbe) std::fclose(pProbe);
    CFile writer, reader, second;
    ASSERT_TRUE(writer.Open(dir.File("in-scrittura.dat").c_str(), kCreate));
    ASSERT_TRUE(reader.Open(dir.File("in-lettura.dxf").c_str(), kRead));
    ASSERT_TRUE(second.Open(dir.File("in-lettura.dxf").c_str(), kRead)); // readers share
    // The name, how it is opened, the cause and the system's code.
    const std::tuple<const char*, UINT, int, long> cases[] = {
        {"assente.dxf", kRead, CFileException::fileNotFound, 2},
        {"manca/disegno.dxf", kRead, CFileException::badPath, 3},
        {"manca/punti.csv", kCreate, CFileException::badPath, 3},
        {"cartella", kRead, CFileException::accessDenied, 5},
        {"cartella", kCreate, CFileException::accessDenied, 5},
        {"sola-lettura.csv", kCreate, CFileException::accessDenied, 5},
        {"in-scrittura.dat", kRead, CFileException::sharingViolation, 32},
        {"in-scrittura.dat", kCreate, CFileException::sharingViolation, 32},
        {"in-lettura.dxf", kCreate, CFileException::sharingViolation, 32},
    };
    for (const auto& [pszName, nFlags, nCause, lOsError] : cases) {
        if (pProbe && std::string(pszName) == "sola-lettura.csv") continue;
        SCOPED_TRACE(pszName);
        const std::string path = dir.File(pszName);
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(path.c_str(), nFlags, &error));
        EXPECT_EQ(error.m_cause, nCause);
        EXPECT_EQ(error.m_lOsError, lOsError);
        EXPECT_EQ(error.m_strFileName, path.c_str());
    }
    EXPECT_EQ(ReadWholeFile(dir.File("sola-lettura.csv")), "resta\n");
}
