#include "DrawingGenerator.h"

#include <cstring>
#include <vector>

namespace {

// splitmix64: small, fast, and the same sequence on every platform.
class Random {
public:
    explicit Random(std::uint64_t nSeed) : m_nState(nSeed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    std::int64_t Below(std::int64_t n) { return static_cast<std::int64_t>(Next() % n); }

private:
    std::uint64_t m_nState;
};

// Collects the text and hands it to the stream in large pieces.
class Output {
public:
    explicit Output(std::FILE* pStream) : m_pStream(pStream) { m_buffer.reserve(kFlushAt + 256); }
    ~Output() { Flush(); }

    void Put(const char* psz) { m_buffer.append(psz); }
    void Line(const char* psz) {
        m_buffer.append(psz);
        m_buffer.append("\r\n");
    }
    // A coordinate given in ten-thousandths, written with four decimals: "-1234.0500".
    void Fixed4(std::int64_t n) {
        char digits[24];
        char* p = digits + sizeof digits;
        const bool bNegative = n < 0;
        std::uint64_t u = bNegative ? 0 - static_cast<std::uint64_t>(n) : n;
        for (int i = 0; i < 4; ++i) {
            *--p = static_cast<char>('0' + u % 10);
            u /= 10;
        }
        *--p = '.';
        do {
            *--p = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u);
        if (bNegative) *--p = '-';
        m_buffer.append(p, digits + sizeof digits - p);
        m_buffer.append("\r\n");
    }
    void MaybeFlush() {
        if (m_buffer.size() >= kFlushAt) Flush();
    }
    void Flush() {
        if (m_buffer.empty()) return;
        if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_pStream) != m_buffer.size())
            m_bFailed = true;
        m_nWritten += static_cast<long long>(m_buffer.size());
        m_buffer.clear();
    }
    long long Written() const { return m_nWritten + static_cast<long long>(m_buffer.size()); }
    bool Failed() const { return m_bFailed; }

private:
    static constexpr size_t kFlushAt = 1 << 20;
    std::FILE* m_pStream;
    std::string m_buffer;
    long long m_nWritten = 0;
    bool m_bFailed = false;
};

const char kHeader[] = "  0\r\nSECTION\r\n  2\r\nHEADER\r\n"
                       "  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n"
                       "  9\r\n$INSBASE\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
                       "  0\r\nENDSEC\r\n"
                       "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
const char kTrailer[] = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

} // namespace

long long WriteDrawing(std::FILE* pStream, const DrawingShape& shape) {
    Random random(shape.nSeed);
    Output out(pStream);
    out.Put(kHeader);
    for (long long i = 0; i < shape.nPolylines; ++i) {
        // A section of a hull: one x for the whole polyline, y and z wandering from a start
        // point, all within +-20 000 units with four decimals.
        const std::int64_t x = random.Below(200000000) - 20000000;
        std::int64_t y = random.Below(100000000) - 50000000;
        std::int64_t z = random.Below(100000000) - 50000000;
        if (shape.bLwPolylines) {
            out.Put("  0\r\nLWPOLYLINE\r\n  8\r\nSEZIONI\r\n 90\r\n");
            out.Line(std::to_string(shape.nVertices).c_str());
            out.Put(" 70\r\n0\r\n 38\r\n");
            out.Fixed4(x);
        } else {
            out.Put("  0\r\nPOLYLINE\r\n  8\r\nSEZIONI\r\n 66\r\n1\r\n"
                    " 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n 70\r\n8\r\n");
        }
        for (long long k = 0; k < shape.nVertices; ++k) {
            if (shape.bLwPolylines) {
                out.Put(" 10\r\n");
                out.Fixed4(y);
                out.Put(" 20\r\n");
                out.Fixed4(z);
            } else {
                out.Put("  0\r\nVERTEX\r\n  8\r\nSEZIONI\r\n 10\r\n");
                out.Fixed4(x);
                out.Put(" 20\r\n");
                out.Fixed4(y);
                out.Put(" 30\r\n");
                out.Fixed4(z);
                out.Put(" 70\r\n32\r\n");
            }
            y += random.Below(2000001) - 1000000;
            z += random.Below(2000001) - 1000000;
            if (y > 200000000 || y < -200000000) y /= 2;
            if (z > 200000000 || z < -200000000) z /= 2;
            out.MaybeFlush();
        }
        if (shape.bLwPolylines)
            out.Put("210\r\n1.0\r\n220\r\n0.0\r\n230\r\n0.0\r\n");
        else
            out.Put("  0\r\nSEQEND\r\n  8\r\nSEZIONI\r\n");
    }
    out.Put(kTrailer);
    out.Flush();
    return out.Failed() ? -1 : out.Written();
}

bool WriteDrawingFile(const std::string& path, const DrawingShape& shape) {
    std::FILE* pStream = std::fopen(path.c_str(), "wb");
    if (!pStream) return false;
    const bool bWritten = WriteDrawing(pStream, shape) >= 0;
    return std::fclose(pStream) == 0 && bWritten;
}
