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

// True when AppendCodeLine would give the content back unchanged.
bool IsCodeLineInForm(const char* p, size_t n) {
    // The usual lines first: "  0", " 10", "210".
    if (n == 3 && IsDigit(p[2]) &&
        ((p[0] == ' ' && (p[1] == ' ' || IsDigit(p[1]))) || (IsDigit(p[0]) && IsDigit(p[1]))))
        return true;
    const CodeLine line(p, n);
    if (!line.bCode) return true;
    if (n != 3 || line.nDigitsAt + line.nDigits != 3) return false;
    for (size_t i = 0; i < line.nDigitsAt; ++i)
        if (p[i] != ' ') return false;
    return true;
}

// Which of the indexed codes the three characters at p spell, as its place in kIndexedCodes,
// or -1: every line of every entity is asked, so this is a few comparisons, not a search.
constexpr int IndexedSlot(const char* p) {
    if (p[0] == '2') return p[1] == '1' && p[2] == '0' ? 8 : -1;
    if (p[0] != ' ') return -1;
    if (p[2] == '0') {
        switch (p[1]) {
        case '1':
            return 0;
        case '2':
            return 1;
        case '3':
            return 2;
        case '7':
            return 3;
        }
        return -1;
    }
    return p[1] == '7' && p[2] >= '1' && p[2] <= '4' ? 4 + (p[2] - '1') : -1;
}

} // namespace

CEntityText::CEntityText(const char* pText, int nLength, int nKeyword) {
    for (int& k : m_anFirstKey)
        k = -1;
    std::string out;
    // The bytes before the keyword's line (the LF that ends the code line before it) stay.
    size_t nLineStart = static_cast<size_t>(nKeyword);
    while (nLineStart > 0 && pText[nLineStart - 1] != '\n')
        --nLineStart;
    // Lines already in form are copied in runs, as they stand: a drawing written by a CAD
    // program has every line so, and its entity text is then one copy, whose keys are noted
    // on the way at the line ends.
    for (size_t k = 0; k + 1 < nLineStart; ++k)
        NoteKey(pText, nLength, static_cast<int>(k));
    if (nLineStart > 0) NoteKey(pText, nLength, static_cast<int>(nLineStart - 1));
    size_t nRun = 0;        // where the bytes not yet copied begin
    bool bCodeLine = false; // the keyword's own line holds a value
    size_t i = nLineStart, n = static_cast<size_t>(nLength);
    while (i < n) {
        const size_t nEnd = FindLineFeed(pText, i, n); // the LF, or the end
        const bool bLf = nEnd < n;
        size_t nContent = nEnd;
        bool bInForm = true;
        if (bLf) {
            if (nContent > i && pText[nContent - 1] == '\r')
                --nContent;
            else
                bInForm = false; // a line end without its CR
        }
        if (bCodeLine && bInForm) bInForm = IsCodeLineInForm(pText + i, nContent - i);
        const size_t nNext = nEnd + (bLf ? 1 : 0);
        if (!bInForm) {
            if (out.empty()) out.reserve(n + 64);
            out.append(pText + nRun, i - nRun);
            if (bCodeLine)
                AppendCodeLine(out, pText + i, nContent - i);
            else
                out.append(pText + i, nContent - i);
            if (bLf) out += "\r\n";
            nRun = nNext;
        }
        if (bLf) NoteKey(pText, nLength, static_cast<int>(nEnd));
        i = nNext;
        bCodeLine = !bCodeLine;
    }
    if (nRun == 0) {
        m_text = CString(pText, nLength);
    } else { // the keys noted belong to the bytes as read, not to the text made of them
        out.append(pText + nRun, n - nRun);
        m_text = CString(std::move(out));
        IndexKeys();
    }
}

void CEntityText::NoteKey(const char* p, int nLength, int k) {
    static_assert([] {
        for (int c = 0; c < kIndexed; ++c)
            if (IndexedSlot(kIndexedCodes[c]) != c) return false;
        return true;
    }());
    if (k + 4 >= nLength || p[k] != '\n' || p[k + 4] != '\r') return;
    const int c = IndexedSlot(p + k + 1);
    if (c >= 0 && m_anFirstKey[c] < 0) m_anFirstKey[c] = k;
}

void CEntityText::IndexKeys() {
    for (int& k : m_anFirstKey)
        k = -1;
    const char* p = m_text.GetString();
    const int nLength = m_text.GetLength();
    for (int k = 0; k + 4 < nLength; ++k)
        NoteKey(p, nLength, k);
}

int CEntityText::FindGroupCode(const char* pszCode) const {
    // Every indexed code is three characters; a shorter one stops before its terminator.
    const bool bThree = pszCode[0] && pszCode[1] && pszCode[2] && !pszCode[3];
    if (const int c = bThree ? IndexedSlot(pszCode) : -1; c >= 0) return m_anFirstKey[c];
    std::string key = "\n";
    key += pszCode;
    key += '\r';
    return m_text.Find(key.c_str());
}
