#include "Polyline.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// Vectors are never copied whole, so a literal one is made in place.
struct Vec : CVector3 {
    Vec(double x, double y, double z) { Set(x, y, z); }
};

// A polyline is told apart by the x of its first vertex.
void Tag(CPolyline* p, double tag) {
    p->AddPoint(Vec(tag, 0, 0));
}
double TagOf(CPolyline* p) {
    return p && p->GetVertex(1) ? p->GetVertex(1)->m_Point.X() : -1;
}

void AddTagged(CPolylineList& list, std::initializer_list<double> tags) {
    for (double t : tags) {
        list.AddNew();
        Tag(list.GetAt(list.GetCount()), t);
    }
}

// Tags of positions 1 to count, read without moving the cursor, in both directions.
std::vector<double> Tags(const CPolylineList& list) {
    std::vector<double> forward, backward;
    if (!list.m_pCurrent) return forward;
    const CPolylineNode* p = list.m_pCurrent;
    while (p->m_pPrev)
        p = p->m_pPrev;
    for (; p; p = p->m_pNext) {
        forward.push_back(p->m_polyline.m_pFirst->m_Point.X());
        if (!p->m_pNext) {
            for (const CPolylineNode* q = p; q; q = q->m_pPrev)
                backward.insert(backward.begin(), q->m_polyline.m_pFirst->m_Point.X());
        }
    }
    EXPECT_EQ(forward, backward) << "the links forward and backward disagree";
    EXPECT_EQ(static_cast<INT32>(forward.size()), list.GetCount());
    return forward;
}

std::vector<double> Xs(const CPolyline& p) {
    std::vector<double> xs;
    for (CVertex* v = p.m_pFirst; v; v = v->m_pNext)
        xs.push_back(v->m_Point.X());
    return xs;
}

} // namespace

TEST(PolylineList, EmptyListHasNothingToGiveOrRemove) {
    CPolylineList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(list.RemoveAt(1), 0);
    EXPECT_EQ(list.RemoveAll(), 0);
    EXPECT_EQ(list.m_nCurrent, 0);
    EXPECT_EQ(list.m_pCurrent, nullptr);
}

TEST(PolylineList, OneNewPolylineAnswersEveryPosition) {
    CPolylineList list;
    list.AddNew();
    EXPECT_EQ(list.GetCount(), 1);
    CPolyline* p = list.GetAt(1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), p);
    EXPECT_EQ(list.GetAt(2), p);
    EXPECT_EQ(list.GetAt(-1), p);
}

TEST(PolylineList, OutOfRangeGetAtReturnsTheCursorPolyline) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3});
    CPolyline* second = list.GetAt(2);
    EXPECT_EQ(list.GetAt(7), second);
    EXPECT_EQ(list.m_nCurrent, 2);
    EXPECT_EQ(list.GetAt(0), second);
    EXPECT_EQ(TagOf(second), 2.0);
}

TEST(PolylineList, AddNewPutsTheCursorOnTheNewLast) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3, 4});
    list.GetAt(1);
    list.AddNew();
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.m_nCurrent, 5);
    CPolyline* fifth = list.GetAt(5);
    EXPECT_EQ(fifth->GetCount(), 0);
    EXPECT_EQ(list.GetAt(99), fifth);
    Tag(fifth, 5);
    EXPECT_EQ(Tags(list), (std::vector<double>{1, 2, 3, 4, 5}));
}

TEST(PolylineList, RemoveAtTheEndLeavesTheCursorOnThePredecessor) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3});
    EXPECT_EQ(list.RemoveAt(3), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.m_nCurrent, 2);
    EXPECT_EQ(TagOf(list.GetAt(9)), 2.0);
    EXPECT_EQ(Tags(list), (std::vector<double>{1, 2}));
}

