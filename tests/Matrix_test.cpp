#include "Matrix.h"

#include "File.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr UINT kCreate = CFile::modeCreate | CFile::modeWrite;

// 1, 2 / -0.5, 0.125 as written: counts, then the doubles row by row, all little-endian.
const std::string kRecord2x2("\x02\x00\x00\x00"
                             "\x02\x00\x00\x00"
                             "\x00\x00\x00\x00\x00\x00\xF0\x3F"
                             "\x00\x00\x00\x00\x00\x00\x00\x40"
                             "\x00\x00\x00\x00\x00\x00\xE0\xBF"
                             "\x00\x00\x00\x00\x00\x00\xC0\x3F",
                             40);

void ExpectVector(const CVector3& v, double x, double y, double z) {
    EXPECT_EQ(v.X(), x);
    EXPECT_EQ(v.Y(), y);
    EXPECT_EQ(v.Z(), z);
}

void Fill(CMatrix& m, INT32 nRows, INT32 nCols, std::initializer_list<double> values) {
    m.Resize(nRows, nCols);
    INT32 i = 1;
    for (double v : values)
        *m.ElementAt(i++) = v;
}

std::string WriteRecords(const ScratchDir& dir, std::initializer_list<CMatrix*> matrices) {
    std::string path = dir.File("m.bin");
    {
        CFile f;
        EXPECT_TRUE(f.Open(path.c_str(), kCreate));
        for (CMatrix* m : matrices)
            m->WriteTo(f);
    }
    return ReadWholeFile(path);
}

} // namespace

TEST(Matrix, NewVectorIsZeroOfShapeThreeByOne) {
    CVector3 v;
    EXPECT_EQ(v.Rows(), 3);
    EXPECT_EQ(v.Cols(), 1);
    ExpectVector(v, 0, 0, 0);
}

TEST(Matrix, VectorElementsAreNumberedOneToThree) {
    CVector3 v;
    v.Set(1.5, -2, 7);
    ExpectVector(v, 1.5, -2, 7);
    EXPECT_EQ(*v.ElementAt(1), 1.5);
    EXPECT_EQ(*v.ElementAt(2), -2.0);
    EXPECT_EQ(*v.ElementAt(3), 7.0);
    EXPECT_EQ(v.ElementAt(0), nullptr);
    EXPECT_EQ(v.ElementAt(4), nullptr);
    EXPECT_EQ(v.ElementAt(-1), nullptr);
}

TEST(Matrix, VectorElementByRowAndColumn) {
    CVector3 v;
    v.Set(1, 2, 3);
    ASSERT_NE(v.Element(2, 1), nullptr);
    EXPECT_EQ(v.Element(2, 1), v.ElementAt(2));
    EXPECT_EQ(v.Element(1, 2), nullptr);
    EXPECT_EQ(v.Element(0, 1), nullptr);
    EXPECT_EQ(v.Element(4, 1), nullptr);
}

TEST(Matrix, WritesThroughElementAtReachTheComponents) {
    CVector3 v;
    *v.ElementAt(1) = 10;
    *v.ElementAt(2) = 20;
    *v.Element(3, 1) = 30;
    ExpectVector(v, 10, 20, 30);
}

TEST(Matrix, CopyFromTakesAllThreeValues) {
    CVector3 a, b;
    a.Set(4, 5, 6);
    b.CopyFrom(a);
    a.Set(0, 0, 0);
    ExpectVector(b, 4, 5, 6);
}

TEST(Matrix, AssignVectorFromAColumnCopies) {
    CMatrix column;
    Fill(column, 3, 1, {1, 2, 3});
    CVector3 v;
    AssignVector(v, column);
    ExpectVector(v, 1, 2, 3);
    CVector3 w;
    AssignVector(w, v);
    EXPECT_EQ(w.Z(), 3.0);
}

TEST(Matrix, AssignVectorFromAnotherShapeChangesNothing) {
    CMatrix row;
    Fill(row, 1, 3, {1, 2, 3});
    CVector3 v;
    v.Set(7, 8, 9);
    AssignVector(v, row);
    ExpectVector(v, 7, 8, 9);
    CMatrix empty;
    AssignVector(v, empty);
    EXPECT_EQ(v.X(), 7.0);
}

