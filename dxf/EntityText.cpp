#include "EntityText.h"

#include <cstring>
#include <string>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Appends a group-code line's content in three-character form when it is a plain code of up
// to three digits; anything else stays as written.
void AppendCodeLine(std::string& out, const char* p, size_t n) {
    size_t b = 0, e = n;
    while (b < e && IsBlank(p[b]))
        ++b;
    while (e > b && IsBlank(p[e - 1]))
        --e;
    size_t nDigits = e - b;
    bool bCode = nDigits >= 1 && nDigits <= 3;
    for (size_t i = b; bCode && i < e; ++i)
        bCode = p[i] >= '0' && p[i] <= '9';
    if (!bCode) {
        out.append(p, n);
        return;
    }
    out.append(3 - nDigits, ' ');
    out.append(p + b, nDigits);
}

} // namespace

CEntityText::CEntityText(const char* pText, int nLength, int nKeyword) {
    std::string out;
    out.reserve(static_cast<size_t>(nLength) + 64);
    // The bytes before the keyword's line (the LF that ends the code line before it) stay.
    size_t nLineStart = static_cast<size_t>(nKeyword);
    while (nLineStart > 0 && pText[nLineStart - 1] != '\n')
        --nLineStart;
    out.append(pText, nLineStart);
    bool bCodeLine = false; // the keyword's own line holds a value
    size_t i = nLineStart, n = static_cast<size_t>(nLength);
    while (i < n) {
        const char* pLf = static_cast<const char*>(std::memchr(pText + i, '\n', n - i));
        size_t nEnd = pLf ? static_cast<size_t>(pLf - pText) : n; // the LF, or the end
        size_t nContent = nEnd;
        if (pLf && nContent > i && pText[nContent - 1] == '\r') --nContent;
        if (bCodeLine)
            AppendCodeLine(out, pText + i, nContent - i);
        else
            out.append(pText + i, nContent - i);
        if (pLf) out += "\r\n";
        i = nEnd + (pLf ? 1 : 0);
        bCodeLine = !bCodeLine;
    }
    m_text = CString(std::move(out));
    IndexKeys();
}

void CEntityText::IndexKeys() {
    for (int& n : m_anFirstKey)
        n = -1;
    const char* p = m_text.GetString();
    const int nLength = m_text.GetLength();
    for (int k = 0; k + 4 < nLength; ++k) {
        const char* pLf = static_cast<const char*>(std::memchr(p + k, '\n', nLength - 4 - k));
        if (!pLf) break;
        k = static_cast<int>(pLf - p);
        if (p[k + 4] != '\r') continue;
        for (int c = 0; c < kIndexed; ++c)
            if (m_anFirstKey[c] < 0 && std::memcmp(p + k + 1, kIndexedCodes[c], 3) == 0)
                m_anFirstKey[c] = k;
    }
}

int CEntityText::FindGroupCode(const char* pszCode) const {
    for (int c = 0; c < kIndexed; ++c)
        if (std::strcmp(pszCode, kIndexedCodes[c]) == 0) return m_anFirstKey[c];
    std::string key = "\n";
    key += pszCode;
    key += '\r';
    return m_text.Find(key.c_str());
}