TEST(PolylineList, RemoveAtTheStartMovesTheRestUp) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3});
    EXPECT_EQ(list.RemoveAt(1), 1);
    EXPECT_EQ(list.m_nCurrent, 1);
    EXPECT_EQ(TagOf(list.GetAt(0)), 2.0);
    EXPECT_EQ(TagOf(list.GetAt(1)), 2.0);
    EXPECT_EQ(Tags(list), (std::vector<double>{2, 3}));
}

TEST(PolylineList, RemoveAtTheMiddleLeavesTheCursorOnTheSuccessor) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3, 4});
    EXPECT_EQ(list.RemoveAt(2), 1);
    EXPECT_EQ(list.m_nCurrent, 2);
    EXPECT_EQ(TagOf(list.GetAt(0)), 3.0);
    EXPECT_EQ(Tags(list), (std::vector<double>{1, 3, 4}));
}

TEST(PolylineList, RemoveAtOfTheOnlyPolylineEmptiesTheList) {
    CPolylineList list;
    AddTagged(list, {1});
    EXPECT_EQ(list.RemoveAt(1), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.m_nCurrent, 0);
    EXPECT_EQ(list.GetAt(1), nullptr);
    list.AddNew();
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_NE(list.GetAt(1), nullptr);
}

TEST(PolylineList, RemoveAtOutOfRangeChangesNothing) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3});
    list.GetAt(2);
    EXPECT_EQ(list.RemoveAt(0), 0);
    EXPECT_EQ(list.RemoveAt(4), 0);
    EXPECT_EQ(list.RemoveAt(-3), 0);
    EXPECT_EQ(list.m_nCurrent, 2);
    EXPECT_EQ(Tags(list), (std::vector<double>{1, 2, 3}));
}

TEST(PolylineList, RemoveAllEmptiesAndTheListCanBeRefilled) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3});
    list.GetAt(2);
    EXPECT_EQ(list.RemoveAll(), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.m_pCurrent, nullptr);
    EXPECT_EQ(list.m_nCurrent, 0);
    EXPECT_EQ(list.RemoveAll(), 0);
    AddTagged(list, {7, 8});
    EXPECT_EQ(Tags(list), (std::vector<double>{7, 8}));
}

TEST(PolylineList, PolylinesKeepTheirAddressWhileOthersGo) {
    CPolylineList list;
    AddTagged(list, {1, 2, 3, 4, 5});
    CPolyline* fourth = list.GetAt(4);
    list.RemoveAt(1);
    list.RemoveAt(4);
    list.RemoveAt(2);
    EXPECT_EQ(list.GetAt(2), fourth);
    EXPECT_EQ(TagOf(fourth), 4.0);
}

TEST(PolylineList, CursorFollowsTheRulesOnRandomOperations) {
    std::mt19937 rng(12345);
    CPolylineList list;
    std::vector<double> model;
    INT32 nCursor = 0;
    double nextTag = 1;
    for (int step = 0; step < 5000; ++step) {
        int op = static_cast<int>(rng() % 10);
        INT32 i = static_cast<INT32>(rng() % (model.size() + 3)) - 1; // -1 to count + 1
        if (op < 3) {
            list.AddNew();
            Tag(list.GetAt(list.GetCount()), nextTag);
            model.push_back(nextTag++);
            nCursor = static_cast<INT32>(model.size());
        } else if (op < 5) {
            int result = list.RemoveAt(i);
            bool bInRange = i >= 1 && i <= static_cast<INT32>(model.size());
            ASSERT_EQ(result, bInRange ? 1 : 0);
            if (bInRange) {
                model.erase(model.begin() + (i - 1));
                INT32 n = static_cast<INT32>(model.size());
                nCursor = n == 0 ? 0 : (i <= n ? i : n);
            }
        } else {
            CPolyline* p = list.GetAt(i);
            if (i >= 1 && i <= static_cast<INT32>(model.size())) nCursor = i;
            ASSERT_EQ(TagOf(p), nCursor == 0 ? -1 : model[static_cast<size_t>(nCursor - 1)]);
        }
        ASSERT_EQ(list.GetCount(), static_cast<INT32>(model.size()));
        ASSERT_EQ(list.m_nCurrent, nCursor) << "step " << step;
        ASSERT_EQ(list.m_pCurrent == nullptr, model.empty());
        if (step % 97 == 0) {
            ASSERT_EQ(Tags(list), model);
        }
    }
}

