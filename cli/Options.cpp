#include "Options.h"

#include "DrawingUnits.h"
#include "FileIdentity.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The whole text as one finite number, whatever the locale; false for anything else.
bool ParseNumber(const std::string& text, double& value) {
    const char* pBegin = text.data() + (!text.empty() && text[0] == '+');
    const char* pEnd = text.data() + text.size();
    const auto [p, ec] = std::from_chars(pBegin, pEnd, value);
    return ec == std::errc() && p == pEnd && pBegin != pEnd && std::isfinite(value);
}

bool ParseCount(const std::string& text, int& value) {
    const char* pEnd = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), pEnd, value);
    return ec == std::errc() && p == pEnd && !text.empty();
}

// Numbers split at each separator; a decimal comma cannot be told from a separator, so every
// item must be a whole number with a point.
bool ParseList(const std::string& text, char separator, std::vector<double>& values) {
    values.clear();
    size_t nStart = 0;
    for (;;) {
        const size_t nEnd = text.find(separator, nStart);
        double value = 0.0;
        if (!ParseNumber(text.substr(nStart, nEnd - nStart), value)) return false;
        values.push_back(value);
        if (nEnd == std::string::npos) return true;
        nStart = nEnd + 1;
    }
}

// Each option's reading of its value: nullptr when taken, else what is wrong with it.
typedef const char* (*TakeValue)(Options& options, const std::string& value);

const char* TakeTolerance(Options& o, const std::string& value) {
    return ParseNumber(value, o.choices.tolerance) && o.choices.tolerance > 0.0
               ? nullptr
               : "--tolleranza vuole un numero maggiore di zero, con il punto decimale";
}

const char* TakeWindow(Options& o, const std::string& value) {
    std::vector<double> v;
    if (!ParseList(value, ',', v) || v.size() != 4 || v[0] == v[2] || v[1] == v[3])
        return "--finestra vuole X1,Y1,X2,Y2, due vertici opposti di un rettangolo non vuoto, "
               "col punto decimale";
    o.choices.bWindow = true;
    o.choices.window = {std::fmin(v[0], v[2]), std::fmin(v[1], v[3]), std::fmax(v[0], v[2]),
                        std::fmax(v[1], v[3])};
    return nullptr;
}

const char* TakeWaterline(Options& o, const std::string& value) {
    o.hull.bWaterline = ParseNumber(value, o.hull.waterline);
    return o.hull.bWaterline ? nullptr : "--galleggiamento vuole un numero (col punto decimale)";
}

const char* TakeWaterlines(Options& o, const std::string& value) {
    std::vector<double> v;
    HullChoices& h = o.hull;
    if (!ParseList(value, ':', v) || v.size() != 3 || v[0] >= v[1] || v[2] != std::floor(v[2]) ||
        v[2] < 1 || v[2] > 1000)
        return "--galleggiamenti vuole Z1:Z2:N, con Z1 sotto Z2 e N intero da 1 a 1000";
    h.bWaterlines = true;
    h.waterlineFrom = v[0];
    h.waterlineTo = v[1];
    h.nWaterlineSteps = static_cast<int>(v[2]);
    return nullptr;
}

const char* TakeUnit(Options& o, const std::string& value) {
    o.hull.nUnits = UnitCodeOf(value.c_str());
    return o.hull.nUnits ? nullptr : "--unita vuole mm, cm, dm, m, in o ft";
}

const char* TakeSegments(Options& o, const std::string& value) {
    int& n = o.hull.nSegments;
    return ParseCount(value, n) && n >= 3 && n <= 49 ? nullptr
                                                     : "--punti-sezione vuole un intero da 3 a 49";
}

const char* TakeAxis(Options& o, const std::string& value) {
    o.hull.bodyPlan.bAxis = ParseNumber(value, o.hull.bodyPlan.axis);
    return o.hull.bodyPlan.bAxis ? nullptr : "--asse vuole un numero (col punto decimale)";
}

const char* TakeStations(Options& o, const std::string& value) {
    return ParseList(value, ',', o.hull.bodyPlan.stations)
               ? nullptr
               : "--stazioni vuole i numeri separati da virgole, col punto decimale";
}

