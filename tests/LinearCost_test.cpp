// The shortcuts that make the model's costs linear, against the plain algorithms they replace,
// on random inputs with fixed seeds: vertex appends and vertex numbers that walk the chain
// from the first vertex, the sort as a selection into a temporary list with copies of every
// polyline, and one write per block.
#include "DxfLoad.h"
#include "ExportBlocks.h"
#include "ExportFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct Vec : CVector3 {
    Vec(double x, double y, double z) { Set(x, y, z); }
};

// The vertex as found by following the links from the first one, n - 1 steps.
CVertex* WalkedVertex(const CPolyline& polyline, INT32 n) {
    if (n < 1 || n > polyline.m_nCount) return nullptr;
    CVertex* p = polyline.m_pFirst;
    for (INT32 k = 1; k < n; ++k)
        p = p->m_pNext;
    return p;
}

// Both vectors of every vertex in chain order, and the chain's length as walked.
std::vector<double> ChainOf(const CPolyline& polyline) {
    std::vector<double> values;
    INT32 nWalked = 0;
    for (const CVertex* p = polyline.m_pFirst; p; p = p->m_pNext, ++nWalked)
        values.insert(values.end(), {p->m_Point.X(), p->m_Point.Y(), p->m_Point.Z(), p->m_Aux.X(),
                                     p->m_Aux.Y(), p->m_Aux.Z()});
    EXPECT_EQ(nWalked, polyline.GetCount());
    return values;
}

// The sort as a selection into a temporary list and back, every polyline copied twice.
void SelectionSort(CPolylineList& list) {
    CPolylineList sorted;
    INT32 n = 1;
    while (list.GetCount() > 0) {
        sorted.AddNew();
        INT32 c = 1;
        for (INT32 i = 2; i <= list.GetCount(); ++i)
            if (list.GetAt(i)->GetVertex(1)->m_Point.X() < list.GetAt(c)->GetVertex(1)->m_Point.X())
                c = i;
        CPolyline* pTarget = sorted.GetAt(n);
        pTarget->AppendCopyOf(*list.GetAt(c));
        list.RemoveAt(c);
        ++n;
    }
    for (INT32 i = 1; i <= sorted.GetCount(); ++i) {
        list.AddNew();
        list.GetAt(list.GetCount())->AppendCopyOf(*sorted.GetAt(i));
    }
}

// Two equal lists of random polylines; the first x of each comes from a small set full of
// ties and of the values that compare oddly. Each polyline carries its number in m_Aux.
void RandomLists(std::mt19937& rng, CPolylineList& a, CPolylineList& b) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double keys[] = {0.0, -0.0, 1.5, -1.5, 2.0, inf, -inf, 1e300, -1e-300, nan, 2.0, 0.0};
    const int nPolylines = std::uniform_int_distribution<int>(0, 40)(rng);
    for (int p = 0; p < nPolylines; ++p) {
        const double x = keys[std::uniform_int_distribution<size_t>(0, std::size(keys) - 1)(rng)];
        const int nVertices = std::uniform_int_distribution<int>(1, 4)(rng);
        a.AddNew();
        b.AddNew();
        for (int k = 0; k < nVertices; ++k) {
            const Vec point(k == 0 ? x : static_cast<double>(rng() % 100), k, p);
            const Vec aux(p, k, -1);
            a.GetAt(a.GetCount())->AddVertex(point, aux);
            b.GetAt(b.GetCount())->AddVertex(point, aux);
        }
        // Leave the cursors anywhere, as a load would not.
        a.GetAt(static_cast<INT32>(rng() % (a.GetCount() + 2)));
        b.GetAt(a.m_nCurrent);
    }
}

// Bitwise, so that -0.0 and 0.0 and not-a-number compare as what they are.
bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::signbit(a[i]) != std::signbit(b[i]) ||
            !(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))))
            return false;
    return true;
}

std::vector<std::vector<double>> Contents(CPolylineList& list) {
    std::vector<std::vector<double>> contents;
    for (INT32 i = 1; i <= list.GetCount(); ++i)
        contents.push_back(ChainOf(*list.GetAt(i)));
    return contents;
}

