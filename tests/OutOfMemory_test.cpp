// trevano-cli with less memory than a drawing needs: "Memoria insufficiente." and exit 1,
// wherever the allocation that fails happens to be, and never a crash. Left to the release
// build: AddressSanitizer's allocator is not the one that fails.
#include "FaultSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

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