const char* TakeStationSource(Options& o, const std::string& value) {
    StationSource& s = o.hull.bodyPlan.source;
    s = value == "testi"   ? kStationsFromTexts
        : value == "layer" ? kStationsFromLayers
        : value == "quote" ? kStationsFromElevations
                           : kStationsFirst;
    return s != kStationsFirst ? nullptr : "--stazioni-da vuole testi, layer o quote";
}

const char* TakeStep(Options& o, const std::string& value) {
    double& step = o.hull.bodyPlan.step;
    return ParseNumber(value, step) && step != 0.0
               ? nullptr
               : "--passo-stazioni vuole un numero diverso da zero (col punto decimale)";
}

const char* TakeCentreOfGravity(Options& o, const std::string& value) {
    std::vector<double> v;
    if (!ParseList(value, ',', v) || v.size() != 3)
        return "--baricentro vuole X,Y,Z, tre numeri col punto decimale";
    o.hull.bCentreOfGravity = true;
    std::copy(v.begin(), v.end(), o.hull.centreOfGravity);
    return nullptr;
}

// A flag's or a name's option: what it sets, with no value to read or a value any text takes.
#define SET(what)                                                                                  \
    [](Options& o, const std::string&) -> const char* {                                            \
        what;                                                                                      \
        return nullptr;                                                                            \
    }
#define ADD(list)                                                                                  \
    [](Options& o, const std::string& v) -> const char* {                                          \
        list.push_back(v);                                                                         \
        return nullptr;                                                                            \
    }

struct OptionRow {
    const char* pszName;  // null: a line of the help alone
    const char* pszValue; // the value's name in the help; null for an option that takes none
    TakeValue pfnTake;    // null for an output, which takes a file's name
    const ExportForm* pForm = nullptr;
    int nHullForm = -1;
    const char* pszHelp = ""; // its lines of --help, LF between them
};

