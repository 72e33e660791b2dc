// trevano-cli: the batch converter, on the same load and export code as the dialog. Without
// its reading options it reads a drawing exactly as the dialog does; it also says what a
// drawing holds, and draws it.
#include "Arguments.h"
#include "ExportFrame.h"
#include "FileException.h"
#include "FileIdentity.h"
#include "HullOutputs.h"
#include "NumberText.h"
#include "Preview.h"
#include "ReadDrawing.h"
#include "Summary.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// A standard stream as a handle of the file layer: the descriptor itself on POSIX, the system
// handle behind it on Windows.
std::intptr_t StandardHandle(int fd) {
#ifdef _WIN32
    return _get_osfhandle(fd);
#else
    return fd;
#endif
}

const char kUsage[] =
    "Uso: trevano-cli [OPZIONI] DISEGNO.dxf\n"
    "\n"
    "Carica le polilinee (POLYLINE) della sezione ENTITIES di un disegno DXF in forma di\n"
    "testo, ne stampa il numero e il numero di punti e le scrive nei formati richiesti:\n"
    "  --punti FILE        liste di punti (.csv): \"Spezzata di  N punti\", poi x,y,z\n"
    "  --sezioni-dat FILE  sezioni a x costante (.dat), campi separati da quattro spazi\n"
    "  --sezioni-csv FILE  sezioni a x costante (.csv), campi separati da virgole\n"
    "  --anteprima FILE    un disegno SVG di quanto letto: piano di costruzione (y, z) e\n"
    "                      profilo (x, z)\n"
    "Le opzioni si possono ripetere e sono eseguite nell'ordine dato. Con - come FILE il\n"
    "risultato va sullo standard output, e i conteggi sullo standard error. Con - come\n"
    "DISEGNO il disegno si legge dallo standard input; -- chiude le opzioni.\n"
    "\n"
    "  --riepilogo    dopo i conteggi, una riga per voce:\n"
    "                   Versione DXF: AC1009 (o: non indicata)\n"
    "                   Unità: millimetri (o: non indicate)\n"
    "                   Entità: TIPO N, ... (la sezione ENTITIES per tipo)\n"
    "                   Lasciate fuori: N motivo, ... (o: nessuna)\n"
    "                   Layer: NOME N, ... (le polilinee lette per layer)\n"
    "                   Layer del disegno: NOME, ... (i layer di tutte le entità)\n"
    "                   Ingombro: x MIN MAX, y MIN MAX, z MIN MAX (se ci sono punti)\n"
    "                   Sezioni: N, poi per polilinea la x del primo punto e il numero\n"
    "                   di punti, come la prima riga di una sezione .dat\n"
    "                 Un nome con virgole, virgolette o spazi ai lati, o vuoto, sta fra\n"
    "                 virgolette (\"\" per una virgoletta)\n"
    "  --lwpolyline   legge anche le LWPOLYLINE (AutoCAD R14 e successivi): i vertici,\n"
    "                 con l'elevazione come z, permutati secondo la direzione di estrusione\n"
    "  --spline       legge anche le SPLINE, come punti lungo la curva (mai permutati)\n"
    "  --tolleranza D la distanza massima fra una SPLINE e la spezzata dei suoi punti, in\n"
    "                 unità del disegno (di norma un millesimo della diagonale del\n"
    "                 riquadro dei punti di controllo)\n"
    "  --tutte-le-polilinee  legge ogni POLYLINE che non sia una maglia (flag 16 o 64),\n"
    "                 anche con altri flag da 16 in su, senza i vertici di controllo\n"
    "                 (flag 16 del vertice) delle polilinee adattate a spline\n"
    "  --solo-modello lascia fuori quanto sta nello spazio carta (cartigli, squadrature)\n"
    "  --layer NOME   legge solo le polilinee del layer NOME (maiuscole e minuscole non\n"
    "                 contano); si può ripetere\n"
    "\n"
    "Verso i programmi di tenuta al mare (assi: x verso prua, y verso sinistra, z in alto):\n"
    "  --galleggiamento Z  la z del galleggiamento, nelle unit\xC3\xA0 del disegno; serve alle\n"
    "                      uscite qui sotto, che sono in metri\n"
    "  --unita U           l'unit\xC3\xA0 del disegno: mm, cm, dm, m, in o ft (altrimenti la dice\n"
    "                      $INSUNITS, altrimenti metri)\n"
    "  --punti-sezione N   segmenti per mezza sezione per PDSTRIP e le maglie, da 3 a 49\n"
    "                      (20 se non indicato)\n"
    "  --pdstrip FILE      il file delle sezioni (offset) di PDSTRIP: sezioni intere\n"
    "  --nemoh FILE        la maglia della carena bagnata per Nemoh e Capytaine (.dat)\n"
    "  --gdf FILE          la stessa maglia per WAMIT (.gdf)\n"
    "  --idrostatica       dopo i conteggi: immersione, volume, dislocamento, centro di\n"
    "                      carena, area e centro del galleggiamento, superficie bagnata,\n"
    "                      lunghezza, larghezza e coefficiente di blocco\n"
    "Le sezioni si controllano prima di aprire qualunque file: se una non va, nessun\n"
    "file viene scritto.\n"
    "\n"
    "  --help         mostra questo testo\n"
    "  --version      mostra la versione\n"
    "\n"
    "Assi: x lungo lo scafo verso prua, y trasversale, z verso l'alto; la stazione di una\n"
    "sezione è la x del suo primo punto: le sezioni disegnate in piano, tutte alla stessa x,\n"
    "vanno portate ciascuna alla sua x (o con estrusione (1, 0, 0) e la stazione come\n"
    "elevazione) prima di convertirle.\n"
    "Le note su quanto non è stato letto vanno sullo standard error.\n"
    "Nessuna uscita va su un file .dxf o sul disegno letto (uso errato). Un DXF binario o\n"
    "un file senza sezione ENTITIES non è un disegno: errore, senza conteggi.\n"
    "Stato d'uscita: 0 riuscito, 1 errore di file o di memoria, file che non è un\n"
    "disegno o sezioni rifiutate, 2 uso errato.\n";

