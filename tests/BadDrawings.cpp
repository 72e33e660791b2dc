#include "BadDrawings.h"

#include "TestSupport.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace bad {

namespace {

DrawingBuilder& TwoPolylinesOf(DrawingBuilder& b) {
    return b.Polyline3D({{1, 10, 100}, {1, 11, 101}, {1, 12, 102}})
        .Polyline3D({{2, 20, 200}, {2, 21, 201}, {2, 22.5, 202}});
}

// A vertex whose values are written as given, not as numbers.
DrawingBuilder& TextVertex(DrawingBuilder& b, const std::string& x, const std::string& y,
                           const std::string& z) {
    return b.Code(0, "VERTEX").Code(8, "0").Code(10, x).Code(20, y).Code(30, z);
}

// Binary DXF (R12): one byte of group code, then a string ended by a zero byte, a 16-bit
// integer or a 64-bit double, little-endian.
void BinaryString(std::string& out, int code, const char* psz) {
    out += static_cast<char>(code);
    out.append(psz, std::strlen(psz) + 1);
}

void BinaryDouble(std::string& out, int code, double v) {
    out += static_cast<char>(code);
    char bytes[8];
    std::memcpy(bytes, &v, 8);
    out.append(bytes, 8);
}

void BinaryInt16(std::string& out, int code, int v) {
    out += static_cast<char>(code);
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

} // namespace

std::string TwoPolylines() {
    DrawingBuilder b;
    b.BeginEntities();
    return TwoPolylinesOf(b).EndEntities().CrLf();
}

std::string TwoPolylinesCutAt(const std::string& what, int nOccurrence, int nExtra) {
    const std::string drawing = TwoPolylines();
    size_t at = std::string::npos;
    for (int i = 0; i < nOccurrence; ++i)
        at = drawing.find(what, at == std::string::npos ? 0 : at + 1);
    if (at == std::string::npos) throw std::logic_error("no such place in the drawing: " + what);
    return drawing.substr(0, at + static_cast<size_t>(nExtra));
}

std::string ZeroBytes(size_t n) {
    return std::string(n, '\0');
}

std::string BinaryDxf() {
    std::string out("AutoCAD Binary DXF\r\n\x1a\0", 22);
    BinaryString(out, 0, "SECTION");
    BinaryString(out, 2, "ENTITIES");
    BinaryString(out, 0, "POLYLINE");
    BinaryString(out, 8, "0");
    BinaryInt16(out, 66, 1);
    BinaryInt16(out, 70, 8);
    for (int i = 0; i < 3; ++i) {
        BinaryString(out, 0, "VERTEX");
        BinaryString(out, 8, "0");
        BinaryDouble(out, 10, 1.0 + i);
        BinaryDouble(out, 20, 2.0 + i);
        BinaryDouble(out, 30, 3.0 + i);
    }
    BinaryString(out, 0, "SEQEND");
    BinaryString(out, 0, "ENDSEC");
    BinaryString(out, 0, "EOF");
    // What follows such a file on a broken disk: bytes of every value, zero bytes among them.
    std::uint32_t state = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        state = state * 1103515245u + 12345u;
        out += static_cast<char>(state >> 24);
    }
    return out;
}

std::string PointListNotADrawing() {
    return "Spezzata di  2 punti\n"
           "1.250000e+003,0.000000e+000,0.000000e+000\n"
           "1.250000e+003,-3.750000e+001,1.250000e-001\n";
}

std::string WithoutEntitiesSection() {
    DrawingBuilder b;
    b.Code(0, "SECTION").Code(2, "BLOCKS");
    return TwoPolylinesOf(b).Code(0, "ENDSEC").Code(0, "EOF").CrLf();
}

std::string WithoutFinalSeqend() {
    const std::string drawing = TwoPolylines();
    return drawing.substr(0, drawing.rfind("  0\r\nSEQEND"));
}

std::string VertexWithLongExtendedData() {
    DrawingBuilder b;
    b.BeginEntities().Polyline(8).Vertex(0, 0, 0).Vertex(1, 2, 3);
    b.Code(1001, "TREVANO");
    for (int i = 0; i < 12; ++i)
        b.Code(1000, std::string(250, static_cast<char>('a' + i)));
    return b.Vertex(4, 5, 6).Seqend().EndEntities().CrLf();
}

std::string VertexWithLongLayerName(size_t nLength, char fill) {
    DrawingBuilder b;
    b.BeginEntities().Polyline(8).Vertex(1, 2, 3);
    b.Code(0, "VERTEX").Code(8, std::string(nLength, fill)).Code(10, "7").Code(20, "8");
    b.Code(30, "9");
    return b.Seqend().EndEntities().CrLf();
}

std::string NulInsideVertex() {
    DrawingBuilder b;
    b.BeginEntities().Polyline(8).Vertex(1, 2, 3);
    b.Code(0, "VERTEX").Code(8, std::string("STRA\0TO", 7)).Code(10, "7").Code(20, "8");
    b.Code(30, "9");
    return b.Seqend().EndEntities().CrLf();
}

std::string NulBeforeEntities(size_t nBefore) {
    // TwoPolylines has "ENTITIES" 19 bytes in; the comment's rest and line end come before it.
    const size_t nFixed = 1 + 2 + 19;
    if (nBefore < nFixed) throw std::logic_error("too close");
    return "999\r\n" + std::string(1, '\0') + std::string(nBefore - nFixed, 'c') + "\r\n" +
           TwoPolylines();
}

std::string StrangeNumbers() {
    DrawingBuilder b;
    b.BeginEntities().Polyline(8);
    TextVertex(b, "1e400", "-1e400", "1e-400");
    TextVertex(b, "1.5.3", "--2", "0x10");
    TextVertex(b, "nan", "inf", "-1e-400");
    return b.Seqend().EndEntities().CrLf();
}

std::string StrangeFlags() {
    DrawingBuilder b;
    b.BeginEntities();
    const char* const flags[] = {"1e20", "-5", "16.9", "15.9"};
    double x = 1;
    for (const char* pszFlags : flags) {
        b.Polyline().Code(70, pszFlags).Vertex(x, 0, 0).Seqend();
        x += 1;
    }
    return b.EndEntities().CrLf();
}

std::string LongCommentLine(size_t nLength) {
    DrawingBuilder b;
    b.Code(0, "SECTION").Code(2, "HEADER").Code(999, std::string(nLength, 'k'));
    b.Code(0, "ENDSEC").BeginEntities();
    return TwoPolylinesOf(b).EndEntities().CrLf();
}

std::string LongHeaderLine(size_t nLength) {
    DrawingBuilder b;
    b.BeginEntities().Polyline(8).Code(1000, std::string(nLength, 'h')).Vertex(3, 0, 0);
    b.Vertex(3, 1, 0).Seqend();
    return TwoPolylinesOf(b).EndEntities().CrLf();
}

} // namespace bad
