// trevano-cli: the batch converter, on the same load and export code as the dialog. Without
// its reading options it reads a drawing exactly as the dialog does; it also says what a
// drawing holds, and draws it.
#include "DrawingUnits.h"
#include "ExportFrame.h"
#include "FileException.h"
#include "FileIdentity.h"
#include "HullOutputs.h"
#include "NumberText.h"
#include "Options.h"
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

void PutText(FILE* pStream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), pStream);
}

void Write(CFile& file, const std::string& text) {
    if (!text.empty()) file.Write(text.data(), static_cast<UINT>(text.size()));
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

// How the pictures' titles name the drawing: by its file name.
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
    HullDrawing drawing;
    ReadChoices choices = options.choices;
    choices.bTexts = options.hull.bBodyPlan; // the labels that may number its stations
    ReadDrawing(file, choices, polylines, nPolylineCount, nPointCount, scan, report,
                drawing.origins, drawing.labels);
    drawing.nUnits = scan.nUnits;
    drawing.name = DrawingName(options.drawing);
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
    bool bHull = options.hull.bHydrostatics;
    for (const Request& r : options.requests)
        if (r.nHullForm >= 0) bHull = bHullAsked[r.nHullForm] = true;
    HullTexts hull;
    std::string refusal;
    const bool bHullMade =
        !bHull || PrepareHull(polylines, drawing, options.hull, bHullAsked, hull, refusal);

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
        return PreviewSvg(polylines, drawing.name, nPolylineCount, nPointCount, frame);
    };
    for (const Request& r : options.requests) {
        const ExportForm* pForm = r.pForm;
        const int nHullForm = r.nHullForm;
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
    std::string print;
    switch (ParseArguments(argc, argv, options, print)) {
    case Parsed::UsageError:
        return 2;
    case Parsed::Print:
        Write(standardOutput, print);
        standardOutput.Flush();
        return 0;
    case Parsed::Run:
        break;
    }
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
