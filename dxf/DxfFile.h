// A DXF drawing in text form, read without parsing it line by line: keyword searches over
// 500-byte chunks, and each entity cut out of one 1000-byte window.
//
// The operations are called in a fixed order (FindEntities once; then for each polyline
// FindNextPolyline, ReadPolylineHeader and ReadVertex until it returns 0), and each leaves the
// file where the next one expects it.
#pragma once

#include "DxfVertex.h"
#include "File.h"

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
    // Searches from the current position, chunk after chunk; consecutive chunks overlap by the
    // keyword's length less one, so a keyword across a boundary is seen.
    int FindKeyword(const char* pszKeyword);
    // Moves to one byte before the first "VERTEX" or "SEQEND" at or after nFrom, or to the end.
    void SkipToNextVertexKeyword(ULONGLONG nFrom);
};
