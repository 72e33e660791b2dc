#include "DxfFile.h"

#include "EntityText.h"
#include "NumberText.h"
#include "TextScanner.h"
#include "WindowText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kVertex = "VERTEX";
constexpr std::string_view kSeqend = "SEQEND";
constexpr std::string_view kPolyline = "POLYLINE";
constexpr std::string_view kEntities = "ENTITIES";
constexpr size_t npos = std::string_view::npos;

// Reads the value of the group code whose key (LF, code, CR) the lookup found at k, through
// the scanner: the field of the line after the code line. Passing over the code line as a field
// from the key's LF or from the code itself ends six bytes on, past the CR and the LF after it,
// wherever the text ends: the value field starts there.
bool ReadValueAt(int k, CTextScanner& scanner, double& value) {
    if (k < 0) return false;
    value = scanner.NumberAt(k + 6);
    return true;
}

INT32 ReadIntAt(int k, CTextScanner& scanner) {
    double value = 0.0;
    return ReadValueAt(k, scanner, value) ? TruncateToInt32(value) : 0;
}

// The first "VERTEX" or "SEQEND" at index 6 or later of a window that opens with a vertex's
// keyword (at 0, or at 1 after the LF of its code line), which is where the searches of
// ReadVertex end the vertex; npos where a zero byte comes first or the window holds neither.
// Eight bytes are looked at in one step for the letters that start them and for a zero byte:
// this is the search of every vertex of a drawing.
size_t NextKeywordAfterVertex(const char* p, size_t n) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const auto zeros = [](std::uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); };
    const auto at = [p, n](size_t j) -> size_t {
        if (p[j] == '\0') return npos - 1; // a zero byte: the text ends before any keyword
        const std::string_view key = p[j] == 'V' ? kVertex : kSeqend;
        return j + key.size() <= n && std::memcmp(p + j, key.data(), key.size()) == 0 ? j : npos;
    };
    size_t i = 6;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        std::uint64_t z = zeros(w ^ (kOnes * 'V')) | zeros(w ^ (kOnes * 'S')) | zeros(w);
        while (z) { // the marked bytes in the order they stand
            constexpr bool bLittle = std::endian::native == std::endian::little;
            const int nByte = (bLittle ? std::countr_zero(z) : std::countl_zero(z)) / 8;
            z &= ~(std::uint64_t(0x80) << (bLittle ? 8 * nByte : 56 - 8 * nByte));
            const size_t j = at(i + static_cast<size_t>(nByte));
            if (j != npos) return j == npos - 1 ? npos : j;
        }
    }
    for (; i < n; ++i)
        if (p[i] == '\0' || p[i] == 'V' || p[i] == 'S')
            if (const size_t j = at(i); j != npos) return j == npos - 1 ? npos : j;
    return npos;
}

bool OpensWithVertex(const char* p, size_t n) {
    const size_t k = n > 0 && p[0] == '\n' ? 1 : 0;
    return n >= k + kVertex.size() && std::memcmp(p + k, kVertex.data(), kVertex.size()) == 0;
}

} // namespace

CDxfFile::~CDxfFile() {
    if (IsOpen()) Close();
}

bool CDxfFile::SearchChunks(size_t nKeyLength, size_t (*pfnFind)(const char* p, UINT nRead)) {
    const UINT nOverlap = static_cast<UINT>(nKeyLength) - 1;
    for (;;) {
        const ULONGLONG nBase = GetPosition();
        UINT nRead = 0;
        const char* p = ReadInPlace(kSearchChunk, nRead);
        const size_t i = pfnFind(p, nRead);
        if (i != npos) {
            Seek(static_cast<LONGLONG>(nBase + i), begin);
            return true;
        }
        if (nRead < kSearchChunk) return false; // the file ended inside this chunk: we stand there
        Seek(static_cast<LONGLONG>(nBase + nRead - nOverlap), begin);
    }
}

int CDxfFile::FindEntities() {
    SeekToBegin();
    return SearchChunks(kEntities.size(),
                        [](const char* p, UINT n) { return CWindowText(p, n).Find(kEntities); });
}

int CDxfFile::FindNextPolyline() {
    return SearchChunks(kPolyline.size(),
                        [](const char* p, UINT n) { return CWindowText(p, n).Find(kPolyline); });
}