// A file that takes a given number of bytes and then fails as a full disk does, having
// stored what fitted of the write that overflows.
class CFullAfter : public CFile {
public:
    explicit CFullAfter(size_t nRoom) : m_nRoom(nRoom) {}
    void Write(const void* lpBuf, UINT nCount) override {
        ++m_nWrites;
        const size_t nFits = std::min<size_t>(nCount, m_nRoom - m_bytes.size());
        m_bytes.append(static_cast<const char*>(lpBuf), nFits);
        if (nFits < nCount) AfxThrowFileException(CFileException::diskFull, -1, "pieno.csv");
    }
    ULONGLONG GetPosition() const override { return m_bytes.size(); }

    std::string m_bytes;
    int m_nWrites = 0;

private:
    size_t m_nRoom;
};

struct ExportResult {
    std::string bytes;
    bool bFailed = false;
    INT32 nCursor = 0;
    int nWrites = 0;
};

// The export one block at a time, each block its own write.
void WriteBlockByBlock(CFile& file, CPolylineList& list, BlockBuilder pfnBuild) {
    CString block;
    for (INT32 i = 1; i <= list.GetCount(); ++i) {
        pfnBuild(*list.GetAt(i), block);
        if (!block.IsEmpty()) file.Write(block.GetString(), block.GetLength());
    }
}

// Runs an export to a file with room for nRoom bytes.
ExportResult Export(void (*pfnWrite)(CFile&, CPolylineList&, BlockBuilder), CPolylineList& list,
                    BlockBuilder pfnBuild, size_t nRoom) {
    CFullAfter file(nRoom);
    ExportResult result;
    try {
        pfnWrite(file, list, pfnBuild);
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        result.bFailed = true;
    }
    result.bytes = file.m_bytes;
    result.nCursor = list.m_nCurrent;
    result.nWrites = file.m_nWrites;
    return result;
}

} // namespace

TEST(Polyline, AppendsAndVertexNumbersAgreeWithWalksOnRandomOperations) {
    std::mt19937 rng(20240601);
    CPolyline polyline;
    std::vector<double> model; // six values per vertex, as ChainOf gives them
    for (int step = 0; step < 4000; ++step) {
        const int op = static_cast<int>(rng() % 10);
        const double v = static_cast<double>(step);
        if (op < 3) {
            polyline.AddPoint(Vec(v, -v, 0.5));
            model.insert(model.end(), {v, -v, 0.5, 0, 0, 0});
        } else if (op == 3) {
            polyline.AddVertex(Vec(v, 1, 2), Vec(3, 4, v));
            model.insert(model.end(), {v, 1, 2, 3, 4, v});
        } else if (op == 4) {
            polyline.AppendVertex();
            model.insert(model.end(), 6, 0.0);
        } else if (op == 5) {
            CPolyline source;
            for (int k = 0; k < static_cast<int>(rng() % 4); ++k) {
                source.AddVertex(Vec(k, v, 7), Vec(8, k, v));
                model.insert(model.end(),
                             {static_cast<double>(k), v, 7, 8, static_cast<double>(k), v});
            }
            polyline.AppendCopyOf(source);
        } else if (op == 6 && polyline.GetCount() > 0) {
            const INT32 n = static_cast<INT32>(rng() % (polyline.GetCount() + 2)); // 0..count+1
            polyline.RemoveAt(n);
            if (n >= 1 && n <= static_cast<INT32>(model.size() / 6))
                model.erase(model.begin() + 6 * (n - 1), model.begin() + 6 * n);
        } else {
            // Numbers forward, backward and at random, out of range included.
            const INT32 nCount = polyline.GetCount();
            for (int r = 0; r < 5; ++r) {
                const INT32 n = static_cast<INT32>(rng() % (nCount + 3)) - 1;
                ASSERT_EQ(polyline.GetVertex(n), WalkedVertex(polyline, n)) << "vertex " << n;
            }
            for (INT32 n = 1; n <= nCount; n += 1 + static_cast<INT32>(rng() % 3))
                ASSERT_EQ(polyline.GetVertex(n), WalkedVertex(polyline, n));
        }
        ASSERT_EQ(polyline.GetCount(), static_cast<INT32>(model.size() / 6));
    }
    EXPECT_TRUE(SameBits(ChainOf(polyline), model));
    const CVertex* pLast = WalkedVertex(polyline, polyline.GetCount());
    if (pLast) {
        EXPECT_EQ(pLast->m_pNext, nullptr);
    }
}

