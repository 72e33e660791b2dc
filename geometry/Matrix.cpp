#include "Matrix.h"

#include "File.h"
#include "FileException.h"

#include <cstring>
#include <new>

namespace {

double* NewElements(long long nCount) {
    try {
        return new double[static_cast<size_t>(nCount)];
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

void PutInt32(unsigned char* p, INT32 v) {
    UINT u = static_cast<UINT>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(u >> (8 * i));
}

INT32 GetInt32(const unsigned char* p) {
    UINT u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<UINT>(p[i]) << (8 * i);
    return static_cast<INT32>(u);
}

void PutDouble(unsigned char* p, double d) {
    ULONGLONG u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<unsigned char>(u >> (8 * i));
}

double GetDouble(const unsigned char* p) {
    ULONGLONG u = 0;
    for (int i = 0; i < 8; ++i)
        u |= static_cast<ULONGLONG>(p[i]) << (8 * i);
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

} // namespace

CMatrixBase::~CMatrixBase() {
    CMatrixBase::Free();
}

long long CMatrixBase::ElementCount() const {
    long long r = Rows(), c = Cols();
    return r > 0 && c > 0 ? r * c : 0;
}

double* CMatrixBase::Element(INT32 r, INT32 c) {
    if (!m_pData || r < 1 || r > Rows() || c < 1 || c > Cols()) return nullptr;
    return m_pData + (static_cast<long long>(r - 1) * Cols() + (c - 1));
}

double* CMatrixBase::ElementAt(INT32 i) {
    if (!m_pData || i < 1 || i > ElementCount()) return nullptr;
    return m_pData + (i - 1);
}

void CMatrixBase::Zero() {
    long long n = m_pData ? ElementCount() : 0;
    for (long long k = 0; k < n; ++k)
        m_pData[k] = 0.0;
}

void CMatrixBase::Free() {
    delete[] m_pData;
    m_pData = nullptr;
}

void CMatrixBase::Add(CMatrixBase& a, CMatrixBase& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols() || a.Rows() != Rows() || a.Cols() != Cols())
        return;
    double *pa = DataOf(a), *pb = DataOf(b);
    long long n = m_pData && pa && pb ? ElementCount() : 0;
    for (long long k = 0; k < n; ++k)
        m_pData[k] = pa[k] + pb[k]; // both read before the write: a or b may be this object
}

CMatrix::~CMatrix() {
    CMatrix::Free();
}

void CMatrix::Free() {
    CMatrixBase::Free();
    m_nRows = m_nCols = 0;
}

void CMatrix::Resize(INT32 nRows, INT32 nCols) {
    CMatrixBase::Free();
    m_nRows = nRows < 0 ? 0 : nRows;
    m_nCols = nCols < 0 ? 0 : nCols;
    if (m_nRows != 0 && m_nCols != 0) m_pData = NewElements(ElementCount());
}

void CMatrix::Add(CMatrixBase& a, CMatrixBase& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) return;
    // Resize replaces the storage before the sum is formed, so an operand that is this object
    // would be read after it is gone; such a call is refused.
    if (&a == this || &b == this) return;
    Resize(a.Rows(), a.Cols());
    double *pa = DataOf(a), *pb = DataOf(b);
    long long n = m_pData && pa && pb ? ElementCount() : 0;
    for (long long k = 0; k < n; ++k)
        m_pData[k] = pa[k] + pb[k];
}

void CMatrix::ReadFrom(CFile& file) {
    unsigned char head[8] = {};
    file.Read(head, 4);
    file.Read(head + 4, 4);
    Resize(GetInt32(head), GetInt32(head + 4));
    long long n = ElementCount();
    // A short file leaves the undelivered elements as they were.
    for (long long k = 0; k < n; ++k) {
        unsigned char raw[8];
        if (file.Read(raw, 8) == 8) m_pData[k] = GetDouble(raw);
    }
}

void CMatrix::WriteTo(CFile& file) {
    unsigned char head[8];
    PutInt32(head, m_nRows);
    PutInt32(head + 4, m_nCols);
    file.Write(head, 4);
    file.Write(head + 4, 4);
    long long n = m_pData ? ElementCount() : 0;
    for (long long k = 0; k < n; ++k) {
        unsigned char raw[8];
        PutDouble(raw, m_pData[k]);
        file.Write(raw, 8);
    }
}

CVector3::CVector3() {
    m_pData = m_aStorage;
    Zero();
}

CVector3::~CVector3() {
    m_pData = nullptr;
}

void CVector3::Free() {
    m_pData = nullptr;
}

void CVector3::Set(double x, double y, double z) {
    m_aStorage[0] = x;
    m_aStorage[1] = y;
    m_aStorage[2] = z;
}

void CVector3::CopyFrom(const CVector3& v) {
    for (int i = 0; i < 3; ++i)
        m_aStorage[i] = v.m_aStorage[i];
}

void AssignVector(CVector3& target, CMatrixBase& source) {
    if (source.Rows() != 3 || source.Cols() != 1) return;
    for (INT32 i = 1; i <= 3; ++i) {
        const double* p = source.ElementAt(i);
        double* t = target.ElementAt(i);
        if (p && t) *t = *p;
    }
}
