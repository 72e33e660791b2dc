// The matrix family, of which the program uses little beyond the vector's elements, kept as
// part of the model: its operations a few rows each.
#include "Matrix.h"

#include "File.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// "rows x cols:" then the elements in the order ElementAt numbers them.
std::string Dump(CMatrixBase& m) {
    std::string s = std::to_string(m.Rows()) + "x" + std::to_string(m.Cols()) + ":";
    for (INT32 i = 1; m.ElementAt(i); ++i)
        (s += ' ') += std::to_string(static_cast<int>(*m.ElementAt(i)));
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

TEST(Matrix, ElementsSumsCopiesAndRecordsKeepToTheirShapes) {
    CMatrix a, b, c, column;
    CVector3 v, w;
    Fill(a, 2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(*a.Element(2, 1), 4.0); // row by row
    EXPECT_TRUE(!a.Element(0, 1) && !a.Element(3, 1) && !a.Element(1, 4) && !v.ElementAt(0));
    c.Add(a, Fill(b, 2, 3, {10, 20, 30, 40, 50, 60})); // the target takes the operands' shape
    b.Add(a, b); // refused: b's storage would go before it is read
    c.Add(a, Fill(column, 3, 2, {1, 2, 3, 4, 5, 6})); // shapes differ: nothing happens
    v.Set(1, 2, 3);
    w.Set(5, -2, 10);
    v.Add(v, w);        // a vector's storage stays: it may be an operand
    AssignVector(v, b); // a source of another shape
    AssignVector(w, Fill(column, 3, 1, {7, 8, 9}));
    EXPECT_EQ(Dump(c) + " / " + Dump(b) + " / " + Dump(v) + " / " + Dump(w),
              "2x3: 11 22 33 44 55 66 / 2x3: 10 20 30 40 50 60 / 3x1: 6 0 13 / 3x1: 7 8 9");
    // A record: rows and cols as 32-bit little-endian integers, then the doubles.
    ScratchDir dir;
    CFile f;
    ASSERT_TRUE(f.Open(dir.File("m").c_str(), CFile::modeCreate | CFile::modeWrite));
    Fill(c, 2, 1, {-0.5, 0.125}).WriteTo(f);
    f.Close();
    EXPECT_EQ(ReadWholeFile(dir.File("m")),
              std::string("\2\0\0\0\1\0\0\0\0\0\0\0\0\0\xE0\xBF\0\0\0\0\0\0\xC0\x3F", 24));
    ASSERT_TRUE(f.Open(dir.File("m").c_str(), CFile::modeRead));
    a.ReadFrom(f);
    c.Zero();
    b.Free();
    EXPECT_EQ(*a.ElementAt(1) * 8 + *a.ElementAt(2) * 8, -3.0);
    EXPECT_EQ(Dump(a) + " / " + Dump(c) + " / " + Dump(b), "2x1: 0 0 / 2x1: 0 0 / 0x0:");
    EXPECT_EQ(Dump(Fill(b, -2, 5, {})), "0x5:");
}
