#include "ExportFrame.h"

#include "ExportBlocks.h"

const ExportForm g_formPointList = {BuildPointListBlock, "csv"};
const ExportForm g_formSectionsDat = {BuildSectionDatBlock, "dat"};
const ExportForm g_formSectionsCsv = {BuildSectionCsvBlock, "csv"};

void WritePolylines(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock) {
    CString block;
    const INT32 nCount = polylines.GetCount();
    for (INT32 i = 1; i <= nCount; ++i) {
        pfnBuildBlock(*polylines.GetAt(i), block);
        if (!block.IsEmpty()) file.Write(block.GetString(), static_cast<UINT>(block.GetLength()));
    }
}

BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportForm& form,
                     CFileException* pOpenError) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite, pOpenError)) return FALSE;
    WritePolylines(file, polylines, form.pfnBuildBlock);
    file.Close();
    return TRUE;
}