TEST(Matrix, NewMatrixIsEmpty) {
    CMatrix m;
    EXPECT_EQ(m.Rows(), 0);
    EXPECT_EQ(m.Cols(), 0);
    EXPECT_EQ(m.ElementAt(1), nullptr);
    EXPECT_EQ(m.Element(1, 1), nullptr);
}

TEST(Matrix, ResizeWithANegativeCountHoldsNoStorage) {
    CMatrix m;
    m.Resize(-2, 5);
    EXPECT_EQ(m.Rows(), 0);
    EXPECT_EQ(m.Cols(), 5);
    m.Zero();
    EXPECT_EQ(m.ElementAt(1), nullptr);
    EXPECT_EQ(m.Element(1, 1), nullptr);
    m.Resize(4, 0);
    EXPECT_EQ(m.Rows(), 4);
    EXPECT_EQ(m.Cols(), 0);
    EXPECT_EQ(m.ElementAt(1), nullptr);
}

TEST(Matrix, ElementsAreStoredRowByRow) {
    CMatrix m;
    m.Resize(2, 3);
    ASSERT_NE(m.ElementAt(1), nullptr);
    EXPECT_EQ(m.Element(2, 3), m.ElementAt(1) + 5);
    EXPECT_EQ(m.Element(2, 3), m.ElementAt(6));
    EXPECT_EQ(m.Element(1, 3), m.ElementAt(3));
    EXPECT_EQ(m.Element(2, 1), m.ElementAt(4));
    EXPECT_EQ(m.Element(3, 1), nullptr);
    EXPECT_EQ(m.Element(1, 4), nullptr);
    EXPECT_EQ(m.Element(1, 0), nullptr);
    EXPECT_EQ(m.ElementAt(7), nullptr);
}

TEST(Matrix, ZeroClearsEveryElement) {
    CMatrix m;
    Fill(m, 2, 2, {1, 2, 3, 4});
    m.Zero();
    for (INT32 i = 1; i <= 4; ++i)
        EXPECT_EQ(*m.ElementAt(i), 0.0);
}

TEST(Matrix, FreeEmptiesTheMatrix) {
    CMatrix m;
    Fill(m, 2, 2, {1, 2, 3, 4});
    m.Free();
    EXPECT_EQ(m.Rows(), 0);
    EXPECT_EQ(m.Cols(), 0);
    EXPECT_EQ(m.ElementAt(1), nullptr);
}

TEST(Matrix, AddOfDifferentShapesLeavesTheTarget) {
    CMatrix a, b, target;
    Fill(a, 2, 3, {1, 2, 3, 4, 5, 6});
    Fill(b, 3, 2, {1, 2, 3, 4, 5, 6});
    Fill(target, 1, 2, {8, 9});
    target.Add(a, b);
    EXPECT_EQ(target.Rows(), 1);
    EXPECT_EQ(target.Cols(), 2);
    EXPECT_EQ(*target.ElementAt(1), 8.0);
    EXPECT_EQ(*target.ElementAt(2), 9.0);
}

TEST(Matrix, AddGivesTheTargetTheOperandsShape) {
    CMatrix a, b, target;
    Fill(a, 2, 3, {1, 2, 3, 4, 5, 6});
    Fill(b, 2, 3, {10, 20, 30, 40, 50, 60.5});
    target.Add(a, b);
    ASSERT_EQ(target.Rows(), 2);
    ASSERT_EQ(target.Cols(), 3);
    const double expected[] = {11, 22, 33, 44, 55, 66.5};
    for (INT32 i = 1; i <= 6; ++i)
        EXPECT_EQ(*target.ElementAt(i), expected[i - 1]);
}

TEST(Matrix, AddIntoAnOperandIsRefused) {
    CMatrix a, b;
    Fill(a, 1, 2, {1, 2});
    Fill(b, 1, 2, {3, 4});
    a.Add(a, b);
    EXPECT_EQ(a.Rows(), 1);
    EXPECT_EQ(*a.ElementAt(1), 1.0);
    EXPECT_EQ(*a.ElementAt(2), 2.0);
}

TEST(Matrix, VectorAddAccumulatesIntoItself) {
    CVector3 v, w;
    v.Set(1, 2, 3);
    w.Set(0.5, -2, 10);
    v.Add(v, w);
    ExpectVector(v, 1.5, 0, 13);
    EXPECT_EQ(w.X(), 0.5);
}