// clang-format off
const OptionRow kOptions[] = {
    {nullptr, nullptr, nullptr, nullptr, -1,
     "Uso: trevano-cli [OPZIONI] DISEGNO.dxf\n"
     "\n"
     "Carica le polilinee (POLYLINE) della sezione ENTITIES di un disegno DXF in forma di\n"
     "testo, ne stampa il numero e il numero di punti e le scrive nei formati richiesti:"},
    {"--punti", "FILE", nullptr, &g_formPointList, -1,
     "liste di punti (.csv): \"Spezzata di  N punti\", poi x,y,z"},
    {"--sezioni-dat", "FILE", nullptr, &g_formSectionsDat, -1,
     "sezioni a x costante (.dat), campi separati da quattro spazi"},
    {"--sezioni-csv", "FILE", nullptr, &g_formSectionsCsv, -1,
     "sezioni a x costante (.csv), campi separati da virgole"},
    {"--anteprima", "FILE", nullptr, nullptr, -1,
     "un disegno SVG di quanto letto: piano di costruzione (y, z) e\nprofilo (x, z)"},
    {nullptr, nullptr, nullptr, nullptr, -1,
     "Le opzioni si possono ripetere e sono eseguite nell'ordine dato. Con - come FILE il\n"
     "risultato va sullo standard output, e i conteggi sullo standard error. Con - come\n"
     "DISEGNO il disegno si legge dallo standard input; -- chiude le opzioni.\n"},
    {"--riepilogo", nullptr, SET(o.bSummary = true), nullptr, -1,
     "dopo i conteggi, una riga per voce:\n"
     "  Versione DXF: AC1009 (o: non indicata)\n"
     "  Unità: millimetri (o: non indicate)\n"
     "  Entità: TIPO N, ... (la sezione ENTITIES per tipo)\n"
     "  Lasciate fuori: N motivo, ... (o: nessuna)\n"
     "  Layer: NOME N, ... (le polilinee lette per layer)\n"
     "  Layer del disegno: NOME, ... (i layer di tutte le entità)\n"
     "  Ingombro: x MIN MAX, y MIN MAX, z MIN MAX (se ci sono punti)\n"
     "  Sezioni: N, poi per polilinea la x del primo punto e il numero\n"
     "  di punti, come la prima riga di una sezione .dat\n"
     "Un nome con virgole, virgolette o spazi ai lati, o vuoto, sta fra\n"
     "virgolette (\"\" per una virgoletta)"},
    {"--lwpolyline", nullptr, SET(o.choices.bLwPolylines = true), nullptr, -1,
     "legge anche le LWPOLYLINE (AutoCAD R14 e successivi): i vertici,\n"
     "con l'elevazione come z, permutati secondo la direzione di estrusione"},
    {"--spline", nullptr, SET(o.choices.bSplines = true), nullptr, -1,
     "legge anche le SPLINE, come punti lungo la curva (mai permutati)"},
    {"--linee", nullptr, SET(o.choices.bLines = true), nullptr, -1,
     "legge anche le LINE e gli ARC (gli archi come corde entro la\n"
     "tolleranza); per lo scafo si uniscono in sezioni dove si toccano"},
    {"--tolleranza", "D", TakeTolerance, nullptr, -1,
     "la distanza massima fra una SPLINE o un ARC e la spezzata dei suoi\n"
     "punti, in unità del disegno (di norma un millesimo della diagonale\n"
     "del riquadro dei punti di controllo, o del raggio)"},
    {"--tutte-le-polilinee", nullptr, SET(o.choices.bAllPolylines = true), nullptr, -1,
     "legge ogni POLYLINE che non sia una maglia (flag 16 o 64),\n"
     "anche con altri flag da 16 in su, senza i vertici di controllo\n"
     "(flag 16 del vertice) delle polilinee adattate a spline"},
    {"--solo-modello", nullptr, SET(o.choices.bModelOnly = true), nullptr, -1,
     "lascia fuori quanto sta nello spazio carta (cartigli, squadrature)"},
    {"--layer", "NOME", ADD(o.choices.layers), nullptr, -1,
     "legge solo le curve del layer NOME (maiuscole e minuscole non\ncontano); si può ripetere"},
    {"--escludi-layer", "NOME", ADD(o.choices.excludedLayers), nullptr, -1,
     "lascia fuori le curve del layer NOME; si può ripetere"},
    {"--finestra", "X1,Y1,X2,Y2", TakeWindow, nullptr, -1,
     "legge solo le curve e i testi che stanno tutti dentro questo\n"
     "rettangolo del foglio (x, y): in una tavola del piano di costruzione,\n"
     "il riquadro delle sezioni"},
    {nullptr, nullptr, nullptr, nullptr, -1,
     "\nVerso i programmi di tenuta al mare (assi: x verso prua, y verso sinistra, z in alto):"},
    {"--galleggiamento", "Z", TakeWaterline, nullptr, -1,
     "la z del galleggiamento, nelle unità del disegno; serve alle\nuscite qui sotto, che sono in metri"},
    {"--unita", "U", TakeUnit, nullptr, -1,
     "l'unità del disegno: mm, cm, dm, m, in o ft (altrimenti la dice\n$INSUNITS, altrimenti metri)"},
    {"--punti-sezione", "N", TakeSegments, nullptr, -1,
     "segmenti per mezza sezione per PDSTRIP e le maglie, da 3 a 49\n"
     "(20 se non indicato); gli spigoli disegnati restano, e una sezione\n"
     "con più spigoli che segmenti ne aggiunge a tutte"},
    {"--solo-sezioni", nullptr, SET(o.hull.bSectionsOnly = true), nullptr, -1,
     "lascia fuori le polilinee che non stanno a una sola x (longitudinali,\n"
     "linee d'acqua, linee di coperta, cornici), con una nota che le conta"},
    {"--pdstrip", "FILE", nullptr, nullptr, kHullPdstrip,
     "il file delle sezioni (offset) di PDSTRIP: sezioni intere"},
    {"--nemoh", "FILE", nullptr, nullptr, kHullNemoh,
     "la maglia della carena bagnata per Nemoh e Capytaine (.dat)"},
    {"--gdf", "FILE", nullptr, nullptr, kHullGdf, "la stessa maglia per WAMIT (.gdf)"},
    {"--coperchio", "FILE", nullptr, nullptr, kHullLid,
     "il coperchio: il piano di galleggiamento dentro la carena, come\n"
     "maglia di Nemoh con le facce verso il basso (lid_mesh di Capytaine)"},
    {"--rigidezza", "FILE", nullptr, nullptr, kHullStiffness,
     "la matrice 6 x 6 di rigidezza idrostatica, come KH.dat di Nemoh,\n"
     "rispetto al baricentro, in unità SI (acqua di mare, 1025 kg/m³)"},
    {"--nemoh-idrostatica", "FILE", nullptr, nullptr, kHullNemohHydrostatics,
     "i dati idrostatici come Hydrostatics.dat di Nemoh: centro di\n"
     "carena e baricentro (z dal galleggiamento), volume, area"},
    {"--baricentro", "X,Y,Z", TakeCentreOfGravity, nullptr, -1,
     "il baricentro per --rigidezza e --nemoh-idrostatica, nelle unità\n"
     "e negli assi del disegno (altrimenti alla x del centro di carena,\n"
     "sull'asse, al galleggiamento, con una nota)"},
    {"--idrostatica", nullptr, SET(o.hull.bHydrostatics = true), nullptr, -1,
     "dopo i conteggi: immersione, volume, dislocamento, centro di\n"
     "carena, area e centro del galleggiamento, superficie bagnata,\n"
     "lunghezza, larghezza, coefficiente di blocco, raggi metacentrici,\n"
     "metacentri sulla chiglia, TPC, MCT, sezione maestra, coefficienti\n"
     "e prima frequenza irregolare dei metodi a pannelli"},
    {"--galleggiamenti", "Z1:Z2:N", TakeWaterlines, nullptr, -1,
     "N + 1 galleggiamenti equidistanti da Z1 a Z2 (nelle unità del\n"
     "disegno, Z1 sotto Z2, N intero da 1 a 1000) per le carene diritte"},
    {"--carene-diritte", "FILE", nullptr, nullptr, kHullCurvesOfForm,
     "la tabella delle carene diritte (.csv), una riga per galleggiamento;\n"
     "metri e tonnellate, x nel riferimento del disegno, altezze sulla\n"
     "chiglia (il punto più basso delle sezioni). Le colonne:\n"
     "  z galleggiamento, T = z - chiglia, V volume (m³),\n"
     "  Delta = 1.025 V (t), LCB e KB centro di carena (x, altezza),\n"
     "  Awp area del galleggiamento (m²), LCF x del suo centro,\n"
     "  TPC = 1.025 Awp / 100 (t/cm), BMt = IT / V, BMl = IL / V,\n"
     "  KMt = KB + BMt, KMl = KB + BMl, MCT1cm = Delta BMl / (100 LWL)\n"
     "  (t·m/cm), Cb = V / (LWL BWL T), Cp = V / (Am LWL),\n"
     "  Cm = Am / (BWL T), Cwp = Awp / (LWL BWL), S superficie bagnata\n"
     "  (m²), LWL e BWL lunghezza e larghezza al galleggiamento; IT e IL\n"
     "  i momenti d'inerzia del galleggiamento (asse e centro), Am l'area\n"
     "  della sezione più grande"},
    {"--carene-diritte-svg", "FILE", nullptr, nullptr, kHullCurvesOfFormSvg,
     "il diagramma delle carene diritte (SVG): l'immersione in verticale,\n"
     "ogni grandezza una curva col suo nome e una scala sua in alto o in\n"
     "basso"},
    {nullptr, nullptr, nullptr, nullptr, -1,
     "Le sezioni si controllano prima di aprire qualunque file: se una non va, nessun\n"
     "file viene scritto.\n"
     "\n"
     "Un piano di costruzione disegnato in piano sul foglio (x del foglio attraverso lo scafo,\n"
     "y del foglio in alto; a sinistra dell'asse le sezioni poppiere, a destra le prodiere):"},
    {"--piano-di-costruzione", nullptr, SET(o.hull.bBodyPlan = true), nullptr, -1,
     "legge le curve piane del foglio come sezioni: la x del foglio\n"
     "misurata dall'asse è la y dello scafo, la y del foglio la sua z\n"
     "(--galleggiamento è quindi una y del foglio); le linee guida\n"
     "orizzontali e verticali restano fuori"},
    {"--asse", "X", TakeAxis, nullptr, -1,
     "la x del foglio dell'asse (altrimenti dove finiscono le mezze\n"
     "sezioni, o a metà di quelle intere)"},
    {"--stazioni", "X1,X2,...", TakeStations, nullptr, -1,
     "il numero di stazione di ogni curva letta, nell'ordine del disegno\n"
     "(una sezione disegnata sui due lati lo prende due volte)"},
    {"--stazioni-da", "FONTE", TakeStationSource, nullptr, -1,
     "da dove prendere i numeri di stazione: testi (i numeri scritti\n"
     "accanto alle sezioni), layer (i nomi dei layer) o quote (le\n"
     "elevazioni delle curve); altrimenti dalla prima fonte che numera\n"
     "ogni sezione"},
    {"--passo-stazioni", "D", TakeStep, nullptr, -1,
     "la distanza fra due stazioni: la x di una sezione è il suo numero\n"
     "per D, nelle unità del disegno (1 se non indicato)"},
    {nullptr, nullptr, nullptr, nullptr, -1,
     "\n"
     "  --help                     mostra questo testo\n"
     "  --version                  mostra la versione\n"
     "\n"
     "Assi: x lungo lo scafo verso prua, y trasversale, z verso l'alto; la stazione di una\n"
     "sezione disegnata in 3D è la x del suo primo punto.\n"
     "Le note su quanto non è stato letto vanno sullo standard error.\n"
     "Nessuna uscita va su un file .dxf o sul disegno letto (uso errato). Un DXF binario o\n"
     "un file senza sezione ENTITIES non è un disegno: errore, senza conteggi.\n"
     "Stato d'uscita: 0 riuscito, 1 errore di file o di memoria, file che non è un\n"
     "disegno o sezioni rifiutate, 2 uso errato."},
};
// clang-format on

