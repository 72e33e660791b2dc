// The matrix family, of which the program uses little beyond the vector's elements, kept as
// part of the model.
#include "Matrix.h"

#include "File.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// "rows x cols:" then the elements in the order ElementAt numbers them.
std::string Dump(CMatrixBase& m) {
    std::string s = std::to_string(m.Rows()) + "x" + std::to_string(m.Cols()) + ":";
    for (INT32 i = 1; m.ElementAt(i); ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, " %g", *m.ElementAt(i));
        s += buf;
    }
    return s;
}

CMatrix& Fill(CMatrix& m, INT32 nRows, INT32 nCols, std::initializer_list<double> values) {
    m.Resize(nRows, nCols);
    INT32 i = 1;
    for (double v : values)
        *m.ElementAt(i++) = v;
    return m;
}

} // namespace

TEST(Matrix, ElementsSumsAndCopiesKeepToTheirShapes) {
    CMatrix a, b, c, column;
    CVector3 v, w;
    Fill(a, 2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(*a.Element(2, 1), 4.0); // row by row
    for (auto [r, c] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{3, 1}, std::pair{1, 4}})
        EXPECT_EQ(a.Element(r, c), nullptr) << r << ", " << c;
    EXPECT_TRUE(!v.Element(1, 2) && !v.ElementAt(0));
    c.Add(a, Fill(b, 2, 3, {10, 20, 30, 40, 50, 60})); // the target takes the operands' shape
    b.Add(a, b); // refused: b's storage would go before it is read
    EXPECT_EQ(Dump(c) + " / " + Dump(b), "2x3: 11 22 33 44 55 66 / 2x3: 10 20 30 40 50 60");
    c.Add(a, Fill(b, 3, 2, {1, 2, 3, 4, 5, 6}));
    v.Set(1, 2, 3);
    w.Set(5, -2, 10);
    v.Add(v, w);                        // a vector's storage stays: it may be an operand
    v.Add(Fill(b, 1, 3, {7, 8, 9}), b); // operands of another shape
    AssignVector(v, b);                 // a source of another shape
    AssignVector(w, Fill(column, 3, 1, {7, 8, 9}));
    EXPECT_EQ(Dump(c) + " / " + Dump(v) + " / " + Dump(w),
              "2x3: 11 22 33 44 55 66 / 3x1: 6 0 13 / 3x1: 7 8 9");
    c.Zero();
    a.Free();
    EXPECT_EQ(Dump(c) + " / " + Dump(a) + " / " + Dump(Fill(b, -2, 5, {})),
              "2x3: 0 0 0 0 0 0 / 0x0: / 0x5:");
}

TEST(Matrix, RecordsAreCountsThenElementsLittleEndian) {
    ScratchDir dir;
    CMatrix m, a, b;
    {
        CFile f;
        ASSERT_TRUE(f.Open(dir.File("m").c_str(), CFile::modeCreate | CFile::modeWrite));
        Fill(m, 2, 1, {-0.5, 0.125}).WriteTo(f);
        Fill(m, 0, 3, {}).WriteTo(f);
    }
    const std::string record("\2\0\0\0\1\0\0\0\0\0\0\0\0\0\xE0\xBF\0\0\0\0\0\0\xC0\x3F", 24);
    EXPECT_EQ(ReadWholeFile(dir.File("m")),
              record + std::string(4, '\0') + "\3" + std::string(3, '\0'));
    CFile f;
    ASSERT_TRUE(f.Open(dir.File("m").c_str(), CFile::modeRead));
    a.ReadFrom(f);
    Fill(b, 2, 2, {1, 2, 3, 4}).ReadFrom(f);
    EXPECT_EQ(Dump(a) + " / " + Dump(b) + " at " + std::to_string(f.GetPosition()),
              "2x1: -0.5 0.125 / 0x3: at 32");
}
