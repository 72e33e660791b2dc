// The model's chains against plain models of them, on random operations with fixed seeds: the
// shortcuts (the tail, the vertex cursor, walks from the nearest of head, cursor and tail) must
// give what walks from the first element give. The vertex operations the sort once needed
// (AddVertex, AppendCopyOf, RemoveAt) stay part of the model and are driven here too.
#include "Polyline.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Vec : CVector3 {
    Vec(double x, double y, double z) { Set(x, y, z); }
};

// The vertex found by following the links from the first one.
CVertex* Walk(const CPolyline& polyline, INT32 n) {
    CVertex* p = n >= 1 && n <= polyline.m_nCount ? polyline.m_pFirst : nullptr;
    for (INT32 k = 1; p && k < n; ++k)
        p = p->m_pNext;
    return p;
}

} // namespace

TEST(Polyline, VertexOperationsAgreeWithWalksOnRandomOperations) {
    std::mt19937 rng(20240601);
    CPolyline polyline;
    std::vector<double> model; // x and z of the point and z of the other vector, per vertex
    for (int step = 0; step < 4000; ++step) {
        const double v = step;
        const INT32 nCount = polyline.GetCount();
        const INT32 n = static_cast<INT32>(rng() % (nCount + 3)) - 1; // -1 to count + 1
        CPolyline source;
        switch (rng() % 7) {
        case 0:
            polyline.AddPoint(Vec(v, -v, 0.5));
            model.insert(model.end(), {v, 0.5, 0});
            break;
        case 1:
            polyline.AddVertex(Vec(v, 1, 2), Vec(3, 4, v));
            model.insert(model.end(), {v, 2, v});
            break;
        case 2:
            polyline.AppendVertex();
            model.insert(model.end(), 3, 0.0);
            break;
        case 3:
            for (int k = static_cast<int>(rng() % 3); k > 0; --k) {
                source.AddVertex(Vec(k, v, 7), Vec(8, k, -v));
                model.insert(model.end(), {double(k), 7, -v});
            }
            polyline.AppendCopyOf(source);
            polyline.AppendCopyOf(polyline); // refused: it would never end
            break;
        case 4:
            polyline.RemoveAt(n);
            if (n >= 1 && n <= nCount)
                model.erase(model.begin() + 3 * (n - 1), model.begin() + 3 * n);
            break;
        default: // forward, backward and out of range
            for (INT32 k : {n, n + 1, n - 2, nCount, 1, n})
                ASSERT_EQ(polyline.GetVertex(k), Walk(polyline, k)) << "vertex " << k;
        }
        std::vector<double> chain;
        for (const CVertex* p = polyline.m_pFirst; p; p = p->m_pNext)
            chain.insert(chain.end(), {p->m_Point.X(), p->m_Point.Z(), p->m_Aux.Z()});
        ASSERT_EQ(chain, model) << "step " << step;
        ASSERT_EQ(polyline.GetCount() * size_t{3}, model.size());
    }
}

// A list taken over keeps the links of both ends: positions reached backwards from the tail find
// the polylines the forward walk finds.
TEST(PolylineList, TakeOverJoinsTheListsBothWays) {
    const std::pair<int, int> cases[] = {{0, 0}, {0, 2}, {2, 0}, {3, 2}};
    for (const auto& [nOwn, nOther] : cases) {
        CPolylineList list, other;
        for (int i = 0; i < nOwn + nOther; ++i) {
            CPolylineList& to = i < nOwn ? list : other;
            to.AddNew();
            to.GetAt(to.GetCount())->AddPoint(Vec(i, 0, 0));
        }
        list.TakeOver(other);
        std::vector<double> forward, backward;
        for (INT32 i = 1; i <= list.GetCount(); ++i)
            forward.push_back(list.GetAt(i)->GetVertex(1)->m_Point.X());
        for (INT32 i = list.GetCount(); i >= 1; --i)
            backward.insert(backward.begin(), list.GetAt(i)->GetVertex(1)->m_Point.X());
        std::vector<double> expected;
        for (int i = 0; i < nOwn + nOther; ++i)
            expected.push_back(i);
        EXPECT_EQ(forward, expected);
        EXPECT_EQ(backward, expected);
        EXPECT_EQ(other.GetCount(), 0);
        EXPECT_EQ(other.GetAt(1), nullptr);
    }
}
