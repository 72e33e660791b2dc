#include "ExportBlocks.h"
#include "ExportFrame.h"
#include "TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A file with room for so many bytes that then fails as a full disk does, having kept what
// fitted of the write that overflows; "|" marks where each write ended.
class CFullAfter : public CFile {
public:
    explicit CFullAfter(size_t nRoom) : m_nRoom(nRoom) {}
    void Write(const void* p, UINT nCount) override {
        const size_t nFits = std::min<size_t>(nCount, m_nRoom);
        m_bytes.append(static_cast<const char*>(p), nFits) += "|";
        m_nRoom -= nFits;
        if (nFits < nCount) AfxThrowFileException(CFileException::diskFull, -1, "pieno.csv");
    }
    std::string m_bytes;
    size_t m_nRoom;
};

} // namespace

TEST(ExportFrame, WritesEachBlockOnItsOwnAndStopsAtTheFailingOne) {
    // Polylines of one, no and two vertices: the section forms have no text for the second.
    CPolylineList list;
    for (int nVertices : {1, 0, 2}) {
        list.AddNew();
        for (int k = 0; k < nVertices; ++k) {
            CVector3 v;
            v.Set(nVertices, k, 0.25 * k);
            list.GetAt(list.GetCount())->AddPoint(v);
        }
    }
    const std::pair<size_t, std::string> cases[] = {
        {1000, "1.000000e+000,1\n,0.000000e+000,0.000000e+000\n|2.000000e+000,2\n,0.000000e+000,"
               "0.000000e+000\n,1.000000e+000,2.500000e-001\n| at 3"},
        {50, "1.000000e+000,1\n,0.000000e+000,0.000000e+000\n|2.000| failed at 3"},
        {0, "| failed at 1"},
    };
    for (const auto& [nRoom, expected] : cases) {
        list.GetAt(2);
        CFullAfter file(nRoom);
        try {
            WritePolylines(file, list, BuildSectionCsvBlock);
        } catch (const CFileException&) {
            file.m_bytes += " failed";
        }
        EXPECT_EQ(file.m_bytes + " at " + std::to_string(list.m_nCurrent), expected);
    }
    EXPECT_EQ(PointsOf(list), "1 0 0|2 0 0,2 1 0.25"); // only the cursor moved
}

// A list large enough that a second thread makes every other batch of blocks: the same writes
// in the same order, and a failing one stops the export there, helper and all.
TEST(ExportFrame, SharesALargeListWithASecondThreadAndStopsAtTheFailingWrite) {
    CPolylineList list;
    std::string whole;
    CString block;
    for (int i = 0; i < 300; ++i) {
        list.AddNew();
        CPolyline& polyline = *list.GetAt(list.GetCount());
        for (int k = 0; k < 1 + i % 400; ++k) {
            CVector3 v;
            v.Set(i, k * 0.5, -k);
            polyline.AddPoint(v);
        }
        BuildPointListBlock(polyline, block);
        whole += block.Str() + "|";
    }
    for (size_t nRoom : {whole.size(), whole.size() / 3, size_t(0)}) {
        CFullAfter file(nRoom);
        bool bFailed = false;
        try {
            WritePolylines(file, list, BuildPointListBlock);
        } catch (const CFileException&) {
            bFailed = true;
        }
        const size_t nWritten = file.m_bytes.size();
        EXPECT_EQ(bFailed, nRoom < whole.size() - 300);
        EXPECT_EQ(bFailed || nWritten == whole.size(), true);
        EXPECT_EQ(file.m_bytes.substr(0, nWritten - 1), whole.substr(0, nWritten - 1));
    }
}

TEST(ExportFrame, CreatesOrEmptiesTheFileOrReportsWhatFailed) {
    ScratchDir dir;
    CPolylineList list;
    CFileException error;
    WriteWholeFile(dir.File("old.csv"), "old\n");
    for (const char* pszName : {"old.csv", "new.csv"}) {
        ASSERT_TRUE(ExportPolylines(list, dir.File(pszName).c_str(), g_formPointList, &error));
        EXPECT_EQ(ReadWholeFile(dir.File(pszName)) + std::to_string(FileExists(dir.File(pszName))),
                  "1");
    }
    // A failed open gives FALSE with its cause and the path, and makes nothing.
    const std::string path = dir.File("manca/a.csv");
    EXPECT_FALSE(ExportPolylines(list, path.c_str(), g_formPointList, &error));
    EXPECT_EQ(error.GetErrorMessage().Str(), path + " contiene un percorso non valido.");
    EXPECT_FALSE(FileExists(dir.File("manca")));
}