// The converter's side of each output: the option that asks for it, and the form it writes
// (none for the picture and the hull's outputs) or the hull's output.
struct OutputOption {
    const char* pszName;
    const ExportForm* pForm;
    int nHullForm = -1;
};

const OutputOption kOutputOptions[] = {
    {"--punti", &g_formPointList},         {"--sezioni-dat", &g_formSectionsDat},
    {"--sezioni-csv", &g_formSectionsCsv}, {"--anteprima", nullptr},
    {"--pdstrip", nullptr, kHullPdstrip},  {"--nemoh", nullptr, kHullNemoh},
    {"--gdf", nullptr, kHullGdf},
};

struct Request {
    const OutputOption* pOption;
    std::string path;
};

struct Options {
    std::string drawing;
    std::vector<Request> requests;
    ReadChoices choices;
    HullChoices hull;
    bool bSummary = false;
};

void PutText(FILE* pStream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), pStream);
}

void Write(CFile& file, const std::string& text) {
    if (!text.empty()) file.Write(text.data(), static_cast<UINT>(text.size()));
}

// A number greater than zero, written in full with a decimal point as the drawings write it.
bool ReadPositiveNumber(const std::string& text, double& value) {
    const auto digits = [&text](size_t& i) {
        const size_t nStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - nStart;
    };
    size_t i = text.size() > 0 && text[0] == '+' ? 1 : 0;
    size_t nDigits = digits(i);
    if (i < text.size() && text[i] == '.') nDigits += digits(++i);
    if (nDigits > 0 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        i += i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') ? 2 : 1;
        if (digits(i) == 0) return false;
    }
    value = AtoF(text);
    return nDigits > 0 && i == text.size() && value > 0.0 && value < INFINITY;
}

// None of the outputs is a drawing: a name ending in .dxf is a drawing's, most likely the one
// to read, given in the wrong place.
bool EndsWithDxf(const std::string& path) {
    const size_t n = path.size();
    return n >= 4 && path[n - 4] == '.' && (path[n - 3] | 0x20) == 'd' &&
           (path[n - 2] | 0x20) == 'x' && (path[n - 1] | 0x20) == 'f';
}

// Before anything is written: 2, with the usage error told, for an output that would be a
// drawing, the one to read most of all; 0 for any other. Standard output and standard input
// are no files to compare.
int RefuseOutput(const char* pszOption, const std::string& path, const std::string& drawing) {
    const std::string option = pszOption;
    if (EndsWithDxf(path))
        return UsageError(
            (option + " non scrive su un file .dxf: nessuna uscita è un disegno").c_str(),
            path.c_str());
    if (path != "-" && drawing != "-" && IsSameFile(path.c_str(), drawing.c_str()))
        return UsageError((option + " scriverebbe sul disegno da leggere").c_str(), path.c_str());
    return 0;
}