TEST(Matrix, VectorAddOfAnotherShapeChangesNothing) {
    CVector3 v, w;
    v.Set(1, 2, 3);
    CMatrix row;
    Fill(row, 1, 3, {1, 1, 1});
    v.Add(row, row);
    v.Add(w, row);
    ExpectVector(v, 1, 2, 3);
    CMatrix column;
    Fill(column, 3, 1, {1, 1, 1});
    v.Add(column, w);
    EXPECT_EQ(v.X(), 1.0);
    EXPECT_EQ(v.Z(), 1.0);
}

TEST(Matrix, WriteToWritesCountsThenElementsRowByRow) {
    ScratchDir dir;
    CMatrix m;
    Fill(m, 2, 2, {1, 2, -0.5, 0.125});
    EXPECT_EQ(WriteRecords(dir, {&m}), kRecord2x2);
}

TEST(Matrix, WriteToOfAnEmptyMatrixWritesEightZeroBytes) {
    ScratchDir dir;
    CMatrix m;
    EXPECT_EQ(WriteRecords(dir, {&m}), std::string(8, '\0'));
}

TEST(Matrix, WriteToOfAShapeWithoutStorageWritesOnlyTheCounts) {
    ScratchDir dir;
    CMatrix m;
    m.Resize(0, 3);
    EXPECT_EQ(WriteRecords(dir, {&m}), std::string("\0\0\0\0\x03\0\0\0", 8));
}

TEST(Matrix, ReadFromRestoresShapeAndValues) {
    ScratchDir dir;
    std::string path = dir.File("m.bin");
    WriteWholeFile(path, kRecord2x2 + kRecord2x2.substr(0, 8) + "tail");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    CMatrix m, second;
    Fill(m, 1, 3, {9, 9, 9});
    m.ReadFrom(f);
    EXPECT_EQ(f.GetPosition(), 40u);
    ASSERT_EQ(m.Rows(), 2);
    ASSERT_EQ(m.Cols(), 2);
    EXPECT_EQ(*m.Element(1, 1), 1.0);
    EXPECT_EQ(*m.Element(1, 2), 2.0);
    EXPECT_EQ(*m.Element(2, 1), -0.5);
    EXPECT_EQ(*m.Element(2, 2), 0.125);
    // A record holding only the counts: the shape comes back, the values cannot.
    second.ReadFrom(f);
    EXPECT_EQ(second.Rows(), 2);
    EXPECT_EQ(second.Cols(), 2);
    EXPECT_EQ(f.GetPosition(), 52u);
}

TEST(Matrix, ReadFromOfAnEmptyRecordEmptiesTheMatrix) {
    ScratchDir dir;
    std::string path = dir.File("m.bin");
    WriteWholeFile(path, std::string(8, '\0'));
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    CMatrix m;
    Fill(m, 2, 2, {1, 2, 3, 4});
    m.ReadFrom(f);
    EXPECT_EQ(m.Rows(), 0);
    EXPECT_EQ(m.Cols(), 0);
    EXPECT_EQ(m.ElementAt(1), nullptr);
    EXPECT_EQ(f.GetPosition(), 8u);
}

TEST(Matrix, WrittenRecordsReadBackInOrder) {
    ScratchDir dir;
    CMatrix a, b, empty;
    Fill(a, 1, 3, {1e300, -0.0, 5e-324});
    Fill(b, 2, 1, {7, 8});
    std::string bytes = WriteRecords(dir, {&a, &empty, &b});
    EXPECT_EQ(bytes.size(), 32u + 8u + 24u);
    CFile f;
    ASSERT_TRUE(f.Open(dir.File("m.bin").c_str(), CFile::modeRead));
    CMatrix ra, rempty, rb;
    ra.ReadFrom(f);
    rempty.ReadFrom(f);
    rb.ReadFrom(f);
    ASSERT_EQ(ra.Cols(), 3);
    EXPECT_EQ(*ra.ElementAt(1), 1e300);
    EXPECT_TRUE(std::signbit(*ra.ElementAt(2)));
    EXPECT_EQ(*ra.ElementAt(3), 5e-324);
    EXPECT_EQ(rempty.Rows(), 0);
    ASSERT_EQ(rb.Rows(), 2);
    EXPECT_EQ(*rb.ElementAt(2), 8.0);
    EXPECT_EQ(f.GetPosition(), 64u);
}
