#include "File.h"

#include <algorithm>
#include <cstring>

CFile::CFile() = default;

CFile::CFile(std::intptr_t hFile, const char* pszName)
    : m_hFile(hFile), m_bCloseOnDelete(false), m_strFileName(pszName) {}

CFile::~CFile() {
    if (!IsOpen()) return;
    // Leaving by an exception or without Close: a failure now has nobody to go to.
    try {
        Flush();
    } catch (const CFileException&) {
    }
    if (m_bCloseOnDelete) Close();
}

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError) {
    if (IsOpen()) Close();
    OsError err{};
    std::intptr_t hFile = hFileNull;
    const bool bOpened = OsOpen(pszFileName, nOpenFlags, hFile, err);
    return Opened(bOpened, hFile, err, pszFileName, pError);
}

BOOL CFile::OpenTemporary(const char* pszName, CFileException* pError) {
    if (IsOpen()) Close();
    OsError err{};
    std::intptr_t hFile = hFileNull;
    const bool bOpened = OsOpenTemporary(hFile, err);
    return Opened(bOpened, hFile, err, pszName, pError);
}

BOOL CFile::OpenReaderOf(const CFile& file) {
    if (IsOpen()) Close();
    std::intptr_t hFile = hFileNull;
    if (!file.IsOpen() || !OsDuplicateReader(file.m_hFile, hFile)) return FALSE;
    return Opened(true, hFile, OsError{}, file.m_strFileName.GetString(), nullptr);
}

BOOL CFile::Opened(bool bOpened, std::intptr_t hFile, const OsError& err, const char* pszName,
                   CFileException* pError) {
    if (!bOpened) {
        if (pError) {
            pError->m_cause = err.cause;
            pError->m_lOsError = err.code;
            pError->m_strFileName = pszName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = true;
    m_strFileName = pszName;
    m_nPosition = m_nWritePosition = m_nBufferStart = 0;
    m_nBufferLength = 0;
    return TRUE;
}

void CFile::Close() {
    struct Closer { // closes on every path, also when the last bytes fail
        CFile* pFile;
        ~Closer() {
            if (pFile->IsOpen() && pFile->m_bCloseOnDelete) OsClose(pFile->m_hFile);
            pFile->m_hFile = hFileNull;
            pFile->m_nBufferLength = pFile->m_nPending = 0;
            pFile->m_pBuffer.reset();
            pFile->m_pWriteBuffer.reset();
        }
    } closer{this};
    if (IsOpen()) Flush();
}

// Makes the buffer hold the bytes from m_nPosition on: at least nWanted of them unless the
// file ends first.
void CFile::Fill(UINT nWanted) {
    if (!m_pBuffer) m_pBuffer = std::make_unique<char[]>(kBufferSize);
    ULONGLONG nEnd = m_nBufferStart + m_nBufferLength;
    if (m_nPosition >= m_nBufferStart && m_nPosition < nEnd) {
        // Keep what is still ahead and top it up.
        UINT nKeep = static_cast<UINT>(nEnd - m_nPosition);
        if (nKeep >= nWanted) return;
        std::memmove(m_pBuffer.get(), m_pBuffer.get() + (m_nPosition - m_nBufferStart), nKeep);
        m_nBufferStart = m_nPosition;
        m_nBufferLength = nKeep;
    } else {
        m_nBufferStart = m_nPosition;
        m_nBufferLength = 0;
    }
    while (m_nBufferLength < nWanted) {
        OsError err{};
        UINT nRead = 0;
        if (!OsRead(m_hFile, m_nBufferStart + m_nBufferLength, m_pBuffer.get() + m_nBufferLength,
                    kBufferSize - m_nBufferLength, nRead, err))
            AfxThrowFileException(err.cause, err.code); // reads carry no file name
        if (nRead == 0) break;
        m_nBufferLength += nRead;
    }
}

const char* CFile::ReadInPlace(UINT nCount, UINT& nRead) {
    if (!IsOpen()) AfxThrowFileException(CFileException::invalidFile);
    Flush();
    nCount = std::min(nCount, kBufferSize);
    Fill(nCount);
    UINT nAvailable = 0;
    if (m_nPosition >= m_nBufferStart && m_nPosition < m_nBufferStart + m_nBufferLength)
        nAvailable = static_cast<UINT>(m_nBufferStart + m_nBufferLength - m_nPosition);
    nRead = std::min(nCount, nAvailable);
    if (nRead == 0) return m_pBuffer.get();
    const char* p = m_pBuffer.get() + (m_nPosition - m_nBufferStart);
    m_nPosition += nRead;
    return p;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    char* pOut = static_cast<char*>(lpBuf);
    UINT nTotal = 0;
    while (nTotal < nCount) {
        UINT nRead = 0;
        const char* p = ReadInPlace(nCount - nTotal, nRead);
        if (nRead == 0) break;
        std::memcpy(pOut + nTotal, p, nRead);
        nTotal += nRead;
    }
    return nTotal;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (!IsOpen()) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    m_nBufferLength = 0; // what was read before may be stale now
    if (m_nPending > 0 && nCount > kBufferSize - m_nPending) Flush();
    if (nCount >= kBufferSize) {
        WriteThrough(static_cast<const char*>(lpBuf), nCount);
        return;
    }
    if (!m_pWriteBuffer) m_pWriteBuffer = std::make_unique<char[]>(kBufferSize);
    std::memcpy(m_pWriteBuffer.get() + m_nPending, lpBuf, nCount);
    m_nPending += nCount;
    m_nPosition += nCount;
}

void CFile::Flush() {
    if (m_nPending == 0) return;
    const UINT nPending = m_nPending;
    m_nPending = 0; // on a failure what the system took is in the file, the rest is gone
    m_nPosition -= nPending;
    WriteThrough(m_pWriteBuffer.get(), nPending);
}

void CFile::WriteThrough(const char* p, UINT nCount) {
    OsError err{};
    if (m_nWritePosition != m_nPosition) {
        if (!OsSeek(m_hFile, m_nPosition, err))
            AfxThrowFileException(err.cause, err.code, m_strFileName);
        m_nWritePosition = m_nPosition;
    }
    UINT nLeft = nCount;
    while (nLeft > 0) {
        UINT nWritten = 0;
        if (!OsWrite(m_hFile, p, nLeft, nWritten, err))
            AfxThrowFileException(err.cause, err.code, m_strFileName);
        if (nWritten == 0) // the system stored fewer bytes than given
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
        p += nWritten;
        nLeft -= nWritten;
        m_nPosition += nWritten;
        m_nWritePosition = m_nPosition;
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (!IsOpen()) AfxThrowFileException(CFileException::invalidFile);
    Flush();
    LONGLONG nBase = 0;
    if (nFrom == current)
        nBase = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        nBase = static_cast<LONGLONG>(GetLength());
    if ((lOff < 0 && nBase + lOff < 0) || (lOff > 0 && nBase > INT64_MAX - lOff))
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<ULONGLONG>(nBase + lOff);
    return m_nPosition;
}

ULONGLONG CFile::GetLength() const {
    if (!IsOpen()) AfxThrowFileException(CFileException::invalidFile);
    const_cast<CFile*>(this)->Flush(); // the length counts what was written
    OsError err{};
    ULONGLONG nLength = 0;
    if (!OsLength(m_hFile, nLength, err)) AfxThrowFileException(err.cause, err.code);
    return nLength;
}