// The reader seeks and the scan reads the drawing a second time: a drawing that can only be
// read in order, once (standard input, a pipe such as bash's <(zcat disegno.dxf.gz)), goes into
// a temporary file first.
BOOL CopyToTemporary(const char* pszName, CFile& source, CDxfFile& file, CFileException& error) {
    if (!file.OpenTemporary(pszName, &error)) return FALSE;
    std::vector<char> buffer(1 << 16);
    while (const UINT n = source.Read(buffer.data(), static_cast<UINT>(buffer.size())))
        file.Write(buffer.data(), n);
    file.SeekToBegin();
    return TRUE;
}

BOOL OpenDrawing(const std::string& path, CDxfFile& file, CFileException& error) {
    if (path == "-") {
        CFile input(StandardHandle(0), "standard input");
        return CopyToTemporary("standard input", input, file, error);
    }
    CFile drawing;
    if (!drawing.Open(path.c_str(), CFile::modeRead, &error)) return FALSE;
    return file.OpenReaderOf(drawing) || CopyToTemporary(path.c_str(), drawing, file, error);
}

std::string CountsText(INT32 nPolylineCount, INT32 nPointCount) {
    CString counts = "Numero Polyline: ";
    counts.AppendInteger(nPolylineCount);
    counts += "\nNumero di punti: ";
    counts.AppendInteger(nPointCount);
    counts += '\n';
    return counts.GetString();
}

// How the picture's title names the drawing: by its file name.
std::string DrawingName(const std::string& path) {
    if (path == "-") return "standard input";
#ifdef _WIN32
    const size_t nSlash = path.find_last_of("/\\:");
#else
    const size_t nSlash = path.find_last_of('/');
#endif
    return nSlash == std::string::npos ? path : path.substr(nSlash + 1);
}

int Run(const Options& options, CFile& standardOutput) {
    bool bStdoutTaken = false;
    for (const Request& r : options.requests)
        bStdoutTaken = bStdoutTaken || r.path == "-";

    CDxfFile file;
    CFileException error;
    if (!OpenDrawing(options.drawing, file, error)) {
        PutText(stderr, std::string(error.GetErrorMessage().GetString()) + "\n");
        return 1;
    }
    CPolylineList polylines;
    INT32 nPolylineCount = 0, nPointCount = 0;
    DrawingScan scan;
    LoadReport report;
    ReadDrawing(file, options.choices, polylines, nPolylineCount, nPointCount, &scan, &report);
    const std::string path = file.GetFilePath().GetString();
    file.Close();
    // What the dialog shows as 0 and 0 is an error here: a script must not take it for an
    // empty drawing.
    if (scan.bBinary) {
        PutText(stderr, path + " è un DXF binario: salva il disegno come DXF di testo "
                               "(ASCII) e riprova.\n");
        return 1;
    }
    if (nPolylineCount == 0 && !scan.bEntities) {
        PutText(stderr, path + " non è un disegno DXF di testo: non ha una sezione "
                               "ENTITIES.\n");
        return 1;
    }

    // Every check of the hull comes before the first file of the run is opened.
    bool bHullAsked[kHullFormCount] = {};
    for (const Request& r : options.requests)
        if (r.pOption->nHullForm >= 0) bHullAsked[r.pOption->nHullForm] = true;
    HullTexts hull;
    std::string refusal;
    const bool bHull = options.hull.bHydrostatics || bHullAsked[kHullPdstrip] ||
                       bHullAsked[kHullNemoh] || bHullAsked[kHullGdf];
    const bool bHullMade =
        !bHull || PrepareHull(polylines, scan.nUnits, options.hull, bHullAsked, hull, refusal);

    std::string text = CountsText(nPolylineCount, nPointCount);
    if (options.bSummary) text += SummaryText(scan, report, polylines);
    text += hull.hydrostatics;
    if (bStdoutTaken) {
        PutText(stderr, text);
    } else {
        Write(standardOutput, text);
        standardOutput.Flush(); // a full disk or a closed descriptor is told here
    }
    PutText(stderr, NotesText(report) + hull.notes);
    if (!bHullMade) {
        PutText(stderr, refusal + "\n");
        return 1;
    }

    // The picture's waterline and unit are those of the hull's outputs.
    const PreviewFrame frame{options.hull.bWaterline, options.hull.waterline,
                             UnitName(options.hull.nUnits ? options.hull.nUnits : scan.nUnits)};
    auto picture = [&] {
        return PreviewSvg(polylines, DrawingName(options.drawing), nPolylineCount, nPointCount,
                          frame);
    };
    for (const Request& r : options.requests) {
        const ExportForm* pForm = r.pOption->pForm;
        const int nHullForm = r.pOption->nHullForm;
        if (r.path == "-") {
            if (pForm)
                WritePolylines(standardOutput, polylines, pForm->pfnBuildBlock);
            else if (nHullForm >= 0)
                Write(standardOutput, hull.forms[nHullForm]);
            else
                Write(standardOutput, picture());
            standardOutput.Flush();
            continue;
        }
        if (pForm) {
            if (!ExportPolylines(polylines, r.path.c_str(), *pForm, &error)) {
                PutText(stderr, std::string(error.GetErrorMessage().GetString()) + "\n");
                return 1;
            }
            continue;
        }
        CFile output;
        if (!output.Open(r.path.c_str(), CFile::modeCreate | CFile::modeWrite, &error)) {
            PutText(stderr, std::string(error.GetErrorMessage().GetString()) + "\n");
            return 1;
        }
        Write(output, nHullForm >= 0 ? hull.forms[nHullForm] : picture());
        output.Close();
    }
    return 0;
}

