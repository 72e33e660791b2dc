// In-process benchmarks of the load, the sort and the three exports on generated drawings, and of
// the curves of form of a hull.
//
// Each benchmark of a drawing takes its shape as its two arguments (polylines, vertices each)
// and reports bytes/s of the file read or written and items/s in vertices (polylines for the
// sort).
#include "CurvesOfForm.h"
#include "DrawingGenerator.h"
#include "ExportFrame.h"
#include "ReadDrawing.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path WorkDirectory() {
    static const fs::path dir = [] {
        fs::path p = fs::temp_directory_path() / "trevano_core_bench";
        fs::create_directories(p);
        return p;
    }();
    return dir;
}

// The drawing of a shape, made on first use and kept for the rest of the run.
const fs::path& Drawing(benchmark::State& state) {
    static std::map<std::pair<long long, long long>, fs::path> drawings;
    const auto key = std::make_pair(state.range(0), state.range(1));
    auto it = drawings.find(key);
    if (it != drawings.end()) return it->second;
    fs::path path = WorkDirectory() / ("drawing_" + std::to_string(key.first) + "x" +
                                       std::to_string(key.second) + ".dxf");
    if (!WriteDrawingFile(path.string(), {key.first, key.second, 1}))
        state.SkipWithError("cannot write the drawing");
    return drawings.emplace(key, path).first->second;
}

void Load(const fs::path& drawing, CPolylineList& polylines) {
    CDxfFile file;
    if (!file.Open(drawing.c_str(), CFile::modeRead)) return;
    INT32 nPolylines = 0, nPoints = 0;
    ReadDrawing(file, polylines, nPolylines, nPoints);
}

void SetCounters(benchmark::State& state, long long nBytesPerIteration, long long nItems) {
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * nBytesPerIteration);
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * nItems);
}

void BM_Load(benchmark::State& state) {
    const fs::path& drawing = Drawing(state);
    for (auto _ : state) {
        CPolylineList polylines;
        Load(drawing, polylines);
        benchmark::DoNotOptimize(polylines.GetCount());
        state.PauseTiming(); // freeing the drawing is no part of the load
        polylines.RemoveAll();
        state.ResumeTiming();
    }
    SetCounters(state, static_cast<long long>(fs::file_size(drawing)),
                state.range(0) * state.range(1));
}

void BM_Sort(benchmark::State& state) {
    CPolylineList loaded;
    Load(Drawing(state), loaded);
    // The points in an order the load would not give: shuffled polylines.
    std::vector<std::vector<CVector3*>> order;
    for (INT32 i = 1; i <= loaded.GetCount(); ++i) {
        CPolyline* p = loaded.GetAt(i);
        std::vector<CVector3*> points;
        for (INT32 k = 1; k <= p->GetCount(); ++k)
            points.push_back(&p->GetVertex(k)->m_Point);
        order.push_back(std::move(points));
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (auto _ : state) {
        state.PauseTiming();
        CPolylineList polylines;
        for (const auto& points : order) {
            polylines.AddNew();
            CPolyline* p = polylines.GetAt(polylines.GetCount());
            for (CVector3* point : points)
                p->AddPoint(*point);
        }
        state.ResumeTiming();
        SortPolylines(polylines);
        benchmark::DoNotOptimize(polylines.GetAt(1));
        state.PauseTiming();
        polylines.RemoveAll();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * state.range(0));
}

void BenchExport(benchmark::State& state, const ExportForm& form) {
    CPolylineList polylines;
    Load(Drawing(state), polylines);
    const fs::path out = WorkDirectory() / "export.out";
    for (auto _ : state) {
        CFileException error;
        if (!ExportPolylines(polylines, out.c_str(), form, &error)) {
            state.SkipWithError("cannot create the output");
            break;
        }
    }
    SetCounters(state, static_cast<long long>(fs::file_size(out)), state.range(0) * state.range(1));
    fs::remove(out);
}

void BM_ExportPointList(benchmark::State& state) {
    BenchExport(state, g_formPointList);
}
void BM_ExportSectionsDat(benchmark::State& state) {
    BenchExport(state, g_formSectionsDat);
}
void BM_ExportSectionsCsv(benchmark::State& state) {
    BenchExport(state, g_formSectionsCsv);
}

// One million vertices three ways: the usual drawing, many small polylines, one long one.
void Shapes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"polylines", "vertices"});
    b->Args({2000, 500})->Args({200000, 5})->Args({1, 1000000});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Load)->Apply(Shapes);
// A sort of few polylines takes next to nothing against rebuilding the list between runs, which
// the pauses leave out of the time but not out of the wait: a fixed number of runs.
BENCHMARK(BM_Sort)->Apply(Shapes)->Iterations(5);
BENCHMARK(BM_ExportPointList)->Apply(Shapes);
BENCHMARK(BM_ExportSectionsDat)->Apply(Shapes);
BENCHMARK(BM_ExportSectionsCsv)->Apply(Shapes);

// The table of a Wigley hull 100 m long, 10 m broad and 6 m deep, of 100 half sections of 41
// points, over 1,000 waterlines from just above the keel to the design draught: items/s in
// waterlines.
void BM_CurvesOfForm(benchmark::State& state) {
    const double length = 100, breadth = 10, draught = 6;
    std::vector<DrawnCurve> curves;
    for (int i = 0; i < 100; ++i) {
        DrawnCurve curve;
        curve.nNumber = i + 1;
        const double x = length * i / 99, xi = 2 * x / length - 1;
        for (int k = 0; k <= 40; ++k) {
            const double zeta = k / 40.0 - 1;
            curve.points.push_back(
                {x, breadth / 2 * (1 - xi * xi) * (1 - zeta * zeta), draught * zeta});
        }
        curve.points.push_back({x, curve.points.back().y, 2});
        curves.push_back(std::move(curve));
    }
    SectionSet sections;
    std::string refusal;
    if (!BuildSections(curves, {}, sections, refusal)) state.SkipWithError(refusal.c_str());
    for (auto _ : state) {
        std::vector<Hydrostatics> rows;
        std::string notes;
        if (!ComputeCurvesOfForm(sections, {-5.9, 0, 999}, true, rows, notes, refusal))
            state.SkipWithError(refusal.c_str());
        benchmark::DoNotOptimize(CurvesOfFormCsv(rows));
    }
    state.SetItemsProcessed(static_cast<long long>(state.iterations()) * 1000);
}
BENCHMARK(BM_CurvesOfForm)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
