#include "Summary.h"

#include "DrawingUnits.h"
#include "ExportBlocks.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// A name as a script can split the line it stands in: in double quotes (a quote in it
// doubled) when it is empty, holds a comma or a quote, or starts or ends with a space.
void AppendName(std::string& out, const std::string& name) {
    const bool bQuote = name.empty() || name.find_first_of(",\"") != std::string::npos ||
                        name.front() == ' ' || name.back() == ' ';
    if (!bQuote) {
        out += name;
        return;
    }
    out += '"';
    for (char c : name)
        out += c == '"' ? "\"\"" : std::string(1, c);
    out += '"';
}

// "NAME 3, OTHER 1" in the map's order, or the text for none.
template <class Map> void AppendCounts(std::string& out, const Map& counts, const char* pszNone) {
    if (counts.empty()) out += pszNone;
    bool bFirst = true;
    for (const auto& [name, n] : counts) {
        if (!bFirst) out += ", ";
        bFirst = false;
        AppendName(out, name);
        out += ' ';
        AppendInteger(out, n);
    }
}

// "A, B, C" in byte order, or "nessuno".
void AppendLayers(std::string& out, std::vector<std::string> layers) {
    std::sort(layers.begin(), layers.end());
    if (layers.empty()) out += "nessuno";
    for (size_t i = 0; i < layers.size(); ++i) {
        if (i > 0) out += ", ";
        AppendName(out, layers[i]);
    }
}

void AppendReason(std::string& out, int n, const char* pszReason, bool& bFirst) {
    if (n == 0) return;
    out += bFirst ? " " : ", ";
    bFirst = false;
    AppendInteger(out, n);
    out += ' ';
    out += pszReason;
}

void AppendExtent(std::string& out, CPolylineList& polylines) {
    double lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    bool bAny = false;
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        CPolyline& polyline = *polylines.GetAt(i);
        for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
            const CVector3& p = polyline.GetVertex(k)->m_Point;
            const double v[3] = {p.X(), p.Y(), p.Z()};
            for (int c = 0; c < 3; ++c) {
                lo[c] = std::fmin(lo[c], v[c]);
                hi[c] = std::fmax(hi[c], v[c]);
            }
            bAny = true;
        }
    }
    if (!bAny) return;
    out += "Ingombro:";
    for (int c = 0; c < 3; ++c) {
        out += c == 0 ? " " : ", ";
        out += "xyz"[c];
        out += ' ';
        AppendExponent(out, lo[c]);
        out += ' ';
        AppendExponent(out, hi[c]);
    }
    out += '\n';
}

} // namespace

std::string SummaryText(const DrawingScan& scan, const LoadReport& report,
                        CPolylineList& polylines) {
    std::string out = "Versione DXF: ";
    out += scan.version.empty() ? "non indicata" : scan.version;
    out += "\nUnità: ";
    if (scan.nUnits == 0) {
        out += "non indicate";
    } else if (const char* pszUnit = UnitName(scan.nUnits)) {
        out += pszUnit;
    } else {
        out += "codice ";
        AppendInteger(out, scan.nUnits);
    }
    out += "\nEntità: ";
    AppendCounts(out, scan.entityCounts, "nessuna");
    out += "\nLasciate fuori:";
    bool bFirst = true;
    AppendReason(out, report.nMeshes, "maglie", bFirst);
    AppendReason(out, report.nOtherFlags, "altri flag", bFirst);
    AppendReason(out, report.nLwPolylines, "LWPOLYLINE", bFirst);
    AppendReason(out, report.nSplines, "SPLINE", bFirst);
    AppendReason(out, report.nPaperSpace, "nello spazio carta", bFirst);
    AppendReason(out, report.nOtherLayers, "su altri layer", bFirst);
    AppendReason(out, report.nExcludedLayers, "sui layer esclusi", bFirst);
    AppendReason(out, report.nOutsideWindow, "fuori dalla finestra", bFirst);
    AppendReason(out, report.nWithoutVertices, "senza vertici", bFirst);
    AppendReason(out, report.nFitPointsOnly, "SPLINE solo con punti di passaggio", bFirst);
    AppendReason(out, report.nBadSplines, "SPLINE non valide", bFirst);
    AppendReason(out, report.nBadArcs, "ARC non validi", bFirst);
    if (bFirst) out += " nessuna";
    out += "\nLayer: ";
    AppendCounts(out, report.layersRead, "nessuno");
    out += "\nLayer del disegno: ";
    AppendLayers(out, scan.layers);
    out += '\n';
    AppendExtent(out, polylines);

    out += "Sezioni: ";
    AppendInteger(out, polylines.GetCount());
    out += '\n';
    CString line;
    for (INT32 i = 1; i <= polylines.GetCount(); ++i) {
        BuildSectionDatHeader(*polylines.GetAt(i), line);
        out.append(line.GetString(), static_cast<size_t>(line.GetLength()));
    }
    return out;
}