// Memory ran out: the message goes out without asking for any more.
int ReportOutOfMemory() {
    std::fputs(CMemoryException::kMessage, stderr);
    std::fputc('\n', stderr);
    return 1;
}

int ParseAndRun(int argc, char** argv) {
    // Everything for standard output goes through the file layer, so that a failure to write
    // it is reported like any other.
    CFile standardOutput(StandardHandle(1), "standard output");
    Options options;
    bool bDrawingGiven = false, bOptionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        bool bMissing = false;
        if (bOptionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (bDrawingGiven)
                return UsageError("un solo disegno per volta; in pi\xC3\xB9", argv[i]);
            options.drawing = arg;
            bDrawingGiven = true;
        } else if (arg == "--") {
            bOptionsEnded = true;
        } else if (arg == "--help" || arg == "-h" || arg == "--version") {
            Write(standardOutput, arg == "--version" ? "Trevano 1.0\n" : kUsage);
            standardOutput.Flush();
            return 0;
        } else if (arg == "--riepilogo") {
            options.bSummary = true;
        } else if (arg == "--lwpolyline") {
            options.choices.bLwPolylines = true;
        } else if (const int nHull = TakeHullOption(argc, argv, i, options.hull)) {
            if (nHull == 2) return 2;
        } else if (arg == "--spline") {
            options.choices.bSplines = true;
        } else if (arg == "--tutte-le-polilinee") {
            options.choices.bAllPolylines = true;
        } else if (arg == "--solo-modello") {
            options.choices.bModelOnly = true;
        } else if (TakeValue("--tolleranza", argc, argv, i, value, bMissing)) {
            if (bMissing) return UsageError("manca il valore dopo", "--tolleranza");
            if (!ReadPositiveNumber(value, options.choices.tolerance))
                return UsageError("--tolleranza vuole un numero maggiore di zero, con il punto "
                                  "decimale",
                                  value.c_str());
        } else if (TakeValue("--layer", argc, argv, i, value, bMissing)) {
            if (bMissing) return UsageError("manca il nome del layer dopo", "--layer");
            options.choices.layers.push_back(value);
        } else {
            const OutputOption* pOption = nullptr;
            for (const OutputOption& o : kOutputOptions)
                if (TakeValue(o.pszName, argc, argv, i, value, bMissing)) pOption = &o;
            if (!pOption) return UsageError("opzione sconosciuta", argv[i]);
            if (bMissing) return UsageError("manca il nome del file dopo", pOption->pszName);
            if (value.empty()) return UsageError("nome di file vuoto per", pOption->pszName);
            options.requests.push_back({pOption, value});
        }
    }
    if (!bDrawingGiven) return UsageError("manca il disegno da leggere");
    for (const Request& r : options.requests) {
        if (const int nStatus = RefuseOutput(r.pOption->pszName, r.path, options.drawing))
            return nStatus;
        if (r.pOption->nHullForm >= 0 && !options.hull.bWaterline)
            return UsageError("manca --galleggiamento, che serve a", r.pOption->pszName);
    }
    if (options.hull.bHydrostatics && !options.hull.bWaterline)
        return UsageError("manca --galleggiamento, che serve a", "--idrostatica");
    return Run(options, standardOutput);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: LF line ends, no text-mode translation.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    // Reading the arguments allocates too: memory can run out before the drawing is opened.
    try {
        return ParseAndRun(argc, argv);
    } catch (const CMemoryException&) {
        return ReportOutOfMemory();
    } catch (const std::bad_alloc&) {
        return ReportOutOfMemory();
    } catch (const CException& e) {
        PutText(stderr, std::string(e.GetErrorMessage().GetString()) + "\n");
        return 1;
    }
}
