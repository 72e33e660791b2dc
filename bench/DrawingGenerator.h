// Large drawings for the benchmarks, in the form the reader expects: R12 text with CR LF line
// ends, a HEADER and an ENTITIES section, 3D polylines (flags 8) of "VERTEX" records ended by
// "SEQEND", coordinates written as the usual CAD programs do ("1234.5678").
//
// The same seed and shape always give the same bytes, so every program compared reads the
// same drawing, and a drawing can be made again instead of kept.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct DrawingShape {
    long long nPolylines;
    long long nVertices; // per polyline
    std::uint64_t nSeed;
    // Each section as an LWPOLYLINE in its plane instead: extrusion (1, 0, 0), its x as the
    // elevation, y and z as the vertices, which trevano-cli --lwpolyline reads as the same
    // points.
    bool bLwPolylines = false;
};

// Writes the drawing to an open stream; returns the number of bytes written, or -1 when a
// write failed.
long long WriteDrawing(std::FILE* pStream, const DrawingShape& shape);

// The same drawing to a file; false when the file cannot be created or written.
bool WriteDrawingFile(const std::string& path, const DrawingShape& shape);