#undef SET
#undef ADD

// Where the help puts the first line of each option's text.
constexpr size_t kHelpColumn = 29;

std::string HelpText() {
    std::string help;
    for (const OptionRow& row : kOptions) {
        std::string lead;
        if (row.pszName) {
            lead = std::string("  ") + row.pszName;
            if (row.pszValue) lead += std::string(" ") + row.pszValue;
            lead.resize(std::max(lead.size() + 1, kHelpColumn), ' ');
        }
        for (const char* p = row.pszHelp; *p;) {
            const char* pEnd = std::strchr(p, '\n');
            const size_t n = pEnd ? static_cast<size_t>(pEnd - p) : std::strlen(p);
            help += lead;
            help.append(p, n);
            help += '\n';
            if (row.pszName) lead.assign(kHelpColumn, ' ');
            p += n + (pEnd ? 1 : 0);
            if (pEnd && !pEnd[1] && !row.pszName) help += '\n';
        }
    }
    return help;
}

const OptionRow* FindOption(const std::string& name) {
    for (const OptionRow& row : kOptions)
        if (row.pszName && name == row.pszName) return &row;
    return nullptr;
}

// None of the outputs is a drawing: a name ending in .dxf is a drawing's, most likely the one
// to read, given in the wrong place.
bool EndsWithDxf(const std::string& path) {
    const size_t n = path.size();
    return n >= 4 && path[n - 4] == '.' && (path[n - 3] | 0x20) == 'd' &&
           (path[n - 2] | 0x20) == 'x' && (path[n - 1] | 0x20) == 'f';
}

