#include "EntityText.h"

#include "LineFeed.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A group-code line's content as the lookup wants it: a plain code of up to three digits,
// blanks around it dropped, right-aligned in three characters. Anything else stays as written.
struct CodeLine {
    size_t nDigitsAt = 0;
    size_t nDigits = 0;
    bool bCode = false;

    CodeLine(const char* p, size_t n) {
        size_t b = 0, e = n;
        while (b < e && IsBlank(p[b]))
            ++b;
        while (e > b && IsBlank(p[e - 1]))
            --e;
        nDigitsAt = b;
        nDigits = e - b;
        bCode = nDigits >= 1 && nDigits <= 3;
        for (size_t i = b; bCode && i < e; ++i)
            bCode = IsDigit(p[i]);
    }
};

void AppendCodeLine(std::string& out, const char* p, size_t n) {
    const CodeLine line(p, n);
    if (!line.bCode) {
        out.append(p, n);
        return;
    }
    out.append(3 - line.nDigits, ' ');
    out.append(p + line.nDigitsAt, line.nDigits);
}

bool IsOtherCodeLineInForm(const char* p, size_t n) {
    const CodeLine line(p, n);
    if (!line.bCode) return true;
    if (n != 3 || line.nDigitsAt + line.nDigits != 3) return false;
    for (size_t i = 0; i < line.nDigitsAt; ++i)
        if (p[i] != ' ') return false;
    return true;
}

// The usual code lines of three characters, already in form: "  0", " 10", "210".
inline bool IsUsualCodeLine(const char* p) {
    return IsDigit(p[2]) &&
           ((p[0] == ' ' && (p[1] == ' ' || IsDigit(p[1]))) || (IsDigit(p[0]) && IsDigit(p[1])));
}

// True when AppendCodeLine would give the content back unchanged.
inline bool IsCodeLineInForm(const char* p, size_t n) {
    if (n == 3 && IsUsualCodeLine(p)) return true;
    return IsOtherCodeLineInForm(p, n);
}

} // namespace

CEntityText::CEntityText(const char* pText, int nLength, int nKeyword) {
    for (int& k : m_anFirstKey)
        k = -1;
    const size_t n = static_cast<size_t>(nLength);
    // The bytes before the keyword's line (the LF that ends the code line before it) stay.
    size_t nLineStart = static_cast<size_t>(nKeyword);
    while (nLineStart > 0 && pText[nLineStart - 1] != '\n')
        --nLineStart;
    for (size_t k = 0; k + 1 < nLineStart; ++k)
        NoteKey(pText, n, k);
    if (IndexInForm(pText, n, nLineStart)) {
        m_text = std::string_view(pText, n);
        return;
    }
    Rewrite(pText, n, nLineStart);
}

bool CEntityText::IndexInForm(const char* p, size_t n, size_t i) {
    // A drawing written by a CAD program has every line in form: this walk is all its entities
    // cost, and it stops at the first line that needs the rewrite.
    if (i > 0) NoteKey(p, n, i - 1);
    for (bool bCodeLine = false; i < n; bCodeLine = !bCodeLine) {
        size_t nEnd;
        if (bCodeLine && i + 4 < n && p[i + 3] == '\r' && p[i + 4] == '\n' &&
            IsUsualCodeLine(p + i)) {
            nEnd = i + 4; // nearly every code line: three characters, no search for its end
        } else {
            nEnd = FindLineFeed(p, i, n);
            if (nEnd == n) return !bCodeLine || IsCodeLineInForm(p + i, n - i);
            if (nEnd == i || p[nEnd - 1] != '\r') return false; // a line end without its CR
            if (bCodeLine && !IsCodeLineInForm(p + i, nEnd - 1 - i)) return false;
        }
        // Only a line of three characters can follow the LF of a key.
        if (nEnd + 4 < n && p[nEnd + 4] == '\r') NoteKey(p, n, nEnd);
        i = nEnd + 1;
    }
    return true;
}

void CEntityText::Rewrite(const char* pText, size_t n, size_t nLineStart) {
    std::string out;
    out.reserve(n + 64);
    out.append(pText, nLineStart);
    bool bCodeLine = false; // the keyword's own line holds a value
    for (size_t i = nLineStart; i < n; bCodeLine = !bCodeLine) {
        const size_t nEnd = FindLineFeed(pText, i, n); // the LF, or the end
        const bool bLf = nEnd < n;
        const size_t nContent = bLf && nEnd > i && pText[nEnd - 1] == '\r' ? nEnd - 1 : nEnd;
        if (bCodeLine)
            AppendCodeLine(out, pText + i, nContent - i);
        else
            out.append(pText + i, nContent - i);
        if (bLf) out += "\r\n";
        i = nEnd + (bLf ? 1 : 0);
    }
    m_rewritten = std::move(out);
    m_text = m_rewritten;
    // The keys belong to the text made, not to the bytes as read.
    for (int& k : m_anFirstKey)
        k = -1;
    for (size_t k = 0; k + 4 < m_rewritten.size(); ++k)
        NoteKey(m_rewritten.data(), m_rewritten.size(), k);
}

int CEntityText::FindUnindexed(const char* pszCode) const {
    static_assert([] {
        for (int c = 0; c < kIndexed; ++c)
            if (IndexedSlot(kIndexedCodes[c]) != c) return false;
        return true;
    }());
    std::string key = "\n";
    key += pszCode;
    key += '\r';
    const size_t k = m_text.find(key);
    return k == std::string_view::npos ? -1 : static_cast<int>(k);
}
