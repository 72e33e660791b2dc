// CString: a string of 8-bit bytes. No character set is assumed; a zero byte may sit inside.
#pragma once

#include "Types.h"

#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* p, int nLength) : m_str(p, nLength > 0 ? nLength : 0) {}
    CString(std::string_view sv) : m_str(sv) {}
    explicit CString(std::string&& s) : m_str(std::move(s)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const { return m_str[static_cast<size_t>(i)]; }
    char operator[](int i) const { return GetAt(i); }

    // Index of the first occurrence at or after nStart; -1 when absent or when nStart lies
    // beyond the end. An empty substring is found at nStart.
    int Find(const char* pszSub, int nStart = 0) const;
    int Find(char ch, int nStart = 0) const;
    CString Left(int nCount) const;
    CString Mid(int nFirst, int nCount) const;

    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const char* psz) {
        m_str += psz;
        return *this;
    }
    CString& operator+=(char ch) {
        m_str += ch;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const char* b) { return a += b; }
    friend CString operator+(CString a, char b) { return a += b; }
    friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
    bool operator==(const CString& s) const { return m_str == s.m_str; }
    bool operator==(const char* psz) const { return m_str == psz; }

    // The number forms of the files, appended without a format string to parse.
    void AppendExponent(double value);
    void AppendInteger(long long value);

    // printf-like, locale-independent, for the forms the program uses: %i, %d, %ld, %u, %e,
    // %s and %%. An unknown conversion is copied as it stands.
    void Format(const char* pszFormat, ...);
    // Replaces every "%1" with the argument, as the framework's message formatting does.
    void FormatMessage1(const char* pszFormat, const char* pszArg);

    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }
    std::string_view View() const { return m_str; }
    void Reserve(int n) { m_str.reserve(static_cast<size_t>(n)); }

private:
    std::string m_str;
};
