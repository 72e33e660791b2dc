#include "String.h"

#include "NumberText.h"

#include <cstdarg>

int CString::Find(const char* pszSub, int nStart) const {
    if (nStart < 0) nStart = 0;
    if (static_cast<size_t>(nStart) > m_str.size()) return -1;
    size_t i = m_str.find(pszSub, static_cast<size_t>(nStart));
    return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0) nStart = 0;
    if (static_cast<size_t>(nStart) > m_str.size()) return -1;
    size_t i = m_str.find(ch, static_cast<size_t>(nStart));
    return i == std::string::npos ? -1 : static_cast<int>(i);
}

CString CString::Left(int nCount) const {
    if (nCount < 0) nCount = 0;
    return CString(std::string_view(m_str).substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst, int nCount) const {
    if (nFirst < 0) nFirst = 0;
    if (static_cast<size_t>(nFirst) >= m_str.size() || nCount <= 0) return CString();
    return CString(
        std::string_view(m_str).substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

void CString::AppendExponent(double value) {
    ::AppendExponent(m_str, value);
}

void CString::AppendInteger(long long value) {
    ::AppendInteger(m_str, value);
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    std::string out;
    for (const char* p = pszFormat; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char* conv = p + 1;
        bool bLong = *conv == 'l';
        if (bLong) ++conv;
        switch (*conv) {
        case 'i':
        case 'd':
            if (bLong)
                ::AppendInteger(out, va_arg(args, long));
            else
                ::AppendInteger(out, va_arg(args, int));
            break;
        case 'u':
            if (bLong)
                ::AppendUnsigned(out, va_arg(args, unsigned long));
            else
                ::AppendUnsigned(out, va_arg(args, unsigned int));
            break;
        case 'e':
            ::AppendExponent(out, va_arg(args, double));
            break;
        case 's': {
            const char* psz = va_arg(args, const char*);
            out += psz ? psz : "(null)";
            break;
        }
        case '%':
            out += '%';
            break;
        default:
            // Not a form the program uses: keep the percent sign and go on after it.
            out += '%';
            continue;
        }
        p = conv;
    }
    va_end(args);
    m_str = std::move(out);
}

void CString::FormatMessage1(const char* pszFormat, const char* pszArg) {
    std::string out;
    for (const char* p = pszFormat; *p; ++p) {
        if (p[0] == '%' && p[1] == '1') {
            out += pszArg;
            ++p;
        } else {
            out += *p;
        }
    }
    m_str = std::move(out);
}