TEST(PolylineList, ListHoldingOneVertexIsDestroyedCleanly) {
    auto* list = new CPolylineList;
    AddTagged(*list, {1});
    delete list;
    CPolyline* p = new CPolyline;
    p->AddPoint(Vec(1, 2, 3));
    delete p;
}

TEST(Polyline, VertexNumbersOutOfRangeAreNull) {
    CPolyline p;
    EXPECT_EQ(p.GetVertex(1), nullptr);
    EXPECT_EQ(p.GetVertex(0), nullptr);
    p.AddPoint(Vec(1, 0, 0));
    p.AddPoint(Vec(2, 0, 0));
    EXPECT_EQ(p.GetVertex(0), nullptr);
    EXPECT_EQ(p.GetVertex(3), nullptr);
    EXPECT_EQ(p.GetVertex(-1), nullptr);
    EXPECT_EQ(p.GetVertex(2)->m_Point.X(), 2.0);
}

TEST(Polyline, AddPointCopiesTheVector) {
    CPolyline p;
    Vec v(1, 2, 3);
    p.AddPoint(v);
    v.Set(9, 9, 9);
    CVertex* vertex = p.GetVertex(1);
    EXPECT_EQ(vertex->m_Point.X(), 1.0);
    EXPECT_EQ(vertex->m_Point.Y(), 2.0);
    EXPECT_EQ(vertex->m_Point.Z(), 3.0);
    EXPECT_EQ(vertex->m_Aux.X(), 0.0);
    EXPECT_EQ(vertex->m_pNext, nullptr);
}

TEST(Polyline, AppendVertexAddsAZeroVertex) {
    CPolyline p;
    p.AddPoint(Vec(1, 2, 3));
    p.AppendVertex();
    ASSERT_EQ(p.GetCount(), 2);
    CVertex* v = p.GetVertex(2);
    EXPECT_EQ(v->m_Point.X(), 0.0);
    EXPECT_EQ(v->m_Point.Z(), 0.0);
    EXPECT_EQ(v->m_Aux.Y(), 0.0);
    EXPECT_EQ(p.GetVertex(1)->m_pNext, v);
}

TEST(Polyline, AddVertexFillsBothVectors) {
    CPolyline p;
    p.AddVertex(Vec(1, 2, 3), Vec(4, 5, 6));
    CVertex* v = p.GetVertex(1);
    EXPECT_EQ(v->m_Point.Y(), 2.0);
    EXPECT_EQ(v->m_Aux.X(), 4.0);
    EXPECT_EQ(v->m_Aux.Z(), 6.0);
}

TEST(Polyline, AppendCopyOfAnEmptyPolylineAddsNothing) {
    CPolyline target, empty;
    target.AddPoint(Vec(1, 0, 0));
    target.AppendCopyOf(empty);
    EXPECT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.GetVertex(1)->m_pNext, nullptr);
}

