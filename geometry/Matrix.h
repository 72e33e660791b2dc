// The matrix family: an abstract base that owns the elements and learns its shape only through
// Rows and Cols, a general matrix, and the 3 x 1 vector that holds every point and direction.
// Element numbers are 1-based.
#pragma once

#include "Types.h"

class CFile;

class CMatrixBase {
public:
    CMatrixBase() = default;
    CMatrixBase(const CMatrixBase&) = delete; // each object owns its array
    CMatrixBase& operator=(const CMatrixBase&) = delete;

    virtual ~CMatrixBase();
    // Address of element (r, c), or null outside 1..Rows, 1..Cols.
    virtual double* Element(INT32 r, INT32 c);
    virtual INT32 Rows() const = 0;
    virtual INT32 Cols() const = 0;
    virtual void Free();
    // this = a + b when all three share one shape; otherwise nothing happens.
    virtual void Add(CMatrixBase& a, CMatrixBase& b);

    // Address of the i-th element in row-major order, or null outside 1..Rows*Cols.
    double* ElementAt(INT32 i);
    void Zero();

protected:
    // Element count, 0 for a shape with a zero or negative side.
    long long ElementCount() const;
    static double* DataOf(CMatrixBase& m) { return m.m_pData; }

    double* m_pData = nullptr;
};

class CMatrix : public CMatrixBase {
public:
    CMatrix() = default;
    ~CMatrix() override;
    INT32 Rows() const override { return m_nRows; }
    INT32 Cols() const override { return m_nCols; }
    void Free() override;
    void Add(CMatrixBase& a, CMatrixBase& b) override;
    // Record: rows and cols as 32-bit little-endian integers, then the elements as
    // little-endian doubles, row by row.
    virtual void ReadFrom(CFile& file);
    virtual void WriteTo(CFile& file);

    // New storage of undefined contents for rows x cols; a negative count counts as 0.
    void Resize(INT32 nRows, INT32 nCols);

private:
    INT32 m_nRows = 0;
    INT32 m_nCols = 0;
};

class CVector3 : public CMatrixBase {
public:
    CVector3();
    ~CVector3() override;
    INT32 Rows() const override { return 3; }
    INT32 Cols() const override { return 1; }
    void Free() override;

    void Set(double x, double y, double z);
    void CopyFrom(const CVector3& v);
    double X() const { return m_aStorage[0]; }
    double Y() const { return m_aStorage[1]; }
    double Z() const { return m_aStorage[2]; }

private:
    // A vector's three doubles live inside it: a drawing holds two vectors per vertex, and a
    // separate allocation for each would more than double the memory of a large one.
    double m_aStorage[3];
};

// Copies a 3 x 1 source over the target's x, y and z; any other shape leaves it unchanged.
void AssignVector(CVector3& target, CMatrixBase& source);
