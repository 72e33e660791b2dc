// The panel meshes of the wetted half hull and of its lid: what they enclose and cover, and
// which way their panels face.
#include "HullSupport.h"
#include "Hydrostatics.h"
#include "PanelMesh.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Twice the panel's area times its normal's z: positive when it faces up.
double TwiceAreaUp(const PanelMesh& mesh, const std::array<int, 4>& panel) {
    const MeshNode &a = mesh.nodes[panel[0]], &b = mesh.nodes[panel[1]];
    const MeshNode &c = mesh.nodes[panel[2]], &d = mesh.nodes[panel[3]];
    return (c.x - a.x) * (d.y - b.y) - (c.y - a.y) * (d.x - b.x);
}

// Both sides' volume by the divergence theorem, z n_z over the half hull: exact for the flat
// parallelograms of a prism, whose centroid is their corners' mean.
double Volume(const PanelMesh& mesh) {
    double volume = 0.0;
    for (const std::array<int, 4>& p : mesh.panels) {
        const double z = mesh.nodes[p[0]].z + mesh.nodes[p[1]].z + mesh.nodes[p[2]].z;
        volume += (z + mesh.nodes[p[3]].z) / 4.0 * TwiceAreaUp(mesh, p);
    }
    return volume;
}

} // namespace

TEST(PanelMesh, StraightSidedHullsEncloseTheirVolumeAtEveryCount) {
    // Broke: the sections were resampled evenly across their chines, and a box barge of
    // 2000 m^3 enclosed 1933 m^3 with 3 segments a side, 1997.5 m^3 with 20.
    const std::vector<StationSet> hulls = StraightSidedHulls();
    for (size_t i = 0; i < hulls.size(); ++i) {
        const double volume = ComputeHydrostatics(hulls[i]).volume;
        for (int n = 3; n <= 49; ++n) {
            SCOPED_TRACE(testing::Message() << "hull " << i << ", " << n << " segments");
            PanelMesh mesh;
            std::string refusal;
            ASSERT_TRUE(BuildPanelMesh(hulls[i], n, mesh, refusal)) << refusal;
            EXPECT_NEAR(Volume(mesh), volume, 1e-9 * volume);
        }
    }
}

TEST(PanelMesh, LidCoversTheWaterplaneFacingDownFromTheHullsWaterlineNodes) {
    const StationSet hulls[] = {StraightSidedHulls()[4],
                                CutAt(SectionsOf(WigleyHull(6.0, 0.6, 0.375, 11, 9, 0.2)), 0.0)};
    for (const StationSet& set : hulls) {
        SCOPED_TRACE(set.stations.size());
        PanelMesh hull, lid;
        std::string refusal;
        ASSERT_TRUE(BuildPanelMesh(set, 7, hull, refusal) && BuildLid(set, 7, lid, refusal));
        EXPECT_EQ(lid.panels.size(), 7 * (set.stations.size() - 1));
        double twiceArea = 0.0;
        for (const std::array<int, 4>& p : lid.panels) {
            EXPECT_LT(TwiceAreaUp(lid, p), 0.0);
            twiceArea -= TwiceAreaUp(lid, p);
        }
        const double waterplane = ComputeHydrostatics(set).waterplaneArea;
        EXPECT_NEAR(twiceArea, waterplane, 1e-12 * waterplane);
        for (const MeshNode& n : hull.nodes) {
            auto same = [&n](const MeshNode& m) { return m.x == n.x && m.y == n.y && m.z == 0; };
            EXPECT_TRUE(n.z < 0 || std::any_of(lid.nodes.begin(), lid.nodes.end(), same));
        }
    }
}