TEST(SortPolylines, GivesTheSelectionOrderOnRandomLists) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 300; ++round) {
        CPolylineList fast, plain;
        RandomLists(rng, fast, plain);
        SortPolylines(fast);
        SelectionSort(plain);
        ASSERT_EQ(fast.GetCount(), plain.GetCount()) << "round " << round;
        ASSERT_EQ(fast.m_nCurrent, plain.m_nCurrent) << "round " << round;
        const auto a = Contents(fast), b = Contents(plain);
        for (size_t i = 0; i < a.size(); ++i)
            ASSERT_TRUE(SameBits(a[i], b[i])) << "round " << round << ", position " << i + 1;
        // Out of range, both answer with the polyline the cursor rests on.
        if (fast.GetCount() > 0) {
            EXPECT_TRUE(SameBits(ChainOf(*fast.GetAt(0)), ChainOf(*plain.GetAt(0))));
        } else {
            EXPECT_EQ(fast.GetAt(0), nullptr);
        }
    }
}

TEST(SortPolylines, NotANumberIsTakenOnlyWhenItStandsFirst) {
    // The selection never moves on to a NaN: it is taken once everything before it is gone.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double xs[] = {3, nan, 1, 2, nan, 0};
    CPolylineList list;
    for (double x : xs) {
        list.AddNew();
        list.GetAt(list.GetCount())->AddPoint(Vec(x, 0, 0));
    }
    SortPolylines(list);
    std::vector<double> order;
    for (INT32 i = 1; i <= list.GetCount(); ++i)
        order.push_back(list.GetAt(i)->GetVertex(1)->m_Point.X());
    // 0 (the smallest), 1, 2, 3; then the NaN that now stands first, then the other.
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 1);
    EXPECT_EQ(order[2], 2);
    EXPECT_EQ(order[3], 3);
    EXPECT_TRUE(std::isnan(order[4]) && std::isnan(order[5]));
}

TEST(WritePolylines, WritesEachBlockOnItsOwn) {
    // One Write per polyline of exactly its block, so that a failure leaves the blocks before
    // it whole in the file, the failing one in part, and the cursor on the failing polyline.
    std::mt19937 rng(99);
    const BlockBuilder builders[] = {BuildPointListBlock, BuildSectionDatBlock,
                                     BuildSectionCsvBlock};
    for (int round = 0; round < 200; ++round) {
        CPolylineList list;
        const int nPolylines = static_cast<int>(rng() % 60);
        for (int p = 0; p < nPolylines; ++p) {
            list.AddNew();
            // Some empty polylines (no text in the section forms), some large ones.
            const int nVertices = rng() % 10 == 0 ? 0 : rng() % 50 == 0 ? 3000 : rng() % 8;
            for (int k = 0; k < nVertices; ++k)
                list.GetAt(list.GetCount())->AddPoint(Vec(p, k, 0.25 * k));
        }
        const BlockBuilder pfnBuild = builders[round % 3];
        const ExportResult whole = Export(WriteBlockByBlock, list, pfnBuild, SIZE_MAX);
        ASSERT_FALSE(whole.bFailed);
        std::vector<size_t> rooms = {SIZE_MAX, 0, whole.bytes.size()};
        for (int r = 0; r < 6 && !whole.bytes.empty(); ++r)
            rooms.push_back(rng() % whole.bytes.size());
        for (size_t nRoom : rooms) {
            const ExportResult plain = Export(WriteBlockByBlock, list, pfnBuild, nRoom);
            const ExportResult frame = Export(WritePolylines, list, pfnBuild, nRoom);
            ASSERT_EQ(frame.bytes, plain.bytes) << "round " << round << ", room " << nRoom;
            ASSERT_EQ(frame.bFailed, plain.bFailed) << "round " << round << ", room " << nRoom;
            ASSERT_EQ(frame.nCursor, plain.nCursor) << "round " << round << ", room " << nRoom;
            ASSERT_EQ(frame.nWrites, plain.nWrites) << "round " << round << ", room " << nRoom;
        }
    }
}
