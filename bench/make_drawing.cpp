// make_drawing: writes a large generated drawing for the benchmarks.
//
//   make_drawing OUT.dxf POLYLINES VERTICES [SEED]
#include "DrawingGenerator.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::fputs("Uso: make_drawing OUT.dxf POLILINEE VERTICI [SEME]\n", stderr);
        return 2;
    }
    DrawingShape shape;
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
