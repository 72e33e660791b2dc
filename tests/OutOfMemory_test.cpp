// trevano-cli with less memory than a drawing needs: "Memoria insufficiente." and exit 1,
// wherever the allocation that fails happens to be, and never a crash.
#include "FaultSupport.h"
#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define TREVANO_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TREVANO_UNDER_ASAN 1
#endif
#endif

namespace {

constexpr rlim_t kMegabyte = 1024 * 1024;

#ifdef TREVANO_UNDER_ASAN
#define SKIP_UNDER_ASAN(why) GTEST_SKIP() << why
#else
#define SKIP_UNDER_ASAN(why) (void)0
#endif

// AddressSanitizer reserves terabytes of address space for its shadow memory; under a limit
// of a few megabytes it cannot even start.
constexpr const char kNoRoom[] = "an address-space limit leaves AddressSanitizer no room";

// nPolylines polylines of nVertices vertices with the fewest bytes a vertex can take, so that
// the drawing is small on disk and large in memory (about 100 bytes per vertex).
std::string DenseDrawing(int nPolylines, int nVertices) {
    const std::string header = "  0\r\nPOLYLINE\r\n 70\r\n8\r\n";
    const std::string vertex = "  0\r\nVERTEX\r\n 10\r\n1\r\n";
    std::string text = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    text.reserve(static_cast<size_t>(nPolylines) * (vertex.size() * nVertices + 64));
    for (int i = 0; i < nPolylines; ++i) {
        text += header;
        for (int k = 0; k < nVertices; ++k)
            text += vertex;
        text += "  0\r\nSEQEND\r\n";
    }
    return text + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

int RunLimited(const std::vector<std::string>& args, rlim_t nAddressSpace, std::string* pOut,
               std::string* pErr) {
    CliRun run{[nAddressSpace] {
        struct rlimit limit {
            nAddressSpace, nAddressSpace
        };
        if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
    }};
    return RunCli(args, pOut, pErr, &run);
}

} // namespace

TEST(OutOfMemory, LargeDrawingUnderAnAddressLimitIsReported) {
    SKIP_UNDER_ASAN(kNoRoom);
    ScratchDir scratch;
    const std::string drawing = scratch.File("grande.dxf");
    WriteWholeFile(drawing, DenseDrawing(20, 50000)); // a million vertices, ~100 MB loaded
    std::string out, err;
    EXPECT_EQ(RunLimited({drawing}, 32 * kMegabyte, &out, &err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "Memoria insufficiente.\n");
}

TEST(OutOfMemory, SmallDrawingLoadsUnderTheSameLimit) {
    SKIP_UNDER_ASAN(kNoRoom);
    ScratchDir scratch;
    const std::string drawing = scratch.File("piccolo.dxf");
    WriteWholeFile(drawing, DenseDrawing(2, 3));
    std::string out, err;
    EXPECT_EQ(RunLimited({drawing, "--punti", scratch.File("p.csv")}, 32 * kMegabyte, &out, &err),
              0);
    EXPECT_EQ(out, CliCounts(2, 6));
    EXPECT_EQ(err, "");
}

TEST(OutOfMemory, EveryLimitEndsInTheResultOrTheMessage) {
    SKIP_UNDER_ASAN(kNoRoom);
    // Each limit runs out at another allocation: the file buffer, an entity's text, a block of
    // vertices, a polyline, the sort, an export block.
    ScratchDir scratch;
    const std::string drawing = scratch.File("grande.dxf"), csv = scratch.File("punti.csv");
    WriteWholeFile(drawing, DenseDrawing(1000, 600));
    int nLoaded = 0, nRefused = 0;
    for (rlim_t nLimit = 12 * kMegabyte; nLimit <= 132 * kMegabyte; nLimit += 8 * kMegabyte) {
        SCOPED_TRACE(std::to_string(nLimit / kMegabyte) + " MB");
        std::string out, err;
        const int nStatus = RunLimited({drawing, "--punti", csv}, nLimit, &out, &err);
        if (nStatus == 0) {
            ++nLoaded;
            EXPECT_EQ(out, CliCounts(1000, 600000));
            EXPECT_EQ(err, "");
        } else {
            ++nRefused;
            EXPECT_EQ(nStatus, 1);
            EXPECT_EQ(err, "Memoria insufficiente.\n");
        }
    }
    EXPECT_GT(nLoaded, 0) << "no limit was high enough: the sweep proves nothing";
    EXPECT_GT(nRefused, 0) << "no limit was low enough: the sweep proves nothing";
}

TEST(OutOfMemory, EveryAllocationThatFailsGivesTheResultOrTheMessage) {
    SKIP_UNDER_ASAN("AddressSanitizer's allocator is not the one that fails");
    // Before, an allocation that failed while the arguments were read escaped main as
    // std::bad_alloc and aborted the converter.
    ScratchDir scratch;
    const std::string drawing = scratch.File("d.dxf");
    WriteWholeFile(drawing, GridDrawing(3, 4));
    const std::vector<std::string> args = {drawing,
                                           "--punti",
                                           scratch.File("p.csv"),
                                           "--sezioni-dat",
                                           scratch.File("s.dat"),
                                           "--sezioni-csv=" + scratch.File("s.csv")};
    const std::string countFile = scratch.File("allocazioni");
    auto runFailingAt = [&](long n, std::string* pOut, std::string* pErr) {
        CliRun run{[n, &countFile] {
            setenv("LD_PRELOAD", TREVANO_FAILING_MALLOC, 1);
            setenv("TREVANO_FAIL_ALLOCATION", std::to_string(n).c_str(), 1);
            setenv("TREVANO_COUNT_ALLOCATIONS", countFile.c_str(), 1);
        }};
        return RunCli(args, pOut, pErr, &run);
    };
    std::string out, err;
    ASSERT_EQ(runFailingAt(0, &out, &err), 0) << err;
    const std::string expected = ReadWholeFile(scratch.File("p.csv")) +
                                 ReadWholeFile(scratch.File("s.dat")) +
                                 ReadWholeFile(scratch.File("s.csv"));
    const long nAllocations = std::stol(ReadWholeFile(countFile));
    ASSERT_GT(nAllocations, 20) << "the allocations were not counted";
    for (long n = 1; n <= nAllocations; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(nAllocations));
        for (const char* pszName : {"p.csv", "s.dat", "s.csv"})
            std::remove(scratch.File(pszName).c_str());
        const int nStatus = runFailingAt(n, &out, &err);
        if (nStatus == 0) {
            // A buffer the runtime can do without: the result must be whole.
            EXPECT_EQ(out, CliCounts(3, 12));
            EXPECT_EQ(ReadWholeFile(scratch.File("p.csv")) + ReadWholeFile(scratch.File("s.dat")) +
                          ReadWholeFile(scratch.File("s.csv")),
                      expected);
        } else {
            EXPECT_EQ(nStatus, 1);
            EXPECT_EQ(err, "Memoria insufficiente.\n");
        }
    }
}
