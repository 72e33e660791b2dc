#include "TagReader.h"

#include "LineFeed.h"

#include <algorithm>
#include <cstring>

namespace {

// Large enough that most lines lie inside one chunk and need no copy.
constexpr UINT kChunk = 1 << 16;
// Longer than any code line written in the common way, short against a chunk.
constexpr UINT kShortLine = 16;
// A longer line is no code line, whatever it holds: the stream ends there, without a look at
// the rest of it, which may be gigabytes without a line end.
constexpr size_t kLongestCodeLine = 64;
// Of a longer value only this much is kept: a file of any size is read in bounded memory, and
// no value that a DXF reader needs comes near it.
constexpr size_t kLongestValue = 1 << 20;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A code line of three characters as CAD programs write them: right-aligned digits ("  8",
// " 10", "210"), which is a code whatever Trimmed and the digits' test below would say of it.
bool IsThreeWideCode(const char* p) {
    return IsDigit(p[2]) && (p[1] == ' ' ? p[0] == ' ' : IsDigit(p[1])) &&
           (p[0] == ' ' || IsDigit(p[0]));
}

int ThreeWideCode(const char* p) {
    return (p[0] == ' ' ? 0 : 100 * (p[0] - '0')) + (p[1] == ' ' ? 0 : 10 * (p[1] - '0')) +
           (p[2] - '0');
}

} // namespace

std::string_view Trimmed(std::string_view value) {
    // find_first_not_of would search the set once for every byte.
    size_t nFirst = 0, nEnd = value.size();
    while (nFirst < nEnd && (value[nFirst] == ' ' || value[nFirst] == '\t'))
        ++nFirst;
    while (nEnd > nFirst && (value[nEnd - 1] == ' ' || value[nEnd - 1] == '\t'))
        --nEnd;
    return value.substr(nFirst, nEnd - nFirst);
}

bool CTagReader::ReadLine(std::string_view& line, ULONGLONG& nOffset, size_t nKeep, bool bStop) {
    bool bLong = false; // the line runs over the chunk: gathered in m_longLine
    m_bOverLong = false;
    for (;;) {
        if (m_nNext == m_nChunk) {
            m_nChunkOffset = m_file.GetPosition();
            m_pChunk = m_file.ReadInPlace(kChunk, m_nChunk);
            m_nNext = 0;
            if (m_nChunk == 0) {
                if (!bLong) return false;
                line = m_longLine; // the last line, without a line end
                return true;
            }
        }
        const char* pStart = m_pChunk + m_nNext;
        const UINT nLeft = m_nChunk - m_nNext;
        const size_t nEnd = FindLineFeed(pStart, 0, nLeft);
        const char* pEnd = nEnd < nLeft ? pStart + nEnd : nullptr;
        const UINT nTaken = pEnd ? static_cast<UINT>(pEnd - pStart) : nLeft;
        if (!bLong) nOffset = m_nChunkOffset + m_nNext;
        m_nNext += nTaken + (pEnd ? 1 : 0);
        if (pEnd && !bLong && nTaken <= nKeep) {
            line = std::string_view(pStart, nTaken);
        } else {
            if (!bLong) m_longLine.clear();
            bLong = true;
            m_longLine.append(pStart, std::min<size_t>(nTaken, nKeep - m_longLine.size()));
            m_bOverLong = m_bOverLong || m_longLine.size() == nKeep;
            if (!pEnd && !(bStop && m_bOverLong)) continue;
            line = m_longLine;
        }
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }
}

bool CTagReader::ReadCode(std::string_view codeLine) {
    const std::string_view code = Trimmed(codeLine);
    bool bCode = !code.empty() && code.size() <= 6 && !m_bOverLong;
    if (bCode) { // up to six characters: a sign and the digits of a code, at most 1071
        const bool bNegative = code[0] == '-';
        int n = 0;
        for (size_t i = bNegative ? 1 : 0; i < code.size(); ++i) {
            bCode = bCode && code[i] >= '0' && code[i] <= '9';
            n = n * 10 + (code[i] - '0');
        }
        bCode = bCode && code.size() > (bNegative ? 1u : 0u);
        m_nCode = bNegative ? -n : n;
    }
    if (bCode) return true;
    // A blank last line is the end of the file, not a broken pair.
    std::string_view rest;
    ULONGLONG nRest = 0;
    m_bCut = !code.empty() || m_bOverLong || ReadLine(rest, nRest, kLongestCodeLine, true);
    m_bEnded = true;
    return false;
}

bool CTagReader::Next() {
    if (m_bEnded) return false;
    // Most code lines are a few characters long, far from the chunk's end: taken in place, they
    // spare the general reading its bookkeeping.
    std::string_view codeLine;
    ULONGLONG nCodeOffset = 0;
    const char* p = m_pChunk + m_nNext;
    const size_t nEnd =
        m_nChunk - m_nNext >= kShortLine ? FindLineFeed(p, 0, kShortLine) : kShortLine;
    const char* pEnd = nEnd < kShortLine ? p + nEnd : nullptr;
    if (pEnd) {
        codeLine = std::string_view(p, static_cast<size_t>(pEnd - p));
        if (!codeLine.empty() && codeLine.back() == '\r') codeLine.remove_suffix(1);
        m_nNext += static_cast<UINT>(pEnd - p) + 1;
        m_bOverLong = false;
    } else if (!ReadLine(codeLine, nCodeOffset, kLongestCodeLine, true)) {
        m_bEnded = true;
        return false;
    }
    if (!m_bOverLong && codeLine.size() == 3 && IsThreeWideCode(codeLine.data())) {
        m_nCode = ThreeWideCode(codeLine.data());
    } else if (!ReadCode(codeLine)) {
        return false;
    }
    // The value line too is mostly short and inside the chunk.
    if (const UINT nLeft = m_nChunk - m_nNext; nLeft > 0) {
        const char* pValue = m_pChunk + m_nNext;
        const size_t nEndOfValue = FindLineFeed(pValue, 0, nLeft);
        if (nEndOfValue < nLeft && nEndOfValue <= kLongestValue) {
            m_value = std::string_view(pValue, nEndOfValue);
            if (!m_value.empty() && m_value.back() == '\r') m_value.remove_suffix(1);
            m_nValueOffset = m_nChunkOffset + m_nNext;
            m_nNext += static_cast<UINT>(nEndOfValue) + 1;
            m_bOverLong = false;
            return true;
        }
    }
    if (!ReadLine(m_value, m_nValueOffset, kLongestValue, false)) {
        m_bCut = true;
        m_bEnded = true;
        return false;
    }
    return true;
}
