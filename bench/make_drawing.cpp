// make_drawing: writes a large generated drawing for the benchmarks.
//
//   make_drawing OUT.dxf POLYLINES VERTICES [SEED] [--lwpolyline]
#include "DrawingGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    DrawingShape shape;
    shape.bLwPolylines = argc > 4 && std::strcmp(argv[argc - 1], "--lwpolyline") == 0;
    if (shape.bLwPolylines) --argc;
    if (argc < 4 || argc > 5) {
        std::fputs("Uso: make_drawing OUT.dxf POLILINEE VERTICI [SEME] [--lwpolyline]\n", stderr);
        return 2;
    }
    shape.nPolylines = std::atoll(argv[2]);
    shape.nVertices = std::atoll(argv[3]);
    shape.nSeed = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 1;
    if (shape.nPolylines < 0 || shape.nVertices < 0) {
        std::fputs("make_drawing: numeri negativi\n", stderr);
        return 2;
    }
    if (!WriteDrawingFile(argv[1], shape)) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
