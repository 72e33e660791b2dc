// A lines-plan sheet read as a body plan against the same sections drawn in 3D: the reading,
// the centreline, the labels matched to the sections, and the sections built and cut at the
// waterline. The sheet holds 2,000 half sections of 10 vertices (aft ones left of the
// centreline, forward ones right), each numbered above its sheer, and 18,000 other texts; the 3D
// drawing the same sections at their x. The flat reading should stay within twice the other.
#include "BodyPlan.h"
#include "ReadDrawing.h"
#include "Stations.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kSections = 2000;
constexpr int kVertices = 10;
constexpr int kOtherTexts = 18000;

// Half-breadth at height z (0 to 5) of section i, in metres: from the keel on the centreline, the
// broader the nearer the middle of the hull, each section apart from the next at its sheer.
double HalfBreadth(int i, double z) {
    const int nFromEnd = i < kSections / 2 ? i : kSections - 1 - i;
    return (0.1 + 4.9 * nFromEnd / (kSections / 2)) * std::sqrt(z / 5.0);
}

std::string Drawing(bool bFlat) {
    const fs::path path =
        fs::temp_directory_path() / (bFlat ? "trevano_bench_sheet.dxf" : "trevano_bench_3d.dxf");
    if (fs::exists(path)) return path.string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return "";
    std::fputs("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n", f);
    for (int i = 0; i < kSections; ++i) {
        const double side = i < kSections / 2 ? -1.0 : 1.0;
        std::fputs("  0\r\nPOLYLINE\r\n  8\r\nSEZIONI\r\n 66\r\n1\r\n 70\r\n8\r\n", f);
        for (int k = 0; k < kVertices; ++k) {
            const double z = 5.0 * k / (kVertices - 1), y = HalfBreadth(i, z);
            if (bFlat)
                std::fprintf(f, "  0\r\nVERTEX\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n 30\r\n0.0\r\n",
                             side * y, z);
            else
                std::fprintf(f, "  0\r\nVERTEX\r\n 10\r\n%d\r\n 20\r\n%.6f\r\n 30\r\n%.6f\r\n", i,
                             y, z);
        }
        std::fputs("  0\r\nSEQEND\r\n", f);
        if (bFlat) // the number just above the sheer
            std::fprintf(f, "  0\r\nTEXT\r\n 10\r\n%.6f\r\n 20\r\n5.0005\r\n  1\r\n%d\r\n",
                         side * HalfBreadth(i, 5.0), i);
    }
    for (int t = 0; bFlat && t < kOtherTexts; ++t)
        std::fprintf(f, "  0\r\nTEXT\r\n 10\r\n%d\r\n 20\r\n%d\r\n  1\r\nWL %d\r\n", 20 + t % 100,
                     t / 100, t);
    std::fputs("  0\r\nENDSEC\r\n  0\r\nEOF\r\n", f);
    std::fclose(f);
    return path.string();
}

void ReadAndCut(benchmark::State& state, bool bFlat) {
    const std::string path = Drawing(bFlat);
    for (auto _ : state) {
        CDxfFile file;
        if (!file.Open(path.c_str(), CFile::modeRead)) return state.SkipWithError("no drawing");
        ReadChoices choices;
        choices.bTexts = bFlat;
        CPolylineList polylines;
        INT32 nPolylines = 0, nPoints = 0;
        DrawingScan scan;
        LoadReport report;
        std::vector<PolylineOrigin> origins;
        std::vector<TextLabel> labels;
        ReadDrawing(file, choices, polylines, nPolylines, nPoints, scan, report, origins, labels);
        std::vector<DrawnCurve> curves = CurvesOf(polylines, origins);
        std::string notes, refusal;
        if (bFlat) {
            std::vector<DrawnCurve> placed;
            if (!PlaceBodyPlan(curves, labels, {}, 1.0, placed, notes, refusal))
                return state.SkipWithError(refusal.c_str());
            curves = std::move(placed);
        }
        SectionSet sections;
        StationSet stations;
        if (!BuildSections(curves, {1.0, false}, sections, refusal) ||
            !CutAtWaterline(sections, 2.0, stations, refusal))
            return state.SkipWithError(refusal.c_str());
        benchmark::DoNotOptimize(stations.stations.size());
    }
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kSections);
}

void BM_BodyPlanSheet(benchmark::State& state) {
    ReadAndCut(state, true);
}

void BM_SameSectionsIn3D(benchmark::State& state) {
    ReadAndCut(state, false);
}

} // namespace

BENCHMARK(BM_BodyPlanSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SameSectionsIn3D)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
