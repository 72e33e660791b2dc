// libFuzzer target: arbitrary bytes as a drawing. The load must end and its counts agree with
// the list it filled; every polyline it keeps has a vertex and the list is in order of the
// first x; the three exports write one line per polyline and one per vertex.
//
// The bytes go to a file in memory (memfd), opened by name through /proc like any drawing, so
// that the reader runs exactly as it does on a disk file.
#include "DxfLoad.h"
#include "ExportFrame.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int MemoryFile(const char* pszName) {
    int fd = memfd_create(pszName, 0);
    if (fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    return fd;
}

[[noreturn]] void Broken(const char* pszWhat) {
    std::fprintf(stderr, "invariant broken: %s\n", pszWhat);
    std::abort();
}

const int g_nDrawing = MemoryFile("disegno.dxf");
const int g_nExport = MemoryFile("esportazione");
const std::string g_drawingPath = "/proc/self/fd/" + std::to_string(g_nDrawing);

void Replace(int fd, const void* p, size_t n) {
    if (ftruncate(fd, 0) != 0 || pwrite(fd, p, n, 0) != static_cast<ssize_t>(n))
        Broken("the drawing could not be written to memory");
}

long long CountLineEnds(int fd) {
    long long nLines = 0;
    char buf[1 << 16];
    off_t at = 0;
    for (ssize_t r; (r = pread(fd, buf, sizeof buf, at)) > 0; at += r)
        for (ssize_t i = 0; i < r; ++i)
            nLines += buf[i] == '\n';
    return nLines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Replace(g_nDrawing, data, size);
    CDxfFile file;
    if (!file.Open(g_drawingPath.c_str(), CFile::modeRead)) Broken("the drawing did not open");
    CPolylineList polylines;
    INT32 nPolylineCount = -1, nPointCount = -1;
    LoadPolylines(file, polylines, nPolylineCount, nPointCount);
    file.Close();

    if (nPolylineCount != polylines.GetCount()) Broken("polyline count");
    long long nVertices = 0;
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        CPolyline& polyline = *polylines.GetAt(i);
        if (polyline.GetCount() < 1) Broken("a polyline without vertices was kept");
        nVertices += polyline.GetCount();
        if (i > 1 &&
            polyline.GetVertex(1)->m_Point.X() < polylines.GetAt(i - 1)->GetVertex(1)->m_Point.X())
            Broken("the list is not in order of the first x");
    }
    if (nVertices != nPointCount) Broken("point count");

    Replace(g_nExport, nullptr, 0);
    lseek(g_nExport, 0, SEEK_SET);
    {
        CFile out(g_nExport, "esportazione");
        for (const ExportForm* pForm : {&g_formPointList, &g_formSectionsDat, &g_formSectionsCsv})
            WritePolylines(out, polylines, pForm->pfnBuildBlock);
    }
    if (CountLineEnds(g_nExport) != 3 * (nPolylineCount + nVertices))
        Broken("the exports' lines do not match the counts");
    return 0;
}
