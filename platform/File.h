// CFile: a file of the operating system, read through a buffer.
//
// The DXF reader makes many small reads and seeks a few hundred bytes apart; with a system call
// for each, a large drawing would take seconds. Reads are served from one buffer, and a seek
// only moves the logical position. Writes are gathered the same way: a drawing of many small
// polylines is written with one Write per polyline, and a system call for each would cost more
// than building the text. The bytes reach the system when the buffer fills, at Flush, at a
// seek or read, and at Close, whose failure is reported like that of a Write.
#pragma once

#include "FileException.h"
#include "String.h"

#include <cstdint>
#include <memory>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareExclusive = 0x0010,
        modeCreate = 0x1000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile();
    // Wraps a handle the caller keeps (standard output); it is not closed here.
    CFile(std::intptr_t hFile, const char* pszName);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file; modeCreate | modeWrite creates it or empties it. On
    // failure returns FALSE and, when pError is given, fills in the cause and the name.
    virtual BOOL Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // A new file of no name for writing and reading back, gone when it is closed; pszName names
    // it in messages. FALSE, with the cause when pError is given, when none can be made.
    BOOL OpenTemporary(const char* pszName, CFileException* pError = nullptr);
    // A second reader of the file another CFile holds open: the same bytes, with a position and
    // a buffer of its own, so that two threads can read the file at once. FALSE when the file
    // cannot be read at a position (a pipe) or the system gives no second handle.
    BOOL OpenReaderOf(const CFile& file);
    // Up to nCount bytes; fewer only at the end of the file, 0 there.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // All nCount bytes, or a CFileException naming the file (cause diskFull for a short write);
    // the failure of bytes still in the buffer shows at a later Write, Flush or Close. Either way
    // the file holds what the system took: the bytes before the failure.
    virtual void Write(const void* lpBuf, UINT nCount);
    // Hands the bytes written so far to the system.
    virtual void Flush();
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const { return m_nPosition; }
    virtual ULONGLONG GetLength() const;
    virtual void Close();
    bool IsOpen() const { return m_hFile != hFileNull; }
    const CString& GetFilePath() const { return m_strFileName; }

    // Reads like Read but hands out the bytes in place: a view of up to nCount bytes that stays
    // valid until the next call on this file. Saves the copy of every window the reader takes.
    const char* ReadInPlace(UINT nCount, UINT& nRead);

    static constexpr std::intptr_t hFileNull = -1;

private:
    // The system calls, one implementation per platform (File_posix.cpp, File_win.cpp). Each
    // failure comes back as a cause of the table and the system's own code.
    struct OsError {
        int cause;
        long code;
    };
    static bool OsOpen(const char* pszFileName, UINT nOpenFlags, std::intptr_t& hFile,
                       OsError& err);
    static bool OsOpenTemporary(std::intptr_t& hFile, OsError& err);
    // A second handle of a file that is read at positions, or false.
    static bool OsDuplicateReader(std::intptr_t hFile, std::intptr_t& hCopy);
    static bool OsRead(std::intptr_t hFile, ULONGLONG nOffset, void* p, UINT n, UINT& nRead,
                       OsError& err);
    static bool OsWrite(std::intptr_t hFile, const void* p, UINT n, UINT& nWritten, OsError& err);
    static bool OsSeek(std::intptr_t hFile, ULONGLONG nOffset, OsError& err);
    static bool OsLength(std::intptr_t hFile, ULONGLONG& nLength, OsError& err);
    static void OsClose(std::intptr_t hFile);
    // Fills err from the system's error code of the call that just failed; false, for that
    // call to return.
    static bool OsFail(OsError& err);

    // Open's outcome: the handle taken, or the failure told.
    BOOL Opened(bool bOpened, std::intptr_t hFile, const OsError& err, const char* pszName,
                CFileException* pError);
    void Fill(UINT nWanted);
    // Writes at the current position, straight to the system.
    void WriteThrough(const char* p, UINT nCount);

    std::intptr_t m_hFile = hFileNull;
    bool m_bCloseOnDelete = true;
    CString m_strFileName;
    ULONGLONG m_nPosition = 0;      // logical position
    ULONGLONG m_nWritePosition = 0; // where the system's own pointer stands for writing
    std::unique_ptr<char[]> m_pBuffer;
    ULONGLONG m_nBufferStart = 0; // file offset of m_pBuffer[0]
    UINT m_nBufferLength = 0;     // valid bytes in the buffer
    std::unique_ptr<char[]> m_pWriteBuffer;
    UINT m_nPending = 0; // bytes in m_pWriteBuffer, which end at m_nPosition
    static constexpr UINT kBufferSize = 1 << 16;
};
