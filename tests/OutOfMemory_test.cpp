// trevano-cli with less memory than a drawing needs: "Memoria insufficiente." and exit 1,
// wherever the allocation that fails happens to be, and never a crash. Both sweeps are left to
// the release build: AddressSanitizer reserves terabytes of address space for its shadow
// memory, and its allocator is not the one that fails.
#include "FaultSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

std::string GridDrawing(int nPolylines, size_t nVertices) {
    DrawingBuilder b;
    b.BeginEntities();
    for (int i = 0; i < nPolylines; ++i)
        b.Polyline3D(std::vector<std::vector<double>>(nVertices, {i + 0.5, 2, 3}));
    return b.EndEntities().CrLf();
}

// Runs the converter as run prepares it: true when it gave the whole result, false when it
// reported that memory ran out, as nothing else may happen.
bool WholeResultOrTheMessage(const std::vector<std::string>& args, CliRun run,
                             const std::string& counts) {
    std::string out, err;
    const int nStatus = RunCli(args, &out, &err, &run);
    const std::string got = nStatus == 0 ? out : std::to_string(nStatus) + " " + err;
    EXPECT_TRUE(got == counts || got == "1 Memoria insufficiente.\n") << got;
    return nStatus == 0;
}

} // namespace

// Each limit runs out at another allocation: the file buffer, an entity's text, a block of
// vertices, a polyline, the sort, an export block.
TEST(OutOfMemory, EveryAddressSpaceLimitEndsInTheResultOrTheMessage) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer cannot start under an address-space limit";
#endif
    ScratchDir scratch;
    WriteWholeFile(scratch.File("d.dxf"), GridDrawing(1000, 600));
    int nLoaded = 0, nRefused = 0;
    for (rlim_t nMegabytes = 12; nMegabytes <= 132; nMegabytes += 8) {
        SCOPED_TRACE(std::to_string(nMegabytes) + " MB");
        CliRun run{[nMegabytes] {
            const rlimit limit{nMegabytes << 20, nMegabytes << 20};
            setrlimit(RLIMIT_AS, &limit);
        }};
        const bool bLoaded =
            WholeResultOrTheMessage({scratch.File("d.dxf"), "--punti", scratch.File("p.csv")}, run,
                                    CliCounts(1000, 600000));
        ++(bLoaded ? nLoaded : nRefused);
    }
    EXPECT_GT(nLoaded, 0) << "no limit was high enough: the sweep proves nothing";
    EXPECT_GT(nRefused, 0) << "no limit was low enough: the sweep proves nothing";
}

// Broke: an allocation that failed while the arguments were read escaped main as
// std::bad_alloc and aborted the converter.
TEST(OutOfMemory, EveryAllocationThatFailsGivesTheResultOrTheMessage) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's allocator is not the one that fails";
#endif
    ScratchDir scratch;
    WriteWholeFile(scratch.File("d.dxf"), GridDrawing(3, 4));
    const std::vector<std::string> args = {scratch.File("d.dxf"), "--punti", scratch.File("p"),
                                           "--sezioni-dat=" + scratch.File("s")};
    auto failingAt = [](long n) {
        return CliRun{[n] {
            setenv("LD_PRELOAD", TREVANO_FAILING_MALLOC, 1);
            setenv("TREVANO_FAIL_ALLOCATION", std::to_string(n).c_str(), 1);
        }};
    };
    auto outputs = [&] {
        return ReadWholeFile(scratch.File("p")) + ReadWholeFile(scratch.File("s"));
    };
    std::string count;
    CliRun counting = failingAt(0);
    ASSERT_EQ(RunCli(args, nullptr, &count, &counting), 0) << count;
    const std::string whole = outputs();
    const long nAllocations = std::atol(count.c_str());
    ASSERT_GT(nAllocations, 20) << "the allocations were not counted";
    for (long n = 1; n <= nAllocations; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(nAllocations));
        for (const char* pszName : {"p", "s"})
            std::remove(scratch.File(pszName).c_str());
        // A buffer the runtime can do without fails unnoticed: then the result must be whole.
        EXPECT_TRUE(!WholeResultOrTheMessage(args, failingAt(n), CliCounts(3, 12)) ||
                    outputs() == whole);
    }
}
