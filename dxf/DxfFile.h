// A DXF drawing in text form, read without parsing it line by line: keyword searches over
// 500-byte chunks, and each entity cut out of one 1000-byte window, its group codes found by
// substring search.
//
// Why so, and not as a DXF library would read it: the point files that panelling programs
// already hold were written from drawings read exactly this way, and the files we write from
// the same drawings must stay byte for byte the same. Where a window ends, which code a search
// finds first, what a vertex without a coordinate keeps: all of it shows in those files, so the
// reader keeps the chunk and window sizes, the searches and their order.
//
// It departs from that reading only where the old one lost data or never ended, and a drawing
// it read well reads the same:
// - a keyword across the boundary of two chunks is found (consecutive chunks overlap);
// - LF and mixed line ends, and group codes padded any way ("10", "  70"), read as CR LF
//   and three-character codes do (CEntityText rewrites the entity's text first);
// - a vertex longer than its window is one vertex, and the file moves on to the next vertex
//   keyword instead of reading the same bytes again.
//
// The operations are called in a fixed order (FindEntities once; then for each polyline
// FindNextPolyline, ReadPolylineHeader and ReadVertex until it returns 0), and each leaves the
// file where the next one expects it. Input is not trusted: any bytes give some list, and the
// load always ends.
#pragma once

#include "DxfVertex.h"
#include "File.h"

#include <cstddef>

class CDxfFile : public CFile {
public:
    ~CDxfFile() override;

    // 1 when "ENTITIES" was found; the file then stands at its first byte. 0 leaves the file
    // at its end.
    int FindEntities();
    // 1 when "POLYLINE" was found at or after the current position; the file then stands at
    // its first byte.
    int FindNextPolyline();
    // Reads the header of the polyline whose keyword the file stands at: flags (70), the codes
    // 71 and 72, and the extrusion direction (210/220/230, else (0, 0, 1)). 1 when the header
    // text up to the first "VERTEX" was read; the file then stands at that "VERTEX". 0 when the
    // window holds no "VERTEX", or when another "POLYLINE" comes before it (the keyword was
    // part of a longer word, or the polyline had no vertices): nothing is written then, and the
    // file stands after the window.
    int ReadPolylineHeader(INT32& nFlags, INT32& n71, INT32& n72, CVector3& extrusion);
    // 1 when a vertex was read into the record; the file then stands one byte before the next
    // "VERTEX" or "SEQEND" (or at the end of the file when neither follows). 0 when the vertex
    // list has ended (the file stands one byte before "SEQEND") or the file is exhausted.
    int ReadVertex(CDxfVertex& vertex);

    static constexpr UINT kSearchChunk = 500;
    static constexpr UINT kEntityWindow = 1000;

private:
    // Searches from the current position, chunk after chunk; consecutive chunks overlap by
    // nKeyLength - 1 bytes, so a keyword across a boundary is seen. pfnFind gives the index of
    // what it looks for in a chunk, or npos. True with the file at that index; false at the end
    // of the file.
    bool SearchChunks(size_t nKeyLength, size_t (*pfnFind)(const char* p, UINT nRead));
    // Moves to one byte before the first "VERTEX" or "SEQEND" at or after nFrom, or to the end.
    void SkipToNextVertexKeyword(ULONGLONG nFrom);
};
