// trevano-cli: the batch converter, on the same load and export code as the dialog.
#include "DxfLoad.h"
#include "ExportFrame.h"
#include "FileException.h"

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

// Standard output as a handle of the file layer: the descriptor itself on POSIX, the system
// handle behind it on Windows.
std::intptr_t StandardOutputHandle() {
#ifdef _WIN32
    return _get_osfhandle(1);
#else
    return 1;
#endif
}

const char kUsage[] =
    "Uso: trevano-cli DISEGNO.dxf [--punti FILE] [--sezioni-dat FILE] [--sezioni-csv FILE]\n"
    "\n"
    "Carica le polilinee (POLYLINE) della sezione ENTITIES di un disegno DXF in forma di\n"
    "testo, ne stampa il numero e il numero di punti e le scrive nei formati richiesti:\n"
    "  --punti FILE        liste di punti (.csv): \"Spezzata di  N punti\", poi x,y,z\n"
    "  --sezioni-dat FILE  sezioni a x costante (.dat), campi separati da quattro spazi\n"
    "  --sezioni-csv FILE  sezioni a x costante (.csv), campi separati da virgole\n"
    "Le opzioni si possono ripetere e sono eseguite nell'ordine dato. Con - come FILE il\n"
    "formato va sullo standard output, e i conteggi sullo standard error.\n"
    "\n"
    "  --help     mostra questo testo\n"
    "  --version  mostra la versione\n"
    "\n"
    "Stato d'uscita: 0 riuscito, 1 errore di file o di memoria, 2 uso errato.\n";

// The converter's side of each export: the option that asks for it, in the order --help lists
// them.
struct ExportOption {
    const char* pszName;
    const ExportForm& form;
};

const ExportOption kExportOptions[] = {
    {"--punti", g_formPointList},
    {"--sezioni-dat", g_formSectionsDat},
    {"--sezioni-csv", g_formSectionsCsv},
};

struct Request {
    const ExportOption* pOption;
    std::string path;
};

void PutText(FILE* pStream, const CString& text) {
    std::fwrite(text.GetString(), 1, static_cast<size_t>(text.GetLength()), pStream);
}

int UsageError(const char* pszWhat, const char* pszArg) {
    std::fprintf(stderr, "trevano-cli: %s: %s\n\n", pszWhat, pszArg);
    std::fputs(kUsage, stderr);
    return 2;
}

const ExportOption* FindOption(const std::string& arg, std::string& inlineValue, bool& bHasInline) {
    for (const ExportOption& option : kExportOptions) {
        const size_t n = std::strlen(option.pszName);
        if (arg.compare(0, n, option.pszName) != 0) continue;
        if (arg.size() == n) {
            bHasInline = false;
            return &option;
        }
        if (arg[n] == '=') {
            bHasInline = true;
            inlineValue = arg.substr(n + 1);
            return &option;
        }
    }
    return nullptr;
}

int Run(const std::string& drawing, const std::vector<Request>& requests) {
    bool bStdout = false;
    for (const Request& r : requests)
        bStdout = bStdout || r.path == "-";

    CDxfFile file;
    CFileException error;
    if (!file.Open(drawing.c_str(), CFile::modeRead, &error)) {
        PutText(stderr, error.GetErrorMessage() + "\n");
        return 1;
    }
    CPolylineList polylines;
    INT32 nPolylineCount = 0, nPointCount = 0;
    LoadPolylines(file, polylines, nPolylineCount, nPointCount);
    file.Close();

    CString counts = "Numero Polyline: ";
    counts.AppendInteger(nPolylineCount);
    counts += "\nNumero di punti: ";
    counts.AppendInteger(nPointCount);
    counts += '\n';
    PutText(bStdout ? stderr : stdout, counts);
    std::fflush(stdout);

    for (const Request& r : requests) {
        if (r.path == "-") {
            CFile out(StandardOutputHandle(), "standard output");
            WritePolylines(out, polylines, r.pOption->form.pfnBuildBlock);
            out.Flush(); // the handle stays open, and its failure must still be told
            continue;
        }
        if (!ExportPolylines(polylines, r.path.c_str(), r.pOption->form, &error)) {
            PutText(stderr, error.GetErrorMessage() + "\n");
            return 1;
        }
    }
    return 0;
}

// Memory ran out: the message goes out without asking for any more.
int ReportOutOfMemory() {
    std::fflush(stdout);
    std::fputs(CMemoryException::kMessage, stderr);
    std::fputc('\n', stderr);
    return 1;
}

int ParseAndRun(int argc, char** argv) {
    std::string drawing;
    std::vector<Request> requests;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::puts("Trevano 1.0");
            return 0;
        }
        std::string value;
        bool bInline = false;
        if (const ExportOption* p = FindOption(arg, value, bInline)) {
            if (!bInline) {
                if (i + 1 >= argc) return UsageError("manca il nome del file dopo", argv[i]);
                value = argv[++i];
            }
            if (value.empty()) return UsageError("nome di file vuoto per", p->pszName);
            requests.push_back({p, value});
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("opzione sconosciuta", argv[i]);
        } else if (drawing.empty()) {
            drawing = arg;
        } else {
            return UsageError("un solo disegno per volta; in pi\xC3\xB9", argv[i]);
        }
    }
    if (drawing.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return Run(drawing, requests);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: LF line ends, no text-mode translation.
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
        std::fflush(stdout);
        PutText(stderr, e.GetErrorMessage() + "\n");
        return 1;
    }
}