// What the options ask of each other, once all are read: 2 with the usage error told, else 0.
int CheckTogether(const Options& options) {
    const HullChoices& hull = options.hull;
    for (const Request& r : options.requests) {
        const std::string option = r.pszOption;
        if (EndsWithDxf(r.path))
            return UsageError(
                (option + " non scrive su un file .dxf: nessuna uscita è un disegno").c_str(),
                r.path.c_str());
        // Standard output and standard input are no files to compare.
        if (r.path != "-" && options.drawing != "-" &&
            IsSameFile(r.path.c_str(), options.drawing.c_str()))
            return UsageError((option + " scriverebbe sul disegno da leggere").c_str(),
                              r.path.c_str());
        if (r.nHullForm < 0) continue;
        if (AtOneWaterline(static_cast<HullForm>(r.nHullForm)) && !hull.bWaterline)
            return UsageError("manca --galleggiamento, che serve a", r.pszOption);
        if (!AtOneWaterline(static_cast<HullForm>(r.nHullForm)) && !hull.bWaterlines)
            return UsageError("manca --galleggiamenti, che serve a", r.pszOption);
    }
    if (hull.bHydrostatics && !hull.bWaterline)
        return UsageError("manca --galleggiamento, che serve a", "--idrostatica");
    if (!hull.bodyPlan.stations.empty() && hull.bodyPlan.source != kStationsFirst)
        return UsageError("--stazioni e --stazioni-da si escludono: dai l'una o l'altra");
    if (!hull.bBodyPlan) {
        const BodyPlanChoices &plan = hull.bodyPlan, none;
        const char* pszFlatOnly = plan.bAxis                      ? "--asse"
                                  : !plan.stations.empty()        ? "--stazioni"
                                  : plan.source != kStationsFirst ? "--stazioni-da"
                                  : plan.step != none.step        ? "--passo-stazioni"
                                                                  : nullptr;
        if (pszFlatOnly)
            return UsageError("manca --piano-di-costruzione, che serve a", pszFlatOnly);
    }
    return 0;
}

} // namespace