std::string NotesText(const LoadReport& report) {
    std::string out;
    auto note = [&out](int n, const char* pszOne, const char* pszMany) {
        if (n == 0) return;
        out += "Nota: ";
        AppendInteger(out, n);
        out += n == 1 ? pszOne : pszMany;
    };
    note(report.nLwPolylines,
         " LWPOLYLINE non letta (polilinea leggera di AutoCAD R14 e successivi); "
         "--lwpolyline la legge.\n",
         " LWPOLYLINE non lette (polilinee leggere di AutoCAD R14 e successivi); "
         "--lwpolyline le legge.\n");
    note(report.nSplines, " SPLINE non letta (una curva); --spline la legge.\n",
         " SPLINE non lette (curve); --spline le legge.\n");
    note(report.nMeshes, " polilinea lasciata fuori come maglia (flag 16 o 64).\n",
         " polilinee lasciate fuori come maglie (flag 16 o 64).\n");
    note(report.nOtherFlags,
         " polilinea lasciata fuori per i suoi flag (16 e oltre, ma non una maglia); "
         "--tutte-le-polilinee la legge.\n",
         " polilinee lasciate fuori per i loro flag (16 e oltre, ma non maglie); "
         "--tutte-le-polilinee le legge.\n");
    note(report.nFromPaperSpace,
         " polilinea letta dallo spazio carta (cartigli, squadrature); --solo-modello la lascia "
         "fuori.\n",
         " polilinee lette dallo spazio carta (cartigli, squadrature); --solo-modello le lascia "
         "fuori.\n");
    note(report.nBulged, " LWPOLYLINE con archi letti come corde: i punti sono i vertici.\n",
         " LWPOLYLINE con archi letti come corde: i punti sono i vertici.\n");
    note(report.nPolylinesBulged, " POLYLINE con archi letti come corde: i punti sono i vertici.\n",
         " POLYLINE con archi letti come corde: i punti sono i vertici.\n");
    note(report.nFitPointsOnly,
         " SPLINE lasciata fuori: ha solo punti di passaggio, non i punti di controllo.\n",
         " SPLINE lasciate fuori: hanno solo punti di passaggio, non i punti di controllo.\n");
    note(report.nBadSplines,
         " SPLINE lasciata fuori: grado, nodi, pesi o punti di controllo non validi.\n",
         " SPLINE lasciate fuori: grado, nodi, pesi o punti di controllo non validi.\n");
    note(report.nBadArcs, " ARC lasciato fuori: raggio o angoli non validi.\n",
         " ARC lasciati fuori: raggio o angoli non validi.\n");
    for (const std::string& layer : report.absentLayers)
        out += "Nota: nessuna entità sul layer " + layer + ".\n";
    if (report.layersRead.empty()) out += "Nota: nessuna polilinea letta.\n";
    if (report.bAllAtOneX)
        out += "Nota: tutte le polilinee lette stanno alla stessa x: sezioni disegnate in un solo "
               "piano? --piano-di-costruzione le legge come un piano di costruzione; altrimenti la "
               "stazione di una sezione è la x del suo primo punto.\n";
    return out;
}
