// The bad input that both the load and trevano-cli are tried on: the bytes of each case. The
// expectations live with the tests, so that each reads as what it checks.
#pragma once

#include <string>

namespace bad {

// Two polylines of three vertices, CR LF, as AutoCAD writes R12: x 1 then x 2, with
// (1, 10, 100) (1, 11, 101) (1, 12, 102) and (2, 20, 200) (2, 21, 201) (2, 22.5, 202).
std::string TwoPolylines();
// TwoPolylines cut just before the n-th occurrence (1-based) of what, plus nExtra bytes.
std::string TwoPolylinesCutAt(const std::string& what, int nOccurrence, int nExtra);

std::string ZeroBytes(size_t n);
// The sentinel of a binary DXF, then a small drawing in binary form and binary junk.
std::string BinaryDxf();
// A text that a user might pick by mistake: the point list that Trevano itself writes.
std::string PointListNotADrawing();
// The entities of TwoPolylines in a section named BLOCKS.
std::string WithoutEntitiesSection();
// TwoPolylines with nothing after the last vertex's last line.
std::string WithoutFinalSeqend();
// Three vertices (0, 0, 0) (1, 2, 3) (4, 5, 6); the second carries extended data (codes 1001
// and 1000) that takes it beyond 3000 bytes.
std::string VertexWithLongExtendedData();
// The second vertex of (1, 2, 3) (7, 8, 9) has a layer name of nLength bytes before its
// coordinates; fill is the name's byte.
std::string VertexWithLongLayerName(size_t nLength, char fill = 'L');
// The second vertex of (1, 2, 3) (7, 8, 9) has a zero byte inside its layer name.
std::string NulInsideVertex();
// A comment with a zero byte nBefore bytes before "ENTITIES".
std::string NulBeforeEntities(size_t nBefore);
// One polyline whose vertices hold the numbers 1e400 -1e400 1e-400 / 1.5.3 --2 0x10 /
// nan inf -1e-400.
std::string StrangeNumbers();
// Polylines of one vertex at x 1 to 4 with the flags 1e20, -5, 16.9 and 15.9.
std::string StrangeFlags();
// TwoPolylines with a header-section comment of nLength bytes on one line.
std::string LongCommentLine(size_t nLength);
// A polyline at x 3 whose header holds a line of nLength bytes, then TwoPolylines' two.
std::string LongHeaderLine(size_t nLength);

} // namespace bad
