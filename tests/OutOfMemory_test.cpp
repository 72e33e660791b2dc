// trevano-cli with less memory than a drawing needs: "Memoria insufficiente." and exit 1,
// wherever the allocation that fails happens to be, and never a crash. Left to the release
// build: AddressSanitizer's allocator is not the one that fails.
#include "FaultSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

// Broke: an allocation that failed while the arguments were read escaped main as
// std::bad_alloc and aborted the converter.
TEST(OutOfMemory, EveryAllocationThatFailsGivesTheResultOrTheMessage) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's allocator is not the one that fails";
#endif
    ScratchDir scratch;
    DrawingBuilder drawing;
    drawing.BeginEntities();
    for (double x : {2.5, 0.5, 1.5})
        drawing.Polyline3D(std::vector<std::vector<double>>(4, {x, 2, 3}));
    WriteWholeFile(scratch.File("d.dxf"), drawing.EndEntities().CrLf());
    const std::vector<std::string> args = {scratch.File("d.dxf"), "--punti", scratch.File("p"),
                                           "--sezioni-dat=" + scratch.File("s")};
    // Runs the converter with allocation n failing (none with 0): its status, its output and
    // error, and what it wrote.
    auto run = [&](long n, std::string* pErr = nullptr) {
        CliRun failing{[n] {
            setenv("LD_PRELOAD", TREVANO_FAILING_MALLOC, 1);
            setenv("TREVANO_FAIL_ALLOCATION", std::to_string(n).c_str(), 1);
        }};
        std::string out, err;
        const int nStatus = RunCli(args, &out, &err, &failing);
        if (pErr) *pErr = err;
        return std::to_string(nStatus) + " " +
               (nStatus ? err : out + ReadWholeFile(args[2]) + ReadWholeFile(scratch.File("s")));
    };
    std::string count; // the preloaded library's, at the end of a run where nothing failed
    const std::string whole = run(0, &count);
    const long nAllocations = std::atol(count.c_str());
    for (long n = 1; n <= nAllocations; ++n) {
        for (const char* pszName : {"p", "s"})
            std::remove(scratch.File(pszName).c_str());
        // A buffer the runtime can do without fails unnoticed: then the result must be whole.
        const std::string got = run(n);
        EXPECT_TRUE(got == whole || got == "1 Memoria insufficiente.\n")
            << "allocation " << n << " of " << nAllocations << ": " << got;
    }
    EXPECT_GT(nAllocations, 20) << "the allocations were not counted";
}
