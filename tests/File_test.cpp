// CFile: its buffers on random reads, seeks and writes against the same bytes kept in a string
// (within a buffer, across the 64 KiB boundary, larger than a buffer, at and past the end), and
// on POSIX the cause of every failure the system reports, the file named, descriptors released.
#include "File.h"

#include "TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#ifndef _WIN32
#include "FaultSupport.h"

#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#endif

namespace {

constexpr UINT kRead = CFile::modeRead, kCreate = CFile::modeCreate | CFile::modeWrite;
constexpr UINT kBuffer = 65536;

// Bytes that differ from their neighbours and from their position modulo 256, so that bytes
// from the wrong offset show; line ends and ^Z among them, which must pass untranslated.
std::string Pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

} // namespace

TEST(File, RandomReadsAndSeeksGiveTheBytesOfTheFile) {
    ScratchDir dir;
    const std::string path = dir.File("dati.bin"), bytes = Pattern(200000);
    WriteWholeFile(path, bytes);
    std::mt19937 rng(4242);
    CFile f;
    for (int round = 0; round < 4000; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_TRUE(round % 1000 || f.Open(path.c_str(), kRead)); // again from the beginning
        const LONGLONG nHere = f.GetPosition(), nBase[] = {0, nHere, 200000}; // begin, current, end
        const LONGLONG nAt = round % 1000 == 0 ? 0 : rng() % 4 ? rng() % 230000 : nHere;
        const UINT nFrom = rng() % 3, nCount = rng() % 8 ? rng() % 2000 : kBuffer + rng() % 99999;
        if (round % 1000) f.Seek(nAt - nBase[nFrom], nFrom);
        std::string got(nCount, '\0');
        UINT nRead = 0;
        const bool bInPlace = rng() % 2; // at most one buffer, without a copy
        const char* p = bInPlace ? f.ReadInPlace(nCount, nRead) : got.data();
        got.assign(p, bInPlace ? nRead : f.Read(got.data(), nCount));
        const size_t nExpected = bInPlace ? std::min(nCount, kBuffer) : nCount;
        ASSERT_TRUE(got == bytes.substr(std::min<size_t>(nAt, 200000), nExpected))
            << got.size() << " bytes read at " << nAt;
        ASSERT_EQ(f.GetPosition(), nAt + got.size());
    }
    EXPECT_THROW(f.Seek(-1, CFile::begin), CFileException);
    f.Write("x", 1); // opened for reading only
    EXPECT_THROW(f.Flush(), CFileException);
}

TEST(File, RandomWritesAndSeeksMakeTheBytesOfTheFile) {
    ScratchDir dir;
    const std::string path = dir.File("scritto.bin"), bytes = Pattern(150000);
    WriteWholeFile(path, "earlier contents, which the open for writing empties");
    std::mt19937 rng(777);
    std::string model;
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), kCreate));
    ASSERT_EQ(f.GetLength(), 0u);
    // Bursts of writes of up to 1, 2, 4... 128 KiB bytes, which end the buffer at every offset.
    for (int round = 0; round < 200; ++round) {
        size_t nAt = round % 3   ? f.Seek(rng() % (model.size() + 1000), CFile::begin)
                     : round % 2 ? f.GetPosition()
                                 : f.SeekToEnd();
        model.resize(std::max(model.size(), nAt));
        const size_t nLongest = size_t(1) << (rng() % 18);
        for (const size_t nEnd = nAt + 100000; nAt < nEnd;) {
            const size_t n = 1 + rng() % nLongest, nFrom = rng() % 10000;
            f.Write(bytes.data() + nFrom, static_cast<UINT>(n));
            model.replace(nAt, n, bytes, nFrom, n);
            nAt += n;
        }
        ASSERT_EQ(f.GetPosition(), nAt) << "round " << round;
        ASSERT_EQ(f.GetLength(), model.size()) << "round " << round;
    }
    f.Close();
    EXPECT_TRUE(ReadWholeFile(path) == model);
    EXPECT_THROW(f.Write("x", 1), CFileException); // closed: no byte may vanish unnoticed
    EXPECT_THROW(f.Seek(0, CFile::begin), CFileException);
}

#ifndef _WIN32 // errno, permission bits, /dev/full, /proc; the Windows causes have their own file
namespace {

int OpenDescriptorCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& fd : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// A name in the folder the test sets up (or an absolute one), how it is opened, how many bytes
// are written to it, and the cause that the open, the write or the close reports.
const std::tuple<const char*, UINT, UINT, int> kCauses[] = {
    {"manca.dxf", kRead, 0, CFileException::fileNotFound},
    {"manca/disegno.dxf", kRead, 0, CFileException::badPath},
    {"manca/punti.csv", kCreate, 0, CFileException::badPath},
    {"sola-lettura.csv/sotto.dxf", kRead, 0, CFileException::badPath},
    {"cartella", kRead, 0, CFileException::accessDenied},
    {"cartella", kCreate, 0, CFileException::accessDenied},
    {"segreto.dxf", kRead, 0, CFileException::accessDenied},
    {"sola-lettura.csv", kCreate, 0, CFileException::accessDenied},
    {"cartella/punti.csv", kCreate, 0, CFileException::accessDenied},
    {"/dev/full", kCreate, 1000, CFileException::diskFull},           // at the close
    {"piccolo/pieno.csv", kCreate, 170000, CFileException::diskFull}, // at the write
    {"spazi e accenti \xC3\xA0\xC3\xA8.csv", kCreate, 10, CFileException::none},
    {"latino \xE8.csv", kCreate, 10, CFileException::none},
};

} // namespace

