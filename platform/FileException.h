// The framework's exceptions: file errors by cause, and exhausted memory.
#pragma once

#include "String.h"

class CException {
public:
    virtual ~CException() = default;
    // The text the user is shown for this error.
    virtual CString GetErrorMessage() const = 0;
};

class CFileException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, long lOsError = -1, const char* pszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName) {}

    // The message for the cause with "%1" replaced by the file name, or by
    // "un file senza nome" when the error carries none.
    CString GetErrorMessage() const override;
    // The message of a cause, "%1" still in it; causes outside the table read as cause 1.
    static const char* MessageForCause(int cause);

    // Shows the message in a box with an OK button; nType picks the icon. Provided by the
    // window layer of each platform.
    int ReportError(UINT nType = 0x30 /* MB_ICONEXCLAMATION */) const;

    int m_cause;
    long m_lOsError;
    CString m_strFileName;
};

class CMemoryException : public CException {
public:
    // Also written where no memory is left to build a string from it.
    static constexpr const char kMessage[] = "Memoria insufficiente.";
    CString GetErrorMessage() const override { return kMessage; }
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowFileException(int cause, long lOsError = -1,
                                        const char* pszFileName = nullptr);
