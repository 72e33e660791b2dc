// The dxflib peer of the comparison: reads the polylines of a drawing with Debian's dxflib and
// writes the point-list form, as a user would do it with that library. It is measured, not
// matched: printf's "%e" gives two exponent digits here, and meshes are not left out.
//
//   dxflib_peer IN.dxf OUT.csv
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

using Points = std::vector<std::array<double, 3>>;

class PolylineCollector : public DL_CreationAdapter {
public:
    void addPolyline(const DL_PolylineData&) override {
        m_polylines.emplace_back();
        m_bInPolyline = true;
    }
    void addVertex(const DL_VertexData& data) override {
        if (m_bInPolyline) m_polylines.back().push_back({data.x, data.y, data.z});
    }
    void endSequence() override { m_bInPolyline = false; }

    std::vector<Points>& Polylines() { return m_polylines; }

private:
    std::vector<Points> m_polylines;
    bool m_bInPolyline = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Uso: dxflib_peer IN.dxf OUT.csv\n", stderr);
        return 2;
    }
    PolylineCollector collector;
    DL_Dxf dxf;
    if (!dxf.in(argv[1], &collector)) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<Points>& polylines = collector.Polylines();
    polylines.erase(std::remove_if(polylines.begin(), polylines.end(),
                                   [](const Points& p) { return p.empty(); }),
                    polylines.end());
    std::stable_sort(polylines.begin(), polylines.end(),
                     [](const Points& a, const Points& b) { return a[0][0] < b[0][0]; });

    std::FILE* pOut = std::fopen(argv[2], "w");
    if (!pOut) {
        std::perror(argv[2]);
        return 1;
    }
    for (const Points& points : polylines) {
        std::fprintf(pOut, "Spezzata di  %zu punti\n", points.size());
        for (const auto& p : points)
            std::fprintf(pOut, "%e,%e,%e\n", p[0], p[1], p[2]);
    }
    return std::fclose(pOut) == 0 ? 0 : 1;
}