// In a child that is not root, for whom permission bits count; it reports the rows that differ
// and whether every descriptor is closed, but for the one CFile only wraps.
// Without a tmpfs of our own (not root) the row of the disk that fills up is left out.
TEST(File, EachFailureOfTheSystemHasItsCauseAndNamesTheFile) {
    ScratchDir dir;
    chmod(dir.Path().c_str(), 0777);
    mkdir(dir.File("cartella").c_str(), 0555);
    WriteWholeFile(dir.File("segreto.dxf"), "contenuto\n");
    WriteWholeFile(dir.File("sola-lettura.csv"), "contenuto\n");
    chmod(dir.File("segreto.dxf").c_str(), 0200);
    chmod(dir.File("sola-lettura.csv").c_str(), 0444);
    SmallFileSystem small(dir.File("piccolo"), 64 * 1024);
    WriteWholeFile(dir.File("piccolo/prima.txt"), "scritto prima\n");
    const std::string bytes = Pattern(170000);
    int nStatus = -1;
    const std::string report = RunInChild(
        [&] {
            const int nBefore = OpenDescriptorCount();
            std::string r;
            for (const auto& [pszName, nFlags, nBytes, nCause] : kCauses) {
                if (!small.Mounted() && nBytes > kBuffer) continue;
                const std::string path = *pszName == '/' ? pszName : dir.File(pszName);
                CFile f;
                CFileException e;
                try {
                    if (f.Open(path.c_str(), nFlags, &e)) f.Write(bytes.data(), nBytes);
                } catch (const CFileException& thrown) {
                    e = thrown;
                }
                try {
                    f.Close(); // on every path, as the export frame does
                } catch (const CFileException& thrown) {
                    e = thrown;
                }
                if (f.IsOpen() || e.m_cause != nCause ||
                    (nCause && e.m_strFileName != path.c_str()))
                    r += std::string(pszName) + " gave " + std::to_string(e.m_cause) + " naming " +
                         e.m_strFileName.Str() + (f.IsOpen() ? ", left open\n" : "\n");
            }
            {
                CFile f, wrapped(STDOUT_FILENO, "standard output"); // left open by CFile
                f.Open(dir.File("sola-lettura.csv").c_str(), kRead);
                f.Open(dir.File("sola-lettura.csv").c_str(), kRead); // closes the first
            }
            return r + "descriptors left open: " + std::to_string(OpenDescriptorCount() - nBefore);
        },
        &nStatus);
    EXPECT_EQ(nStatus, 0);
    EXPECT_EQ(report, "descriptors left open: 0");
    EXPECT_EQ(ReadWholeFile(dir.File("sola-lettura.csv")), "contenuto\n");
    EXPECT_FALSE(FileExists(dir.File("cartella/punti.csv")));
    EXPECT_EQ(ReadWholeFile(dir.File("piccolo/prima.txt")), "scritto prima\n");
    // What the full disk took stays: a beginning of what was written.
    const std::string partial = ReadWholeFile(dir.File("piccolo/pieno.csv"));
    EXPECT_TRUE(!small.Mounted() || (!partial.empty() && partial.size() < bytes.size() &&
                                     bytes.compare(0, partial.size(), partial) == 0))
        << partial.size() << " bytes kept";
}

// Positions past 32 bits: a polyline before a hole of 4.5 GiB and one after it, loaded by the
// converter, whose memory must not grow with the file.
TEST(File, SparseFileOfSeveralGigabytesLoadsInBoundedMemory) {
    ScratchDir dir;
    SparseDrawing drawing(dir.Path());
    if (!drawing.Ready()) GTEST_SKIP() << drawing.Reason();
    // The peak of a child counts what the fork copied from this process: a run that loads
    // nothing measures it.
    CliRun run, nothing;
    std::string out;
    RunCli({"--version"}, nullptr, nullptr, &nothing);
    EXPECT_EQ(RunCli({drawing.Path()}, &out, nullptr, &run), 0);
    EXPECT_EQ(out, "Numero Polyline: 2\nNumero di punti: 5\n");
    EXPECT_LT(run.nMaxRssKb, nothing.nMaxRssKb + 32 * 1024);
}
#endif
