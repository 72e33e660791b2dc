#include "ExportFrame.h"

#include "ExportBlocks.h"

const ExportSettings g_exportPointList = {
    "--punti",
    1004,
    "Esporta file di coordinate formato (.csv)",
    "csv",
    "File curve per punti (*.CSV)|*.csv|Tutti i file|*.*||",
    BuildPointListBlock,
};

const ExportSettings g_exportSectionsDat = {
    "--sezioni-dat",
    1003,
    "Esporta sezioni (.dat) per pannellatura",
    "dat",
    "File sezioni pannellatura(*.dat)|*.dat|Tutti i file|*.*||",
    BuildSectionDatBlock,
};

const ExportSettings g_exportSectionsCsv = {
    "--sezioni-csv",
    1005,
    "Esporta sezioni (.csv) per pannellatura",
    "csv",
    "File sezioni pannellatura(*.csv)|*.csv|Tutti i file|*.*||",
    BuildSectionCsvBlock,
};

const ExportSettings* const g_apExportSettings[3] = {&g_exportPointList, &g_exportSectionsDat,
                                                     &g_exportSectionsCsv};

void WritePolylines(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock) {
    CString block;
    const INT32 nCount = polylines.GetCount();
    for (INT32 i = 1; i <= nCount; ++i) {
        pfnBuildBlock(*polylines.GetAt(i), block);
        if (!block.IsEmpty()) file.Write(block.GetString(), static_cast<UINT>(block.GetLength()));
    }
}

BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportSettings& settings,
                     CFileException* pOpenError) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite, pOpenError)) return FALSE;
    WritePolylines(file, polylines, settings.pfnBuildBlock);
    file.Close();
    return TRUE;
}