int UsageError(const char* pszWhat, const char* pszArg) {
    std::fprintf(stderr, "trevano-cli: %s%s%s\nProva 'trevano-cli --help' per l'uso.\n", pszWhat,
                 pszArg ? ": " : "", pszArg ? pszArg : "");
    return 2;
}

Parsed ParseArguments(int argc, char** argv, Options& options, std::string& print) {
    bool bDrawingGiven = false, bOptionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (bOptionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (bDrawingGiven) {
                UsageError("un solo disegno per volta; in pi\xC3\xB9", argv[i]);
                return Parsed::UsageError;
            }
            options.drawing = arg;
            bDrawingGiven = true;
            continue;
        }
        if (arg == "--") {
            bOptionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h" || arg == "--version") {
            print = arg == "--version" ? "Trevano 1.0\n" : HelpText();
            return Parsed::Print;
        }
        const size_t nEquals = arg.find('=');
        const OptionRow* pRow = FindOption(arg.substr(0, nEquals));
        if (!pRow) {
            UsageError("opzione sconosciuta", argv[i]);
            return Parsed::UsageError;
        }
        std::string value;
        if (pRow->pszValue) {
            // The next word is taken only when it is no option: "--punti --sezioni-csv s.csv"
            // lacks a file for --punti, and --sezioni-csv is no file's name.
            bool bMissing = false;
            if (nEquals != std::string::npos)
                value = arg.substr(nEquals + 1);
            else if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0)
                value = argv[++i];
            else
                bMissing = true;
            if (bMissing || value.compare(0, 2, "--") == 0) {
                const char* pszWhat = !pRow->pfnTake ? "manca il nome del file dopo"
                                      : std::strcmp(pRow->pszValue, "NOME") == 0
                                          ? "manca il nome del layer dopo"
                                          : "manca il valore dopo";
                UsageError(pszWhat, pRow->pszName);
                return Parsed::UsageError;
            }
        } else if (nEquals != std::string::npos) {
            UsageError("l'opzione non vuole un valore", argv[i]);
            return Parsed::UsageError;
        }
        if (!pRow->pfnTake) {
            if (value.empty()) {
                UsageError("nome di file vuoto per", pRow->pszName);
                return Parsed::UsageError;
            }
            options.requests.push_back({pRow->pszName, pRow->pForm, pRow->nHullForm, value});
        } else if (const char* pszWrong = pRow->pfnTake(options, value)) {
            UsageError(pszWrong, value.c_str());
            return Parsed::UsageError;
        }
    }
    if (!bDrawingGiven) {
        UsageError("manca il disegno da leggere");
        return Parsed::UsageError;
    }
    return CheckTogether(options) ? Parsed::UsageError : Parsed::Run;
}
