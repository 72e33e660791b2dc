#include "DrawingUnits.h"

#include <cstring>
#include <iterator>

namespace {

// By code, from 1: the Italian name and metres per unit.
const struct {
    const char* pszName;
    double metres;
} kUnits[] = {
    {"pollici", 0.0254},
    {"piedi", 0.3048},
    {"miglia", 1609.344},
    {"millimetri", 1e-3},
    {"centimetri", 1e-2},
    {"metri", 1.0},
    {"chilometri", 1e3},
    {"micropollici", 2.54e-8},
    {"millesimi di pollice", 2.54e-5},
    {"iarde", 0.9144},
    {"angstrom", 1e-10},
    {"nanometri", 1e-9},
    {"micron", 1e-6},
    {"decimetri", 1e-1},
    {"decametri", 1e1},
    {"ettometri", 1e2},
    {"gigametri", 1e9},
    {"unità astronomiche", 1.495978707e11},
    {"anni luce", 9.4607304725808e15},
    {"parsec", 3.0856775814913673e16},
    {"piedi topografici USA", 1200.0 / 3937.0},
    {"pollici topografici USA", 100.0 / 3937.0},
    {"iarde topografiche USA", 3600.0 / 3937.0},
    {"miglia topografiche USA", 6336000.0 / 3937.0},
};

bool Known(int nCode) {
    return nCode >= 1 && nCode <= static_cast<int>(std::size(kUnits));
}

} // namespace

const char* UnitName(int nCode) {
    return Known(nCode) ? kUnits[nCode - 1].pszName : nullptr;
}

double MetresPerUnit(int nCode) {
    return Known(nCode) ? kUnits[nCode - 1].metres : 0.0;
}

int UnitCodeOf(const char* pszShortName) {
    const struct {
        const char* pszShort;
        int nCode;
    } kShort[] = {{"mm", 4}, {"cm", 5}, {"dm", 14}, {"m", 6}, {"in", 1}, {"ft", 2}};
    for (const auto& unit : kShort)
        if (std::strcmp(pszShortName, unit.pszShort) == 0) return unit.nCode;
    return 0;
}