int CDxfFile::ReadPolylineHeader(INT32& nFlags, INT32& n71, INT32& n72, CVector3& extrusion) {
    const ULONGLONG nStart = GetPosition();
    UINT nRead = 0;
    const char* p = ReadInPlace(kEntityWindow, nRead);
    CWindowText window(p, nRead);
    const size_t c = window.Find(kVertex);
    if (c == npos) return 0;
    // A later POLYLINE before the first VERTEX: what we stand at is no header of a polyline
    // with vertices, and the codes in between belong to other entities.
    if (window.Find(kPolyline, 1, c) != npos) return 0;
    // The text may lie in the file's buffer: it is read before the file moves on.
    const CEntityText text(window.Data(), static_cast<int>(c), 0);
    CTextScanner scanner;
    scanner.Attach(text.Text());
    scanner.Reset();
    int k = text.FindGroupCode("210");
    if (k < 0) {
        extrusion.Set(0.0, 0.0, 1.0);
    } else {
        // 210, x, 220, y, 230, z: the lines between are taken as the codes 220 and 230.
        scanner.m_nPos = k;
        double values[6];
        for (double& v : values)
            scanner.ReadNumber(v);
        *extrusion.ElementAt(1) = values[1];
        *extrusion.ElementAt(2) = values[3];
        *extrusion.ElementAt(3) = values[5];
    }
    nFlags = ReadIntAt(text.FindGroupCode(" 70"), scanner);
    n71 = ReadIntAt(text.FindGroupCode(" 71"), scanner);
    n72 = ReadIntAt(text.FindGroupCode(" 72"), scanner);
    Seek(static_cast<LONGLONG>(nStart + c), begin);
    return 1;
}

void CDxfFile::SkipToNextVertexKeyword(ULONGLONG nFrom) {
    Seek(static_cast<LONGLONG>(nFrom), begin);
    const bool bFound = SearchChunks(kVertex.size(), [](const char* p, UINT n) {
        const std::string_view chunk(p, n); // a zero byte hides nothing from this search
        return std::min(chunk.find(kVertex), chunk.find(kSeqend));
    });
    if (bFound) Seek(-1, current);
}

int CDxfFile::ReadVertex(CDxfVertex& vertex) {
    const ULONGLONG nStart = GetPosition();
    UINT nRead = 0;
    const char* p = ReadInPlace(kEntityWindow, nRead);
    if (nRead == 0) return 0;
    CWindowText window(p, nRead);

    // Nearly every window opens with a vertex's keyword: no SEQEND can stand at 1 to 5, and
    // the end is found in one pass; the searches below decide every other window.
    size_t d = OpensWithVertex(p, nRead) ? NextKeywordAfterVertex(p, nRead) : npos;
    bool bFound = d != npos;
    if (!bFound) {
        // "SEQEND" at index 1 to 5 ends the list: the window starts with the line end before it.
        const size_t s0 = window.Find(kSeqend, 0, 5 + kSeqend.size());
        if (s0 != npos && s0 >= 1 && s0 <= 5) {
            Seek(static_cast<LONGLONG>(nStart + s0 - 1), begin);
            return 0;
        }
        // The vertex ends where the next VERTEX or SEQEND begins, searched past this one's
        // keyword.
        const size_t v = window.Find(kVertex, 6);
        const size_t s = window.Find(kSeqend, 6, v == npos ? npos : v + kSeqend.size() - 1);
        bFound = v != npos || s != npos;
        d = !bFound ? window.Size() : (s != npos && s < v ? s : v);
    }
    // The keyword opens the text, or follows the line end of the code line before it.
    const size_t nKeyword = d >= 2 && p[0] != 'V' && p[1] == 'V' ? 1 : 0;
    // The text may lie in the file's buffer: it is read before the file moves on.
    const CEntityText text(window.Data(), static_cast<int>(d), static_cast<int>(nKeyword));
    CTextScanner scanner;
    scanner.Attach(text.Text());
    scanner.Reset();
    double value;
    if (ReadValueAt(text.FindGroupCode(" 10"), scanner, value))
        *vertex.m_Point.ElementAt(1) = value;
    if (ReadValueAt(text.FindGroupCode(" 20"), scanner, value))
        *vertex.m_Point.ElementAt(2) = value;
    if (ReadValueAt(text.FindGroupCode(" 30"), scanner, value))
        *vertex.m_Point.ElementAt(3) = value;
    vertex.m_nFlags = ReadIntAt(text.FindGroupCode(" 70"), scanner);
    vertex.m_n71 = ReadIntAt(text.FindGroupCode(" 71"), scanner);
    vertex.m_n72 = ReadIntAt(text.FindGroupCode(" 72"), scanner);
    vertex.m_n73 = ReadIntAt(text.FindGroupCode(" 73"), scanner);
    vertex.m_n74 = ReadIntAt(text.FindGroupCode(" 74"), scanner);
    if (bFound)
        Seek(static_cast<LONGLONG>(nStart + d - 1), begin);
    else // a vertex longer than the window, or no SEQEND before the end of the file
        SkipToNextVertexKeyword(nStart + 6);
    return 1;
}