TEST(Polyline, AppendCopyOfCopiesBothVectorsInOrder) {
    CPolyline target, source;
    target.AddPoint(Vec(1, 0, 0));
    target.AddPoint(Vec(2, 0, 0));
    source.AddVertex(Vec(3, 30, 300), Vec(-3, -30, -300));
    source.AddVertex(Vec(4, 40, 400), Vec(-4, -40, -400));
    source.AddVertex(Vec(5, 50, 500), Vec(-5, -50, -500));
    target.AppendCopyOf(source);
    ASSERT_EQ(target.GetCount(), 5);
    EXPECT_EQ(Xs(target), (std::vector<double>{1, 2, 3, 4, 5}));
    for (INT32 k = 3; k <= 5; ++k) {
        CVertex* copy = target.GetVertex(k);
        CVertex* original = source.GetVertex(k - 2);
        EXPECT_NE(copy, original);
        EXPECT_EQ(copy->m_Point.Y(), original->m_Point.Y());
        EXPECT_EQ(copy->m_Point.Z(), original->m_Point.Z());
        EXPECT_EQ(copy->m_Aux.X(), original->m_Aux.X());
        EXPECT_EQ(copy->m_Aux.Y(), original->m_Aux.Y());
        EXPECT_EQ(copy->m_Aux.Z(), original->m_Aux.Z());
    }
    EXPECT_EQ(target.GetVertex(5)->m_pNext, nullptr);
    EXPECT_EQ(source.GetCount(), 3);
    EXPECT_EQ(Xs(source), (std::vector<double>{3, 4, 5}));
    // Copies, not shared vertices: changing one leaves the other.
    target.GetVertex(3)->m_Aux.Set(0, 0, 0);
    EXPECT_EQ(source.GetVertex(1)->m_Aux.X(), -3.0);
}

TEST(Polyline, AppendCopyOfItselfIsRefused) {
    CPolyline p;
    p.AddPoint(Vec(1, 0, 0));
    p.AppendCopyOf(p);
    EXPECT_EQ(p.GetCount(), 1);
}

TEST(Polyline, RemoveAtTheEndLeavesTheOneBeforeLast) {
    CPolyline p;
    for (double x : {1, 2, 3, 4})
        p.AddPoint(Vec(x, 0, 0));
    p.RemoveAt(4);
    ASSERT_EQ(p.GetCount(), 3);
    EXPECT_EQ(p.GetVertex(3)->m_Point.X(), 3.0);
    EXPECT_EQ(p.GetVertex(3)->m_pNext, nullptr);
    // The next append goes after the new last vertex.
    p.AddPoint(Vec(5, 0, 0));
    EXPECT_EQ(Xs(p), (std::vector<double>{1, 2, 3, 5}));
}

TEST(Polyline, RemoveAtTheStartAndOfTheOnlyVertex) {
    CPolyline p;
    for (double x : {1, 2})
        p.AddPoint(Vec(x, 0, 0));
    p.RemoveAt(1);
    EXPECT_EQ(Xs(p), (std::vector<double>{2}));
    p.RemoveAt(1);
    EXPECT_EQ(p.GetCount(), 0);
    EXPECT_EQ(p.m_pFirst, nullptr);
    EXPECT_EQ(p.GetVertex(1), nullptr);
    p.AddPoint(Vec(7, 0, 0));
    EXPECT_EQ(Xs(p), (std::vector<double>{7}));
    EXPECT_EQ(p.GetVertex(1), p.m_pFirst);
}

TEST(Polyline, RemoveAtOutOfRangeDoesNothing) {
    CPolyline p;
    p.RemoveAt(1);
    for (double x : {1, 2})
        p.AddPoint(Vec(x, 0, 0));
    p.RemoveAt(0);
    p.RemoveAt(3);
    p.RemoveAt(-1);
    EXPECT_EQ(Xs(p), (std::vector<double>{1, 2}));
}

TEST(Polyline, ManyPointsKeepTheirCountAndOrder) {
    CPolyline p;
    const INT32 n = 100000;
    for (INT32 k = 1; k <= n; ++k)
        p.AddPoint(Vec(k, -k, 0.5 * k));
    ASSERT_EQ(p.GetCount(), n);
    INT32 k = 0;
    for (CVertex* v = p.m_pFirst; v; v = v->m_pNext) {
        ++k;
        ASSERT_EQ(v->m_Point.X(), k);
        ASSERT_EQ(v->m_Point.Y(), -k);
        ASSERT_EQ(v->m_Point.Z(), 0.5 * k);
    }
    EXPECT_EQ(k, n);
    for (INT32 i = 1; i <= n; ++i)
        ASSERT_EQ(p.GetVertex(i)->m_Point.X(), i);
    EXPECT_EQ(p.GetVertex(n)->m_pNext, nullptr);
}
