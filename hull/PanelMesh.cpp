#include "PanelMesh.h"

#include "NumberText.h"
#include "Resampling.h"

#include <cmath>
#include <map>
#include <tuple>

namespace {

// Below this a panel has no area (square metres).
constexpr double kNoArea = 1e-12;

class MeshBuilder {
public:
    explicit MeshBuilder(PanelMesh& mesh) : m_mesh(mesh) {}

    int Node(double x, double y, double z) {
        const auto [it, bNew] = m_index.try_emplace({x, y, z}, static_cast<int>(m_index.size()));
        if (bNew) m_mesh.nodes.push_back({x, y, z});
        return it->second;
    }

    // Corners in the order that turns the normal outward; coinciding ones are merged, and
    // what has no area is left out.
    void Panel(std::array<int, 4> corners) {
        std::vector<int> distinct;
        for (int c : corners)
            if (distinct.empty() || (c != distinct.back() && c != distinct.front()))
                distinct.push_back(c);
        if (distinct.size() < 3) return;
        const MeshNode &a = m_mesh.nodes[distinct[0]], &b = m_mesh.nodes[distinct[1]],
                       &c = m_mesh.nodes[distinct[2]], &d = m_mesh.nodes[distinct.back()];
        // Half the cross product of the diagonals (for a triangle, of two sides).
        const double u[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
        const double v[3] = {d.x - b.x, d.y - b.y, d.z - b.z};
        const double w[3] = {a.x - b.x, a.y - b.y, a.z - b.z};
        const double* q = distinct.size() == 4 ? v : w;
        const double area = std::hypot(u[1] * q[2] - u[2] * q[1], u[2] * q[0] - u[0] * q[2],
                                       u[0] * q[1] - u[1] * q[0]) /
                            2.0;
        if (area < kNoArea) return;
        if (distinct.size() == 3) distinct.push_back(distinct[0]);
        m_mesh.panels.push_back({distinct[0], distinct[1], distinct[2], distinct[3]});
    }

private:
    PanelMesh& m_mesh;
    std::map<std::tuple<double, double, double>, int> m_index;
};

// A flat end between the curve and the centreline, its normal along +x (bForward) or -x.
void CloseEnd(MeshBuilder& builder, const std::vector<int>& curveNodes, const SectionCurve& curve,
              double x, double waterline, bool bForward) {
    for (size_t k = 0; k + 1 < curve.size(); ++k) {
        const int p0 = curveNodes[k], p1 = curveNodes[k + 1];
        const int q0 = builder.Node(x, 0.0, curve[k].z - waterline);
        const int q1 = builder.Node(x, 0.0, curve[k + 1].z - waterline);
        if (bForward)
            builder.Panel({p0, p1, q1, q0});
        else
            builder.Panel({p0, q0, q1, p1});
    }
}

// Each station's port half from the keel up, all resampled alike; false when a whole station
// is not symmetric, since the meshes hold one side only.
bool MeshHalves(const StationSet& set, int nSegments, std::vector<SectionCurve>& halves,
                std::string& refusal) {
    halves.clear();
    for (const Station& s : set.stations) {
        if (s.bWhole && !IsSymmetric(s.curve, kJoinTolerance)) {
            refusal = "La " + StationName(s) +
                      " non è simmetrica entro 1 mm: le maglie ne descrivono un lato solo.";
            return false;
        }
        halves.push_back(s.bWhole ? SplitAtCentreline(s.curve).port : s.curve);
    }
    halves = ResampleHalves(halves, CommonSegments(halves, nSegments));
    return true;
}

} // namespace

bool BuildPanelMesh(const StationSet& set, int nSegments, PanelMesh& mesh, std::string& refusal) {
    mesh = PanelMesh();
    MeshBuilder builder(mesh);
    std::vector<SectionCurve> halves;
    if (!MeshHalves(set, nSegments, halves, refusal)) return false;
    std::vector<std::vector<int>> nodes;
    for (size_t i = 0; i < halves.size(); ++i) {
        nodes.emplace_back();
        for (const SectionPoint& p : halves[i])
            nodes.back().push_back(builder.Node(set.stations[i].x, p.y, p.z - set.waterline));
    }
    for (size_t i = 0; i + 1 < nodes.size(); ++i)
        for (size_t k = 0; k + 1 < nodes[i].size(); ++k)
            builder.Panel({nodes[i][k], nodes[i][k + 1], nodes[i + 1][k + 1], nodes[i + 1][k]});
    for (const size_t i : {size_t{0}, nodes.size() - 1}) {
        const Station& s = set.stations[i];
        if (!s.bNoBreadth) CloseEnd(builder, nodes[i], halves[i], s.x, set.waterline, i > 0);
    }
    return true;
}

bool BuildLid(const StationSet& set, int nSegments, PanelMesh& lid, std::string& refusal) {
    lid = PanelMesh();
    MeshBuilder builder(lid);
    std::vector<SectionCurve> halves;
    if (!MeshHalves(set, nSegments, halves, refusal)) return false;
    const size_t n = halves.front().size() - 1;
    std::vector<std::vector<int>> rows; // across the waterline, from the centreline out
    for (size_t i = 0; i < halves.size(); ++i) {
        rows.emplace_back();
        // k / n is 1 at the last node, which is then the hull's own waterline node.
        for (size_t k = 0; k <= n; ++k)
            rows.back().push_back(builder.Node(
                set.stations[i].x,
                halves[i].back().y * (static_cast<double>(k) / static_cast<double>(n)), 0.0));
    }
    // Counter-clockwise seen from below: the normals point down, out of the body.
    for (size_t i = 0; i + 1 < rows.size(); ++i)
        for (size_t k = 0; k < n; ++k)
            builder.Panel({rows[i][k], rows[i][k + 1], rows[i + 1][k + 1], rows[i + 1][k]});
    return true;
}

std::string NemohMeshText(const PanelMesh& mesh) {
    std::string text = "2 1\n";
    for (size_t i = 0; i < mesh.nodes.size(); ++i) {
        AppendInteger(text, static_cast<long long>(i + 1));
        for (double v : {mesh.nodes[i].x, mesh.nodes[i].y, mesh.nodes[i].z}) {
            text += ' ';
            AppendExponent(text, v);
        }
        text += '\n';
    }
    text += "0 0.00 0.00 0.00\n";
    for (const std::array<int, 4>& panel : mesh.panels) {
        for (int k = 0; k < 4; ++k) {
            if (k > 0) text += ' ';
            AppendInteger(text, panel[k] + 1);
        }
        text += '\n';
    }
    text += "0 0 0 0\n";
    return text;
}

std::string WamitGdfText(const PanelMesh& mesh) {
    std::string text = "Carena bagnata, mezza (y >= 0), scritta da Trevano\n1.0 9.80665\n0 1\n";
    AppendInteger(text, static_cast<long long>(mesh.panels.size()));
    text += '\n';
    for (const std::array<int, 4>& panel : mesh.panels) {
        for (int k : panel) {
            const MeshNode& n = mesh.nodes[k];
            AppendExponent(text, n.x);
            text += ' ';
            AppendExponent(text, n.y);
            text += ' ';
            AppendExponent(text, n.z);
            text += '\n';
        }
    }
    return text;
}
